#pragma once

/// The sound effects characters play, by their number in the sound-effect list.
enum eCharacterEffect
{
    SFX_JUMP = 0,
    SFX_LAND = 1,
    SFX_ORANGE_CRIES = 4,
    SFX_POP = 5,            ///< a head-jump lands on terrain or a heart box
    SFX_GRAY_SHOUTS = 8,
    SFX_SPIRIT_LAUGH = 18,
    SFX_WOODPECKER = 25,
    SFX_AY = 26,
    SFX_LAND_FORM = 28,     ///< + id: antler, spirit, bat king
    SFX_DIE_SPIKES = 40,
    SFX_DIE_WATER = 41,
    SFX_ENTER_TREE = 49,    ///< + id
    SFX_TRANSFORM_IN = 59,
    SFX_TRANSFORM_OUT = 60,
    SFX_HEAD_JUMPED = 72,   ///< + id
};

/// An effect and the volume (0 to 1) it is played at.
struct sCharacterVoice
{
    int effect;
    float volume;
};

/// What a character says when it yawns, by id (0 brown, 1 orange, 2 gray) and form; effect -1
/// for any other id.
sCharacterVoice IdleVoice(int id, bool ancestorForm);
