#pragma once
// The scripted first and last areas read from their real files, with test tones in place of their
// sounds, and shown through their real frame sets on a canvas of the window's size (pixel size 2).
#include "world/FrameEditor.h"

#include "tests/support/GlCanvas.h"
#include "tests/world/AreaFiles.h"

#include <QFile>
#include <QRegularExpression>

class ScriptedAreaFixture : public AreaFileFixture
{
protected:
    void TearDown() override
    {
        frames.reset();
        AreaFileFixture::TearDown();
    }

    /// The real area file at resource ("res/Areas/X.xml") with its `Audio` element replaced by
    /// audio, in which every "TONE" names a two-second test tone; mounted, made as a T and
    /// initialised (`initialised` tells how that went), with the frame sets of the real file beside
    /// it.
    template <class T>
    T* LoadScriptedArea(const QString& resource, QString audio)
    {
        QFile file(":/" + resource);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(resource);
        QString xml = QString::fromUtf8(file.readAll());
        xml.remove(QRegularExpression("<Audio>.*</Audio>", QRegularExpression::DotMatchesEverythingOption));
        audio.replace("TONE", QString::fromUtf8(Bare("long.ogg")));
        xml.replace("</ZORV_AREA_SAVE_FILE>", audio + "\n</ZORV_AREA_SAVE_FILE>");
        tree = std::make_unique<testsounds::cTestResourceTree>(root);
        tree->Add("area.xml", xml.toUtf8());
        tree->Add("long.ogg", testsounds::EncodeTone(2000));
        EXPECT_TRUE(tree->Mount());
        auto* made = new T(tree->BarePath("area.xml").toStdString(), s_resources.get());
        area.reset(made);
        output = StdoutOf([this] { initialised = area->Init(s_audio.get(), false, false); });
        frames = std::make_unique<cFrameEditor>(area.get(), s_resources.get());
        EXPECT_TRUE(frames->LoadFrameSets(QString(resource).replace(".xml", "_Frames.xml")));
        frames->Resize(kWidth, kHeight);
        return made;
    }

    /// The area through its frames, saved under the build folder's test pictures.
    void Paint(const char* name)
    {
        frames->RenderWorldToTexture(false, false, true, true);
        canvas.Bind();
        frames->Draw();
        canvas.Save(name);
    }

    static float Volume(FMOD_CHANNEL* channel)
    {
        float volume = -1.0f;
        FMOD_Channel_GetVolume(channel, &volume);
        return volume;
    }

    static constexpr int kWidth = 960, kHeight = 544;
    std::unique_ptr<cFrameEditor> frames;
    GlCanvas canvas{kWidth, kHeight};
};
