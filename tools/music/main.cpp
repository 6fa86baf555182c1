// Plays one score (a piece of music or an ambience bed) and writes it as stereo Ogg Vorbis:
//   mirrowen_music <score.txt> <output.ogg>
// The file's comment header says whether it loops ("LOOP=1") or plays once ("LOOP=0").
#include "tools/music/Ambience.h"
#include "tools/music/Arranger.h"
#include "tools/music/Master.h"
#include "tools/music/ScoreReader.h"
#include "tools/synth/OggWriter.h"

#include <cstdio>
#include <fstream>

namespace
{
// Music keeps its attacks clean at about 110 kbit/s; the beds' noise needs less.
constexpr float kMusicQuality = 0.3f;
constexpr float kBedQuality = 0.1f;

Stereo Play(const Score& score)
{
    if (score.bed)
    {
        Stereo bed = Master::BlendLoop(PlayBed(score), score.bedSeconds, kBedOverlap);
        Master::Level(bed, Master::kBedLufs);
        return bed;
    }
    double length = 0.0;
    Stereo played = PlayMusic(score, length);
    Master::Polish(played);
    Stereo music = score.loop ? Master::FoldLoop(played, length) : Master::RingOut(played);
    Master::Level(music, Master::kMusicLufs);
    return music;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: %s <score.txt> <output.ogg>\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in)
    {
        std::perror(argv[1]);
        return 1;
    }
    try
    {
        const Score score = ReadScore(in);
        const Stereo sound = Play(score);
        const std::vector<std::string> tags = {score.loop ? "LOOP=1" : "LOOP=0"};
        const float quality = score.bed ? kBedQuality : kMusicQuality;
        return WriteOgg({&sound.left, &sound.right}, argv[2], quality, tags) ? 0 : 1;
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.what());
        return 1;
    }
}
