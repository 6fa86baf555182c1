#include "engine/XmlAttributes.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

/// The attributes of the first start element of xml.
QXmlStreamAttributes AttributesOf(const char* xml)
{
    QXmlStreamReader reader(QString::fromUtf8(xml));
    while (!reader.atEnd() && reader.readNext() != QXmlStreamReader::StartElement) {
    }
    return reader.attributes();
}

struct IntCase
{
    const char* element;
    eAttributeRead result;
    int read;      ///< ReadIntAttribute's value, starting from 7.
    int asInt;     ///< IntAttribute with absent 7.
    bool asFlag;   ///< FlagAttribute with absent true.
};

} // namespace

class XmlIntAttribute : public testing::TestWithParam<IntCase>
{
};

TEST_P(XmlIntAttribute, ReadsDecimalIntegers)
{
    const QXmlStreamAttributes attributes = AttributesOf(GetParam().element);
    int value = 7;
    EXPECT_EQ(ReadIntAttribute(attributes, "n", value), GetParam().result);
    EXPECT_EQ(value, GetParam().read);
    EXPECT_EQ(IntAttribute(attributes, "n", 7), GetParam().asInt);
    EXPECT_EQ(FlagAttribute(attributes, "n", true), GetParam().asFlag);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, XmlIntAttribute,
    testing::Values(IntCase{"<e n=\"12\"/>", eAttributeRead::Read, 12, 12, true},
                    IntCase{"<e n=\"-3\"/>", eAttributeRead::Read, -3, -3, true},
                    IntCase{"<e n=\"+3\"/>", eAttributeRead::Read, 3, 3, true},
                    IntCase{"<e n=\"0\"/>", eAttributeRead::Read, 0, 0, false},
                    IntCase{"<e n=\"012\"/>", eAttributeRead::Read, 12, 12, true},
                    IntCase{"<e n=\" 5 \"/>", eAttributeRead::Read, 5, 5, true},
                    IntCase{"<e n=\"2147483647\"/>", eAttributeRead::Read, 2147483647, 2147483647, true},
                    IntCase{"<e/>", eAttributeRead::Absent, 7, 7, true},
                    IntCase{"<e N=\"4\" m=\"4\"/>", eAttributeRead::Absent, 7, 7, true},
                    IntCase{"<e n=\"\"/>", eAttributeRead::Malformed, 7, 0, false},
                    IntCase{"<e n=\"abc\"/>", eAttributeRead::Malformed, 7, 0, false},
                    IntCase{"<e n=\"0x10\"/>", eAttributeRead::Malformed, 7, 0, false},
                    IntCase{"<e n=\"1.5\"/>", eAttributeRead::Malformed, 7, 0, false},
                    IntCase{"<e n=\"2147483648\"/>", eAttributeRead::Malformed, 7, 0, false}));

TEST(XmlAttributes, FlagKeepsItsDefaultOnlyWhenAbsent)
{
    EXPECT_FALSE(FlagAttribute(AttributesOf("<e/>"), "n", false));
    EXPECT_TRUE(FlagAttribute(AttributesOf("<e n=\"-1\"/>"), "n", false));
}

struct FloatCase
{
    const char* element;
    float value;
};

class XmlFloatAttribute : public testing::TestWithParam<FloatCase>
{
};

TEST_P(XmlFloatAttribute, ReadsDecimalNumbersAndZeroOtherwise)
{
    EXPECT_FLOAT_EQ(FloatAttribute(AttributesOf(GetParam().element), "n"), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, XmlFloatAttribute,
                         testing::Values(FloatCase{"<e n=\"1.5\"/>", 1.5f}, FloatCase{"<e n=\"-2\"/>", -2.f},
                                         FloatCase{"<e n=\"3e2\"/>", 300.f}, FloatCase{"<e n=\"0.25 \"/>", 0.25f},
                                         FloatCase{"<e n=\"1,5\"/>", 0.f}, FloatCase{"<e n=\"abc\"/>", 0.f},
                                         FloatCase{"<e n=\"\"/>", 0.f}, FloatCase{"<e/>", 0.f}));
