// How long the sound-effect library takes to load and decode a game's worth of short effects.
// The game decodes every effect at start-up, so this is time the player waits.
#include "audio/AudioSystem.h"
#include "audio/SoundLibrary.h"

#include "tests/support/TestSounds.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kEffects = 90;
constexpr int kLengthsMs[] = {150, 300, 500, 800, 1200, 1500};

// Effects of mixed lengths, every third one in stereo, and the list naming them.
struct sEffectSet
{
    sEffectSet() : tree("benchsfx")
    {
        QByteArray list = "<SoundList>\n";
        for (int id = 0; id < kEffects; ++id) {
            const int lengthMs = kLengthsMs[id % std::size(kLengthsMs)];
            const QString name = QString("SFX/effect%1.ogg").arg(id);
            tree.Add(name, testsounds::EncodeTone(lengthMs, 0.5f, 220.0 + 10 * id, id % 3 == 0 ? 2 : 1));
            list += "  <sfx file=\"" + tree.BarePath(name).toUtf8() + "\"></sfx>\n";
            seconds += lengthMs / 1000.0;
        }
        tree.Add("Audio_SFX.xml", list + "</SoundList>\n");
        tree.Mount();
    }
    testsounds::cTestResourceTree tree;
    double seconds = 0.0;
};

void BM_LoadEffectLibrary(benchmark::State& state)
{
    testsounds::UseSilentSound();
    static sEffectSet effects;
    cAudioSystem audio;
    audio.Init();
    cSoundLibrary library(&audio);
    for (auto _ : state) {
        library.LoadFromXml(effects.tree.ResourcePath("Audio_SFX.xml"));
        benchmark::DoNotOptimize(library.GetCount());
    }
    state.counters["effects"] = library.GetCount();
    state.counters["sound_seconds"] = effects.seconds;
}
BENCHMARK(BM_LoadEffectLibrary)->Unit(benchmark::kMillisecond);

void BM_LoadGameEffectLibrary(benchmark::State& state)
{
    testsounds::UseSilentSound();
    cAudioSystem audio;
    audio.Init();
    cSoundLibrary library(&audio);
    for (auto _ : state) {
        library.LoadFromXml(":/res/wave/Audio_SFX.xml");
        benchmark::DoNotOptimize(library.GetCount());
    }
    state.counters["effects"] = library.GetCount();
}
BENCHMARK(BM_LoadGameEffectLibrary)->Unit(benchmark::kMillisecond);

} // namespace
