#pragma once
// The game's resource tree with some files taken out, standing in for the real one at ":/res/"
// for the lifetime of the object, so that tests can see what start-up does without them.
#include "tests/support/TestSounds.h"

#include <QDirIterator>
#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

// The registration functions of the game's compiled-in tree (rcc, name "mirrowen").
int qInitResources_mirrowen();
int qCleanupResources_mirrowen();

class PartialGameTree
{
public:
    /// Every file of the real tree but those named (as "res/..."); the sound list names no sounds,
    /// since decoding them would only slow the tests down.
    explicit PartialGameTree(const QStringList& missing) : copy(std::make_unique<testsounds::cTestResourceTree>(""))
    {
        QDirIterator it(QStringLiteral(":/res"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString relative = it.next().mid(2);
            if (missing.contains(relative) || relative.startsWith(QLatin1String("res/wave/")))
                continue;
            QFile file(it.filePath());
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(relative);
            copy->Add(relative, file.readAll());
        }
        if (!missing.contains(QStringLiteral("res/wave/Audio_SFX.xml")))
            copy->Add(QStringLiteral("res/wave/Audio_SFX.xml"), "<SoundList>\n</SoundList>\n");
        qCleanupResources_mirrowen();
        EXPECT_TRUE(copy->Mount());
    }
    ~PartialGameTree()
    {
        copy.reset();
        qInitResources_mirrowen();
    }

private:
    std::unique_ptr<testsounds::cTestResourceTree> copy;
};
