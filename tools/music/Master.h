#pragma once

#include "tools/music/Stereo.h"

/// The last steps before a track is written: its length settled (a loop closed on itself, a
/// piece played once left to ring out), its loudness brought to the target and its peaks held
/// below full scale.
namespace Master
{
/// Integrated loudness every piece of music is brought to, and the quieter one of the beds.
constexpr double kMusicLufs = -20.0;
constexpr double kBedLufs = -29.0;

/// The master's colour, given to the music as played, before its length is settled (every
/// step is linear, so a loop folded afterwards still joins as smoothly): the rumble below
/// 30 Hz and any offset taken away, the presence band around 3.5 kHz lifted so the tunes
/// speak, and the difference between the sides raised so the mix is heard wide.
void Polish(Stereo& played);
/// Folds everything past the loop's length (notes and echoes still ringing) back onto its
/// start, as it sounds when the loop comes round again; the join is then as smooth as any
/// other moment of the music.
Stereo FoldLoop(const Stereo& played, double loopSeconds);
/// Blends the overlap (seconds) past the loop's length into its start with equal power: for beds
/// of noise and scattered events, whose continuous sounds do not ring out but go on. Only as far
/// as they go on: past their end the room's ring alone would be blended in, and the loop's
/// level would drop where the blend ends. Whatever rings past the overlap is left out.
Stereo BlendLoop(const Stereo& played, double loopSeconds, double overlapSeconds);
/// Trims the silence after a piece that plays once and fades its very end.
Stereo RingOut(const Stereo& played);
/// Brings the sound to the loudness (LUFS), rounding off whatever peaks would then pass the
/// ceiling.
void Level(Stereo& sound, double lufs);
} // namespace Master
