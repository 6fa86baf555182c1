#include "engine/StringUtil.h"

#include <gtest/gtest.h>

struct ExtensionCase
{
    const char* name;
    const char* extension;
};

class StringFileExtension : public testing::TestWithParam<ExtensionCase>
{
};

TEST_P(StringFileExtension, IsTheTextAfterTheLastDot)
{
    EXPECT_EQ(FileExtension(GetParam().name), GetParam().extension);
}

INSTANTIATE_TEST_SUITE_P(Names, StringFileExtension,
                         testing::Values(ExtensionCase{"res/Areas/Area0.xml", "xml"}, ExtensionCase{"Makefile", ""},
                                         ExtensionCase{"a.tar.gz", "gz"}, ExtensionCase{"trailing.", ""},
                                         ExtensionCase{"res/x.y/file", "y/file"}, ExtensionCase{"", ""}));

TEST(String, EndsWith)
{
    EXPECT_TRUE(EndsWith("picture.tga", ".tga"));
    EXPECT_TRUE(EndsWith("abc", "abc"));
    EXPECT_TRUE(EndsWith("abc", ""));
    EXPECT_FALSE(EndsWith("abc", "abcd"));
    EXPECT_FALSE(EndsWith("picture.TGA", ".tga"));
}

TEST(String, IntToString)
{
    EXPECT_EQ(IntToString(-12), "-12");
    EXPECT_EQ(IntToString(0), "0");
    EXPECT_EQ(IntToString(2147483647), "2147483647");
    EXPECT_EQ(IntToString(-2147483647 - 1), "-2147483648");
}

TEST(String, ResourcePathPutsTheResourcePrefixInFrontOnlyWhenMissing)
{
    EXPECT_EQ(ResourcePath("res/xml/LevelOrder.xml"), ":/res/xml/LevelOrder.xml");
    EXPECT_EQ(ResourcePath(":/res/images/chipsets/chip_set_01.png"), ":/res/images/chipsets/chip_set_01.png");
    EXPECT_EQ(ResourcePath("qrc:/res/a.xml"), "qrc:/res/a.xml");
}
