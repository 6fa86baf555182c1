#pragma once
// The game's shared assets, loaded once for a test suite on a started, silent audio system, as the
// game has them after start-up. The GL context of the folder's main must be current.
#include "audio/AudioSystem.h"
#include "tests/support/StdoutOf.h"
#include "tests/support/TestSounds.h"
#include "world/CommonResources.h"

#include <gtest/gtest.h>

#include <memory>

inline void LoadSharedAssets(std::unique_ptr<cAudioSystem>& audio, std::unique_ptr<cCommonResources>& resources)
{
    testsounds::UseSilentSound();
    audio = std::make_unique<cAudioSystem>();
    ASSERT_TRUE(audio->Init());
    resources = std::make_unique<cCommonResources>(audio.get());
    StdoutOf([&resources] { ASSERT_TRUE(resources->LoadAll()); });
}
