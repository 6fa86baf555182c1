#include "engine/XmlAttributes.h"

#include <QXmlStreamReader>

#include "tests/support/StdoutOf.h"

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

struct BoundedCase
{
    const char* element;
    int count;   ///< IntAttributeWithin from 1 to 100, fallback 3.
    float size;  ///< FloatAttributeWithin from 0.5 to 1000, fallback 2.
    bool reported;
};

class XmlBoundedAttribute : public testing::TestWithParam<BoundedCase>
{
};

TEST_P(XmlBoundedAttribute, RefusesWhatLiesOutsideWithAMessage)
{
    const QXmlStreamAttributes attributes = AttributesOf(GetParam().element);
    int count = 0;
    float size = 0;
    const std::string output = StdoutOf([&] {
        count = IntAttributeWithin(attributes, "n", 3, 1, 100);
        size = FloatAttributeWithin(attributes, "n", 2.0f, 0.5f, 1000.0f);
    });
    EXPECT_EQ(count, GetParam().count);
    EXPECT_FLOAT_EQ(size, GetParam().size);
    EXPECT_EQ(output.find("ERROR") != std::string::npos, GetParam().reported) << output;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, XmlBoundedAttribute,
    testing::Values(BoundedCase{"<e/>", 3, 2.0f, false}, BoundedCase{"<e n=\"50\"/>", 50, 50.0f, false},
                    BoundedCase{"<e n=\"100\"/>", 100, 100.0f, false}, BoundedCase{"<e n=\"0.5\"/>", 3, 0.5f, true},
                    BoundedCase{"<e n=\"101\"/>", 3, 101.0f, true}, BoundedCase{"<e n=\"0\"/>", 3, 2.0f, true},
                    BoundedCase{"<e n=\"-2147483648\"/>", 3, 2.0f, true},
                    BoundedCase{"<e n=\"1e3\"/>", 3, 1000.0f, true}, BoundedCase{"<e n=\"4e45\"/>", 3, 2.0f, true},
                    BoundedCase{"<e n=\"inf\"/>", 3, 2.0f, true}, BoundedCase{"<e n=\"nan\"/>", 3, 2.0f, true},
                    BoundedCase{"<e n=\"many\"/>", 3, 2.0f, true}));

TEST(XmlAttributes, DecimalsThatAreNotFiniteReadAsZeroWithAMessage)
{
    for (const char* element : {"<e n=\"inf\"/>", "<e n=\"-inf\"/>", "<e n=\"nan\"/>", "<e n=\"4e45\"/>"}) {
        float value = 1.0f;
        const std::string output = StdoutOf([&] { value = FloatAttribute(AttributesOf(element), "n"); });
        EXPECT_EQ(value, 0.0f) << element;
        EXPECT_NE(output.find("ERROR"), std::string::npos) << element;
    }
}

TEST(XmlAttributes, ClampedWholeNumbersStopAtTheNearerEndWithAMessage)
{
    struct
    {
        const char* element;
        int value; ///< IntAttributeClamped with absent 7, from -10 to 20; then within kMaxFileInt.
        int withinFileRange;
        bool reported;
    } const cases[] = {
        {"<e/>", 7, 7, false},
        {"<e n=\"-10\"/>", -10, -10, false},
        {"<e n=\"20\"/>", 20, 20, false},
        {"<e n=\"21\"/>", 20, 21, true},
        {"<e n=\"2147483647\"/>", 20, kMaxFileInt, true},
        {"<e n=\"-2147483648\"/>", -10, -kMaxFileInt, true},
        {"<e n=\"abc\"/>", 0, 0, false},
    };
    for (const auto& c : cases) {
        const QXmlStreamAttributes attributes = AttributesOf(c.element);
        int value = 0, withinFileRange = 0;
        const std::string output = StdoutOf([&] {
            value = IntAttributeClamped(attributes, "n", 7, -10, 20);
            withinFileRange = IntAttributeClamped(attributes, "n", 7);
        });
        EXPECT_EQ(value, c.value) << c.element;
        EXPECT_EQ(withinFileRange, c.withinFileRange) << c.element;
        EXPECT_EQ(output.find("ERROR") != std::string::npos, c.reported) << c.element << output;
    }
}
