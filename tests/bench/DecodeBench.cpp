// How long each piece of music and ambience takes to decode, in one pass and shared out among the
// cores: every screen that opens with its music, and every area load, waits for it.
#include "platform/sound/DecodedSound.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

namespace {

const char* const kPieces[] = {
    "Music/MENU_Loop", "Music/MetaLevel", "Music/Meadow", "Music/Cave", "Music/CaveDeep",
    "Music/Credits", "Music/EndArea_Farewell", "Music/EndArea_Reunion", "Music/Fortress",
    "Music/HeartTree", "Music/MushroomHollow", "Music/MushroomNight", "Music/Rainbow",
    "Music/SkySpirit", "Music/Water", "Ambience/Cave_Day", "Ambience/Cave_Night",
    "Ambience/Meadow_Day", "Ambience/Meadow_Night", "Ambience/Water_Day", "Ambience/Water_Night",
};

void BM_Decode(benchmark::State& state, const char* piece)
{
    QFile file(QStringLiteral(":/res/wave/%1.ogg").arg(piece));
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("the piece is not in the resources");
        return;
    }
    const QByteArray bytes = file.readAll();
    const auto threads = static_cast<unsigned>(state.range(0));
    cDecodedSound sound;
    for (auto _ : state)
        benchmark::DoNotOptimize(sound.DecodeOggVorbis(bytes.constData(), std::size_t(bytes.size()), threads));
    state.counters["seconds"] = double(sound.GetFrames()) / std::max(1, sound.GetRate());
    state.counters["stretches"] = double(sound.GetStretches());
}

const bool kRegistered = [] {
    for (const char* piece : kPieces)
        benchmark::RegisterBenchmark(("BM_Decode/" + std::string(piece)).c_str(), BM_Decode, piece)
            ->ArgName("threads")
            ->Arg(1)
            ->Arg(int(cDecodedSound::DefaultThreads()))
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.5);
    return true;
}();

} // namespace
