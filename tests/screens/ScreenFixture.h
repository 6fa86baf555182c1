#pragma once
// The screens between areas on the game's real shared assets and area order, with a silent audio
// system and fresh per-user files. Areas of the order that the game does not have yet, and the
// music between areas when it is not there, are stood in for by small files mounted where the
// game looks for them; once the real ones exist they are used instead.
#include "tests/support/UserFileFixture.h"

#include "screens/LevelOrder.h"
#include "tests/support/LoadedAssets.h"

#include <QFile>

#include <gtest/gtest.h>

#include <memory>
#include <string>

/// Every stand-in area scores at most this.
constexpr int kStandInMaxScore = 3;

class ScreenFixture : public UserFileFixture
{
protected:
    static void SetUpTestSuite()
    {
        LoadSharedAssets(s_audio, s_resources);
        MountStandIns();
    }
    static void TearDownTestSuite()
    {
        s_areas.reset();
        s_music.reset();
        s_resources.reset();
        s_audio.reset();
    }

    void SetUp() override
    {
        UserFileFixture::SetUp();
        for (int slot = 0; slot < 5; ++slot)
            UseShippedTemplate(SlotFile(slot));
    }

    static QString SlotFile(int slot) { return QString("Saves/slot%1.zvs").arg(slot); }

    /// The user copy of a slot holding these `Area` records.
    void WriteSlot(int slot, const QByteArray& records, int score = 0)
    {
        WriteUserCopy(SlotFile(slot), "<ZORV_Save Area=\"res/Areas/Area0.xml\" Score=\"" + QByteArray::number(score) +
                                          "\"><Areas>" + records + "</Areas></ZORV_Save>\n");
    }

    static QByteArray Record(const std::string& area, bool completed, bool unlocked, int score)
    {
        return QString("<Area name=\"%1\" completed=\"%2\" unlocked=\"%3\" score=\"%4\"/>")
            .arg(QString::fromStdString(area))
            .arg(completed ? 1 : 0)
            .arg(unlocked ? 1 : 0)
            .arg(score)
            .toUtf8();
    }

    static inline std::unique_ptr<cAudioSystem> s_audio;
    static inline std::unique_ptr<cCommonResources> s_resources;

private:
    static void MountStandIns()
    {
        cLevelOrder order;
        ASSERT_TRUE(order.Load("res/xml/LevelOrder.xml"));
        s_areas = std::make_unique<testsounds::cTestResourceTree>("res/Areas");
        const QByteArray hearts = QByteArray("<ScoreHeart x=\"0\" y=\"0\" value=\"1\"/>").repeated(kStandInMaxScore);
        int missing = 0;
        for (const cLevelOrder::sArea& area : order.GetAreas()) {
            const QString file = QString::fromStdString(area.fileName);
            if (QFile::exists(":/" + file))
                continue;
            const QString base = file.section('/', -1).section('.', 0, 0);
            s_areas->Add(base + ".xml", "<ZORV_AREA_SAVE_FILE><Metadata name=\"" + base.toUtf8() + "\"/>" + hearts +
                                            "</ZORV_AREA_SAVE_FILE>");
            ++missing;
        }
        if (missing > 0) {
            ASSERT_TRUE(s_areas->Mount());
        }
        if (!QFile::exists(":/res/wave/Music/MetaLevel.ogg")) {
            s_music = std::make_unique<testsounds::cTestResourceTree>("res/wave/Music");
            s_music->Add("MetaLevel.ogg", testsounds::EncodeTone(2000));
            ASSERT_TRUE(s_music->Mount());
        }
    }

    static inline std::unique_ptr<testsounds::cTestResourceTree> s_areas;
    static inline std::unique_ptr<testsounds::cTestResourceTree> s_music;
};
