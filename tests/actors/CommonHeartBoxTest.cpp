// Heart-box templates read from their files, and the lookups by type that boxes use.
#include "GameChipSets.h"

#include "actors/CommonHeartBox.h"
#include "actors/SharedActors.h"
#include "engine/Animation.h"
#include "tests/support/StdoutOf.h"

#include <gtest/gtest.h>

namespace {

class CommonHeartBoxTest : public ::testing::Test
{
protected:
    GameChipSets chipSets{3, 12};
};

} // namespace

TEST_F(CommonHeartBoxTest, StartsAsAnEmptyTemplateOfType4)
{
    CommonHeartBox box;
    EXPECT_EQ(box.GetType(), 4);
    EXPECT_TRUE(box.GetAnimations().empty());
    EXPECT_EQ(box.GetWidth(), 0.0f);
    EXPECT_EQ(box.GetFriction(), 0.0f);
}

TEST_F(CommonHeartBoxTest, ReadsBodyAndAnimationsWithTheLastChipSetSeen)
{
    CommonHeartBox box;
    EXPECT_TRUE(box.LoadFromXml("heartboxtest/sources.xml"));
    EXPECT_EQ(box.GetWidth(), 13.0f);
    EXPECT_EQ(box.GetHeight(), 14.0f);
    EXPECT_FLOAT_EQ(box.GetDensity(), 2.5f);
    EXPECT_FLOAT_EQ(box.GetFriction(), 0.5f);

    // The animation without frames is dropped; an animation's own src holds for the ones after it.
    const std::vector<cAnimation*>& anims = box.GetAnimations();
    ASSERT_EQ(anims.size(), 3u);
    EXPECT_EQ(anims[0]->GetImage(), gChipSets[3]);
    EXPECT_EQ(anims[0]->GetNumFrames(), 2);
    EXPECT_EQ(anims[1]->GetImage(), gChipSets[12]);
    EXPECT_EQ(anims[2]->GetImage(), gChipSets[12]);
}

TEST_F(CommonHeartBoxTest, ADecimalSizeReadsAsZeroAndMissingMaterialAsZero)
{
    CommonHeartBox box;
    EXPECT_TRUE(box.LoadFromXml(":/heartboxtest/decimal_body.xml"));
    EXPECT_EQ(box.GetWidth(), 0.0f);
    EXPECT_EQ(box.GetHeight(), 1.0f);
    EXPECT_FLOAT_EQ(box.GetDensity(), 0.25f);
    EXPECT_EQ(box.GetFriction(), 0.0f);
}

TEST_F(CommonHeartBoxTest, AParseErrorKeepsWhatCameBeforeIt)
{
    CommonHeartBox box;
    EXPECT_TRUE(box.LoadFromXml("heartboxtest/broken.xml"));
    ASSERT_EQ(box.GetAnimations().size(), 1u);
    EXPECT_EQ(box.GetAnimations()[0]->GetName(), "before the fault");
    EXPECT_EQ(box.GetWidth(), 0.0f);
}

TEST_F(CommonHeartBoxTest, AMissingFileIsReportedAndLeavesTheTemplateEmpty)
{
    CommonHeartBox box;
    ASSERT_TRUE(box.LoadFromXml("heartboxtest/sources.xml"));
    bool loaded = true;
    const std::string out = StdoutOf([&] { loaded = box.LoadFromXml("heartboxtest/none.xml"); });
    EXPECT_FALSE(loaded);
    EXPECT_EQ(out, "\n ERROR: Invalid XML resource file: :/heartboxtest/none.xml \n\n");
    EXPECT_TRUE(box.GetAnimations().empty());
    EXPECT_EQ(box.GetWidth(), 0.0f);
    EXPECT_EQ(box.GetDensity(), 0.0f);
}

TEST_F(CommonHeartBoxTest, TheShippedEmittersAndReceiversHaveTwoPicturesAndTheirBodies)
{
    struct sShipped
    {
        const char* file;
        float w, h;
    };
    for (const sShipped& s : {sShipped{"emitter_brown", 13, 1}, sShipped{"emitter_neutral", 13, 1},
                              sShipped{"receiver_appearing", 13, 1}, sShipped{"receiver_appearing_solid", 13, 14},
                              sShipped{"receiver_disappearing", 13, 13}}) {
        SCOPED_TRACE(s.file);
        CommonHeartBox box;
        EXPECT_TRUE(box.LoadFromXml(QString("res/xml/actors/Boxes/%1.xml").arg(s.file)));
        EXPECT_EQ(box.GetAnimations().size(), 2u);
        EXPECT_EQ(box.GetWidth(), s.w);
        EXPECT_EQ(box.GetHeight(), s.h);
        EXPECT_EQ(box.GetDensity(), 0.0f);
        EXPECT_FLOAT_EQ(box.GetFriction(), 0.5f);
    }
}

namespace {

/// Templates of the given types, in order, as the process-wide list, for the lifetime of the object.
class BluePrintList
{
public:
    explicit BluePrintList(std::initializer_list<uint16_t> types)
    {
        for (uint16_t t : types) {
            gBoxBluePrints.push_back(new CommonHeartBox);
            gBoxBluePrints.back()->SetType(t);
        }
    }
    ~BluePrintList() { DeleteAll(gBoxBluePrints); }
};

struct sLookup
{
    const char* name;
    CommonHeartBox* (*lookup)(int);
    int kind;
    uint16_t type;
};

class BluePrintLookup : public ::testing::TestWithParam<sLookup>
{
protected:
    BluePrintList list{4, 5, 6, 16, 0, 10, 2, 7, 8, 9, 11, 12, 13, 14, 15};
};

// Printed by name: the bytes gtest would print hold the struct's padding.
void PrintTo(const sLookup& l, std::ostream* os)
{
    *os << l.name;
}

std::string LookupName(const ::testing::TestParamInfo<sLookup>& info)
{
    return info.param.name;
}

} // namespace

TEST_P(BluePrintLookup, FindsTheTemplateOfTheKind)
{
    const CommonHeartBox* blueprint = GetParam().lookup(GetParam().kind);
    ASSERT_NE(blueprint, nullptr);
    EXPECT_EQ(blueprint->GetType(), GetParam().type);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, BluePrintLookup,
    ::testing::Values(sLookup{"BrownEmitter", GetEmitterBluePrint, 0, 4},
                      sLookup{"OrangeEmitter", GetEmitterBluePrint, 1, 5},
                      sLookup{"GrayEmitter", GetEmitterBluePrint, 2, 6},
                      sLookup{"Emitter3IsNeutral", GetEmitterBluePrint, 3, 16},
                      sLookup{"EmitterMinus1IsNeutral", GetEmitterBluePrint, -1, 16},
                      sLookup{"AppearingReceiver", GetReceiverBluePrint, 0, 0},
                      sLookup{"AppearingSolidReceiver", GetReceiverBluePrint, 1, 10},
                      sLookup{"Receiver2Disappears", GetReceiverBluePrint, 2, 2},
                      sLookup{"Receiver3Disappears", GetReceiverBluePrint, 3, 2},
                      sLookup{"ReceiverMinus1Disappears", GetReceiverBluePrint, -1, 2}),
    LookupName);

TEST(BluePrints, TheFirstTemplateOfATypeIsFound)
{
    BluePrintList list{7, 9, 7};
    EXPECT_EQ(FindBoxBluePrint(7), gBoxBluePrints[0]);
    EXPECT_EQ(FindBoxBluePrint(9), gBoxBluePrints[1]);
}

TEST(BluePrints, AnUnknownTypeIsReportedAndGivesNull)
{
    BluePrintList list{4, 5};
    CommonHeartBox* found = gBoxBluePrints[0];
    const std::string out = StdoutOf([&] { found = FindBoxBluePrint(99); });
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(out, "\nERROR: no box BluePrint of type 99 was found in cCommonResources \n");
}

TEST(BluePrints, WithoutTemplatesEveryLookupIsReported)
{
    const std::string out = StdoutOf([] {
        EXPECT_EQ(GetEmitterBluePrint(0), nullptr);
        EXPECT_EQ(GetReceiverBluePrint(1), nullptr);
    });
    EXPECT_EQ(out, "\nERROR: no box BluePrint of type 4 was found in cCommonResources \n"
                   "\nERROR: no box BluePrint of type 10 was found in cCommonResources \n");
}
