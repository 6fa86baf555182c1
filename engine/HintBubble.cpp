#include "engine/HintBubble.h"

#include "engine/Animation.h"
#include "engine/SharedAssets.h"

#include <cstdio>

namespace {

/// How long a bubble takes to close once hidden.
constexpr int kClosingMs = 1000;
/// The time an endless bubble keeps; only the thresholds below read it.
constexpr int kEndlessNominalMs = 1000;

constexpr int kWhite = 255;

} // namespace

cHintBubble::cHintBubble(int id, int timeMs)
    : timeLeft(timeMs > 0 ? timeMs : kEndlessNominalMs), displayTime(timeLeft), endless(timeMs == 0), contentId(id)
{
}

cHintBubble::~cHintBubble() = default;

std::unique_ptr<cAnimation> cHintBubble::CopyOf(int id)
{
    if (id < 0 || id >= static_cast<int>(gInfoBubbleAnims.size()) || !gInfoBubbleAnims[id]) {
        std::printf("\n ERROR: No info-bubble picture %d; the list holds %d \n\n", id,
                    static_cast<int>(gInfoBubbleAnims.size()));
        return nullptr;
    }
    return std::make_unique<cAnimation>(*gInfoBubbleAnims[id]);
}

void cHintBubble::ShowFrame(int id)
{
    frame = CopyOf(id);
    frameId = id;
}

int cHintBubble::Update(int dtMs)
{
    if (dtMs > timeLeft) {
        timeLeft = 0;
        return RESULT_DONE;
    }
    if (!opened && !closing) {
        // The time left equals the full time only before the first update after opening, so the
        // one-millisecond nudge marks the opening frame as started.
        if (timeLeft == displayTime) {
            ShowFrame(FRAME_OPENING);
            --timeLeft;
        }
        if (frame && frame->IsFinished()) {
            ShowFrame(FRAME_STEADY);
            content = CopyOf(contentId);
            opened = true;
        }
    } else if (opened && !closing && timeLeft <= displayTime / 3) {
        ShowFrame(FRAME_CLOSING);
        content.reset();
        closing = true;
    } else if (closing && frame && frame->IsFinished()) {
        frame.reset();
    }
    if (!endless)
        timeLeft -= dtMs;
    if (content) {
        content->Update(dtMs);
        if (content->IsFinished())
            Hide();
    }
    if (frame)
        frame->Update(dtMs);
    return RESULT_NONE;
}

void cHintBubble::Hide()
{
    if ((!frame && frameId != FRAME_OPENING) || frameId == FRAME_CLOSING)
        return;
    content.reset();
    ShowFrame(FRAME_CLOSING);
    timeLeft = kClosingMs;
    closing = true;
}

bool cHintBubble::IsOpen() const
{
    return frame && frameId != FRAME_CLOSING;
}

void cHintBubble::Reopen()
{
    timeLeft = displayTime;
    content.reset();
    ShowFrame(FRAME_OPENING);
    opened = false;
    closing = false;
}

void cHintBubble::SetContent(int id)
{
    if (content)
        content = CopyOf(id);
}

void cHintBubble::Draw(int x, int y)
{
    if (timeLeft == 0)
        return;
    if (frame)
        frame->Draw(x, y, kWhite, kWhite, kWhite, kWhite, 1);
    if (content)
        content->Draw(x, y, kWhite, kWhite, kWhite, kWhite, 1);
}

void cHintBubble::DrawScaled(int x, int y, int scale)
{
    if (timeLeft == 0)
        return;
    if (frame)
        frame->DrawScaled(x, y, scale, kWhite, kWhite, kWhite, kWhite);
    if (content)
        content->DrawScaled(x, y, scale, kWhite, kWhite, kWhite, kWhite);
}
