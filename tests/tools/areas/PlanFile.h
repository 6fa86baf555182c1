#pragma once
// The painter's plan of an area file written from a few elements, for the scenery tests.
#include "tools/areas/AreaPlan.h"

#include <QTemporaryFile>

#include <gtest/gtest.h>

/// The plan of an area file made of these elements.
inline sAreaPlan Plan(const QByteArray& elements)
{
    QTemporaryFile file;
    EXPECT_TRUE(file.open());
    file.write("<ZORV_AREA_SAVE_FILE>\n" + elements + "</ZORV_AREA_SAVE_FILE>\n");
    file.close();
    sAreaPlan plan;
    EXPECT_TRUE(plan.Read(file.fileName()));
    return plan;
}
