#include "actors/CharacterSounds.h"

sCharacterVoice IdleVoice(int id, bool ancestorForm)
{
    switch (id) {
    case 0:
        return ancestorForm ? sCharacterVoice{SFX_WOODPECKER, 0.4f} : sCharacterVoice{SFX_AY, 1.0f};
    case 1:
        return ancestorForm ? sCharacterVoice{SFX_SPIRIT_LAUGH, 1.0f} : sCharacterVoice{SFX_ORANGE_CRIES, 0.4f};
    case 2:
        return {SFX_GRAY_SHOUTS, 1.0f};
    default:
        return {-1, 0.0f};
    }
}
