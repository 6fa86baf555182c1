#pragma once
// What the shared-asset store gives the actors at start-up, made for the actor tests: the game's
// chip sets, a sound-effect library that only listens, and a small info-bubble list.
#include "tests/support/RecordingSoundLibrary.h"

#include <memory>
#include <vector>

class cAnimation;
class cImage;

/// Fills the chip-set slots 1 and 2 (characters and forms) from the game's resource tree and the
/// shared info-bubble list with pictures of known timing, and points the game at the recording
/// library, for the lifetime of the object; empties everything again afterwards.
class cActorTestAssets
{
public:
    /// Frames of the opening and closing pictures, and their time per frame.
    static constexpr int kBubbleFrames = 6;
    static constexpr int kBubbleFrameMs = 50;
    /// Contents: 3 loops, 4 plays once in kOnceMs.
    static constexpr int kLoopingContent = 3;
    static constexpr int kOnceContent = 4;
    static constexpr int kOnceMs = 400;

    cActorTestAssets();
    ~cActorTestAssets();

    cRecordingSoundLibrary sounds;

private:
    std::vector<std::unique_ptr<cImage>> chipSets;
    std::vector<std::unique_ptr<cAnimation>> bubbles;
};

/// The game's own info-bubble list (chip set 0) in place of the small test list, for the lifetime
/// of the object; made inside a cActorTestAssets' lifetime.
class cGameInfoBubbles
{
public:
    cGameInfoBubbles();
    ~cGameInfoBubbles();

private:
    std::unique_ptr<cImage> chipSet0;
    std::vector<std::unique_ptr<cAnimation>> bubbles;
    std::vector<cAnimation*> saved;
};
