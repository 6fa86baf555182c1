#include "world/FrameManager.h"

#include "world/ComicFrame.h"
#include "world/CommonResources.h"
#include "world/FrameSetReader.h"
#include "world/FramedArea.h"

#include "actors/RainbowSpirit.h"
#include "actors/SharedActors.h"
#include "audio/SoundLibrary.h"
#include "engine/Animation.h"
#include "engine/SharedAssets.h"

#include <QGLContext>
#include <QGLFramebufferObject>
#include <QString>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kVirtualWidth = 480;
constexpr int kVirtualHeight = 272;
// The highest texel row and column of the world texture.
constexpr int kLastTexel = cFrameManager::kWorldTextureSize - 1;
// A world point (x, y) lies at texture row y + 240, counted from the bottom.
constexpr int kWorldToTextureY = 240;
// An area's start and end flash the background through this pair.
constexpr sZorv_BG_Color kLilac{216, 203, 236, 181, 159, 217};
// The mushroom ornament: its two common animations and the size of one piece at scale 1.
constexpr size_t kOrnamentTop = 15;
constexpr size_t kOrnamentBottom = 16;
constexpr int kOrnamentWidth = 28;
constexpr int kOrnamentHeight = 16;
// What an automatic switch after a shake shows, and how fast.
constexpr unsigned kAutoSwitchSet = 1;
constexpr unsigned kAutoSwitchMs = 500;
// A turn plays one of six sounds, at full volume.
constexpr int kFirstTurnSound = 31;
constexpr int kTurnSounds = 6;
// The riding spirit shows fear this long before it is put down.
constexpr int kScaredBeforePutDownMs = 250;

std::unique_ptr<QGLFramebufferObject> MakeWorldTexture()
{
    if (!QGLContext::currentContext()) {
        printf("\n ERROR: no current OpenGL context for the world texture \n\n");
        return nullptr;
    }
    // Nothing is drawn with a depth test, so the texture needs no depth buffer.
    auto fbo = std::make_unique<QGLFramebufferObject>(cFrameManager::kWorldTextureSize, cFrameManager::kWorldTextureSize);
    // The frames magnify the world by whole numbers: every texel must stay one hard square.
    glBindTexture(GL_TEXTURE_2D, fbo->texture());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    return fbo;
}

} // namespace

cFrameManager::cFrameManager(cFramedArea* ownerArea, cCommonResources* stars)
    : owner(ownerArea)
    , starField(stars)
    , worldTexture(MakeWorldTexture())
{
}

cFrameManager::~cFrameManager()
{
    worldTexture.reset();
    frameSets.clear();
    background.reset();
}

void cFrameManager::SwitchToFrameSet(unsigned index, unsigned ms)
{
    if (state == kFramesRotating || IsAnyFrameMoving() || InRotationLockout())
        return;
    const unsigned count = frameSets.size();
    if (ms == 0 ? index >= count : count == 0) {
        printf("\n ERROR: there is no frame set %u to switch to (%u sets) \n\n", index, count);
        return;
    }
    if (ms == 0) {
        currentSet = static_cast<int>(index);
        return;
    }
    targetSet = static_cast<int>(index % count);
    fadeElapsed = 0;
    fadeDuration = ms / 2;
    state = kFramesFadingOut;
}

bool cFrameManager::LoadFrameSets(const QString& path)
{
    const bool read = cFrameSetReader(*this).Read(path);
    currentSet = 0;
    return read;
}

void cFrameManager::Resize(int width, int height)
{
    windowWidth = width;
    windowHeight = height;
    pixelSize = std::max(1, std::min(width / kVirtualWidth, height / kVirtualHeight));
    offsetX = (width - kVirtualWidth * pixelSize) / 2;
    offsetY = (height - kVirtualHeight * pixelSize) / 2;
    if (background)
        background->SetSize(width, height);
}

void cFrameManager::RenderWorldToTexture(bool physicsOutlines, bool playerOutlines, bool sky, bool backgroundPictures)
{
    if (!owner || !worldTexture)
        return;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, kWorldTextureSize, 0, kWorldTextureSize, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    worldTexture->bind();
    glViewport(0, 0, kWorldTextureSize, kWorldTextureSize);
    // Texels that no frame shows are never seen: the area is painted only where the frames look.
    const QRect shown = ShownTexels();
    glEnable(GL_SCISSOR_TEST);
    glScissor(shown.x(), shown.y(), shown.width(), shown.height());
    glClear(GL_COLOR_BUFFER_BIT);
    owner->Draw(sky, backgroundPictures);
    if (physicsOutlines)
        owner->DrawPhysicsDebug();
    if (playerOutlines)
        owner->DrawPlayerPhysics();
    worldTexture->release();

    glPopAttrib();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

int cFrameManager::Update(int ms)
{
    ms = std::max(ms, 0);
    if (owner && background)
        background->BlendAt(owner->GetDayNightBlend());
    if (background)
        background->Update(ms);
    if (starsVisible && starField)
        starField->UpdateStars(ms);
    switch (state) {
    case kFramesRotating:
        UpdateRotation(ms);
        break;
    case kFramesFadingIn:
        FadeInStep(ms);
        break;
    case kFramesFadingOut:
        FadeOutStep(ms);
        break;
    case kFramesShakingBeforeSwitch:
        AutomaticSwitchStep(ms);
        break;
    default:
        break;
    }
    for (const auto& frame : CurrentFrames()) {
        if (frame->IsDynamic())
            FollowPlayer(*frame);
        frame->Update(ms);
    }
    if (state != kFramesRotating)
        playerFrame = FindPlayerFrame();
    return 0;
}

void cFrameManager::StartFadeIn(unsigned ms)
{
    fadeElapsed = 0;
    fadeDuration = ms;
    SetCurrentAlpha(0);
    state = kFramesFadingIn;
}

void cFrameManager::StartFadeOut(unsigned ms)
{
    targetSet = -1;
    fadeElapsed = 0;
    fadeDuration = ms;
    state = kFramesFadingOut;
}

bool cFrameManager::IsFadedOut() const
{
    return state == kFramesFadingOut && targetSet < 0 && fadeElapsed >= fadeDuration;
}

void cFrameManager::ShakeFrames(unsigned durationMs, int xRange, int yRange, int intervalMs, bool shrinking)
{
    for (const auto& frame : CurrentFrames())
        frame->SetShake(durationMs, xRange, yRange, intervalMs, shrinking);
}

void cFrameManager::ShakeThenSwitch(int delayMs, int xRange, int yRange, int intervalMs, bool shrinking)
{
    autoSwitchDelay = delayMs;
    ShakeFrames(static_cast<unsigned>(std::max(delayMs, 0)), xRange, yRange, intervalMs, shrinking);
    state = kFramesShakingBeforeSwitch;
    autoSwitchTimer = 0;
}

void cFrameManager::FlashBackground(int ms)
{
    if (!background)
        return;
    background->SetColors(kLilac);
    background->FadeToRecord(0, ms);
}

void cFrameManager::FadeBackgroundTo(int ms)
{
    if (background)
        background->FadeTo(kLilac, ms);
}

bool cFrameManager::CanRotate() const
{
    return !IsAnyFrameMoving() && state != kFramesFadingIn && state != kFramesFadingOut && gRainbowSpirit &&
           gRainbowSpirit->IsAliveWithBody() && !InRotationLockout();
}

bool cFrameManager::IsAnyFrameMoving() const
{
    const FrameList& frames = CurrentFrames();
    return std::any_of(frames.begin(), frames.end(), [](const auto& f) { return f->IsMoving(); });
}

const cFrameManager::FrameList& cFrameManager::GetFrameSet(int i) const
{
    static const FrameList none;
    return i >= 0 && i < GetFrameSetCount() ? frameSets[i] : none;
}

int cFrameManager::AddFrameSet()
{
    frameSets.emplace_back();
    return GetFrameSetCount() - 1;
}

bool cFrameManager::AddFrame(int set, int x, int y, int uMin, int vMin, int texWidth, int texHeight, int scale,
                             bool hasBorder, bool specialBlend)
{
    if (set < 0 || set >= GetFrameSetCount()) {
        printf("\n ERROR: a frame for frame set %d, which does not exist \n\n", set);
        return false;
    }
    if (texWidth < 1 || texHeight < 1 || scale < 1) {
        printf("\n ERROR: a frame of %d x %d texels at scale %d shows nothing \n\n", texWidth, texHeight, scale);
        return false;
    }
    const bool inTexture = uMin >= 0 && vMin >= 0 && texWidth <= kWorldTextureSize - uMin &&
                           texHeight <= kWorldTextureSize - vMin;
    const bool inReach = x >= -kMaxReach && x <= kMaxReach && y >= -kMaxReach && y <= kMaxReach;
    if (!inTexture || scale > kMaxScale || !inReach) {
        printf("\n ERROR: a frame at (%d, %d) showing %d x %d texels from (%d, %d) at scale %d lies beyond what a "
               "frame can be \n\n", x, y, texWidth, texHeight, uMin, vMin, scale);
        return false;
    }
    auto frame = std::make_unique<cComicFrame>();
    frame->Init(x, y, uMin, vMin, texWidth, texHeight, scale, hasBorder, specialBlend);
    frameSets[set].push_back(std::move(frame));
    return true;
}

bool cFrameManager::AddDynamicFrame(int set, int x, int y, int uMin, int vMin, int texWidth, int texHeight, int scale,
                                    bool hasBorder)
{
    if (!AddFrame(set, x, y, uMin, vMin, texWidth, texHeight, scale, hasBorder, false))
        return false;
    frameSets[set].back()->SetDynamic(true);
    return true;
}

cComicFrame* cFrameManager::FrameAtWindowPoint(int x, int y) const
{
    const int upY = windowHeight - y;
    for (const auto& frame : CurrentFrames()) {
        const QPointF pos = frame->GetScreenPos();
        const int left = static_cast<int>(pixelSize * pos.x() + offsetX);
        const int bottom = static_cast<int>(pixelSize * pos.y() + offsetY);
        const int right = left + frame->GetScreenWidth() * pixelSize;
        const int top = bottom + frame->GetScreenHeight() * pixelSize;
        if (left <= x && x <= right && bottom <= upY && upY <= top)
            return frame.get();
    }
    return nullptr;
}

void cFrameManager::SetBackground(const sZorv_BG_Color& first)
{
    background = std::make_unique<cColorBackground>(first);
    if (windowWidth >= 0)
        background->SetSize(windowWidth, windowHeight);
}

sZorv_BG_Color cFrameManager::GetBackgroundColor() const
{
    return background ? background->GetRecord(0) : sZorv_BG_Color{-1, -1, -1, -1, -1, -1};
}

int cFrameManager::OrnamentColumns() const
{
    return pixelSize < 1 ? 0 : windowWidth / (kOrnamentWidth * pixelSize) + 1;
}

unsigned cFrameManager::GetWorldTexture() const
{
    return worldTexture ? worldTexture->texture() : 0;
}

void cFrameManager::DrawBackgroundLayers()
{
    if (background)
        background->Paint();
    if (starsVisible && starField)
        starField->DrawStars(pixelSize);
    if (ornamentShown)
        DrawOrnament();
}

QRect cFrameManager::ShownTexels() const
{
    QRect shown;
    for (const auto& frame : CurrentFrames())
        shown |= frame->TexelRect();
    return shown;
}

void cFrameManager::DrawOrnament() const
{
    if (gCommonAnims.size() <= kOrnamentBottom || !gCommonAnims[kOrnamentTop] || !gCommonAnims[kOrnamentBottom])
        return;
    const int step = kOrnamentWidth * pixelSize;
    const int columns = OrnamentColumns();
    for (int i = 0; i < columns; ++i) {
        gCommonAnims[kOrnamentBottom]->DrawScaled(step * i, 0, pixelSize, 255, 255, 255, 255);
        gCommonAnims[kOrnamentTop]->DrawScaled(step * i, windowHeight - kOrnamentHeight * pixelSize, pixelSize, 255,
                                               255, 255, 255);
    }
}

void cFrameManager::DrawFrameLayer(const cComicFrame* highlighted)
{
    if (!worldTexture || pixelSize < 1)
        return;
    glColor4f(1, 1, 1, 1);
    glBindTexture(GL_TEXTURE_2D, worldTexture->texture());
    glTranslatef(offsetX, offsetY, 0);
    for (const auto& frame : CurrentFrames()) {
        if (IsFading())
            frame->DrawZoomFade(pixelSize, true);
        else
            frame->Draw(pixelSize, 1, 1, 1, 1);
    }
    if (highlighted)
        highlighted->Draw(pixelSize, 1, 0, 0, 1);
    DrawRidingSpirit();
    glTranslatef(-offsetX, -offsetY, 0);
}

bool cFrameManager::DeleteFrame(const cComicFrame* frame)
{
    if (currentSet < 0 || currentSet >= GetFrameSetCount())
        return false;
    FrameList& frames = frameSets[currentSet];
    const auto it = std::find_if(frames.begin(), frames.end(), [frame](const auto& f) { return f.get() == frame; });
    if (it == frames.end())
        return false;
    if (playerFrame == frame)
        playerFrame = nullptr;
    frames.erase(it);
    return true;
}

void cFrameManager::SetCurrentAlpha(float a)
{
    for (const auto& frame : CurrentFrames())
        frame->SetAlpha(a);
}

void cFrameManager::AdvanceFade(int ms)
{
    fadeElapsed = std::min(fadeElapsed + static_cast<unsigned>(ms), fadeDuration);
}

float cFrameManager::FadeProgress() const
{
    // The frames change during the first half of a fade and hold still for the second; a fade too
    // short to have a first half is over at once.
    const unsigned half = fadeDuration / 2;
    if (half == 0)
        return 1;
    return std::min(1.0f, std::sqrt(static_cast<float>(fadeElapsed) / half));
}

void cFrameManager::FadeInStep(int ms)
{
    AdvanceFade(ms);
    SetCurrentAlpha(FadeProgress());
    if (fadeElapsed >= fadeDuration - fadeDuration / 5 && owner && owner->IsPaused())
        owner->ClearPaused();
    if (fadeElapsed >= fadeDuration) {
        state = kFramesIdle;
        fadeElapsed = 0;
    }
}

void cFrameManager::FadeOutStep(int ms)
{
    AdvanceFade(ms);
    SetCurrentAlpha(1 - FadeProgress());
    if (fadeElapsed >= fadeDuration / 5 && owner && !owner->IsPaused())
        owner->SetPaused(false);
    if (fadeElapsed >= fadeDuration && targetSet >= 0) {
        currentSet = targetSet;
        targetSet = -1;
        StartFadeIn(fadeDuration);
    }
}

void cFrameManager::AutomaticSwitchStep(int ms)
{
    autoSwitchTimer += ms;
    if (autoSwitchTimer > autoSwitchDelay) {
        SwitchToFrameSet(kAutoSwitchSet, kAutoSwitchMs);
        autoSwitchTimer = -1;
    }
}

void cFrameManager::FollowPlayer(cComicFrame& frame) const
{
    float cx = 0, cy = 0;
    if (!owner || !owner->GetFocusPlayerCenter(cx, cy))
        return;
    const int w = frame.GetTexWidth(), h = frame.GetTexHeight();
    int u = static_cast<int>(cx - w / 2);
    u = std::min(std::max(u, 0), kLastTexel - w);
    int v = static_cast<int>(kLastTexel - (cy + kWorldToTextureY + h / 2));
    v = std::max(v, 0);
    if (v + h > kLastTexel)
        v = kLastTexel - h;
    frame.SetTexRect(u, v, w, h);
}

// ---- quarter turns

QPointF cFrameManager::GetPlayerScreenPos() const
{
    return QPointF(playerScreenX, playerScreenY);
}

void cFrameManager::Rotate(bool left)
{
    if (!CanRotate())
        return;
    cRainbowSpirit& spirit = *gRainbowSpirit;
    if (spirit.IsSpecialAirborne())
        UpdatePlayerScreenPos();
    if (!spirit.IsSpecialEnabled())
        playerFrame = nullptr;
    state = kFramesRotating;
    rotationTimer = -1;
    spirit.SetTurnStarted(true);
    spirit.SetStayedAfterTurn(false);
    spirit.SetPlacedAfterTurn(false);
    spirit.SetLastTurn(left ? cRainbowSpirit::TURN_LEFT : cRainbowSpirit::TURN_RIGHT);
    spirit.SetPresent(false);
    PlaySoundEffect(kFirstTurnSound + std::rand() % kTurnSounds, 1.0f);
    orientation = (orientation + (left ? 3 : 1)) % 4;
    for (const auto& frame : CurrentFrames()) {
        if (left)
            frame->StartRotateLeft(orientation);
        else
            frame->StartRotateRight(orientation);
    }
}

void cFrameManager::UpdateRotation(int ms)
{
    cRainbowSpirit* spirit = gRainbowSpirit;
    if (!spirit) {
        state = kFramesIdle;
        rotationTimer = -1;
        return;
    }
    const bool moving = IsAnyFrameMoving();
    if (moving && spirit->GetAnimationIndex() == ANIM_SPECIAL_2)
        spirit->SetAnimation(ANIM_SPECIAL, true);
    if (!moving && rotationTimer < 0) {
        rotationTimer = 0;
        if (!spirit->IsSpecialEnabled()) {
            playerFrame = FindFrameUnderPlayer();
        } else {
            spirit->SetStayedAfterTurn(true);
            spirit->ResetSpecial();
        }
    }
    if (rotationTimer < 0)
        return;
    rotationTimer += ms;
    if (!spirit->IsSpecialEnabled() && rotationTimer > rotationWait - kScaredBeforePutDownMs &&
        spirit->GetAnimationIndex() != ANIM_SPECIAL_2 && !playerFrame)
        spirit->SetAnimation(ANIM_SPECIAL_2, true);
    if (spirit->IsSpecialEnabled() && rotationTimer > rotationLockout) {
        state = kFramesIdle;
        rotationTimer = -1;
    }
    if (!spirit->IsSpecialEnabled() && rotationTimer > rotationWait) {
        TeleportPlayerToFrame();
        state = kFramesIdle;
        rotationTimer = -1;
    }
}

cComicFrame* cFrameManager::FindPlayerFrame() const
{
    const cRainbowSpirit* spirit = gRainbowSpirit;
    if (!spirit || !spirit->HasBody())
        return nullptr;
    const b2Vec2 c = spirit->GetCenter();
    const float w = spirit->GetWidth(), h = spirit->GetHeight();
    cComicFrame* best = nullptr;
    float bestDepth = 0;
    for (const auto& frame : CurrentFrames()) {
        if (!frame->OverlapsPlayer(c.x, c.y, w, h))
            continue;
        const float depth = frame->InsideDepth(c.x, c.y);
        if (!best || depth > bestDepth) {
            best = frame.get();
            bestDepth = depth;
        }
    }
    // A body that only grazes a window's edge is shown too little there to be carried off it.
    return best && bestDepth > -w / 4 ? best : nullptr;
}

cComicFrame* cFrameManager::FindFrameUnderPlayer() const
{
    const cRainbowSpirit* spirit = gRainbowSpirit;
    if (!spirit)
        return nullptr;
    const float s = static_cast<float>(playerScaleClass);
    const float w = spirit->GetWidth() * s, h = spirit->GetHeight() * s;
    // Put down only where a quarter of the spirit's picture lands on a panel.
    float bestOverlap = w * h * 0.25f;
    cComicFrame* best = nullptr;
    for (const auto& frame : CurrentFrames()) {
        const float overlap = frame->OverlapArea(playerScreenX, playerScreenY, w, h);
        if (overlap > bestOverlap) {
            best = frame.get();
            bestOverlap = overlap;
        }
    }
    return best;
}

bool cFrameManager::UpdatePlayerScreenPos()
{
    playerFrame = FindPlayerFrame();
    if (!playerFrame)
        return false;
    cRainbowSpirit& spirit = *gRainbowSpirit;
    spirit.DisableSpecial();
    const b2Vec2 corner = spirit.GetPosition();
    const QPointF onScreen = playerFrame->WorldToScreen(corner.x, corner.y);
    playerScreenX = static_cast<float>(onScreen.x());
    playerScreenY = static_cast<float>(onScreen.y());
    playerScaleClass = playerFrame->GetScaleClass();
    playerFrame = nullptr;
    return true;
}

void cFrameManager::TeleportPlayerToFrame()
{
    cRainbowSpirit* spirit = gRainbowSpirit;
    if (!spirit || spirit->IsSpecialEnabled() || !spirit->HasBody())
        return;
    playerFrame = FindFrameUnderPlayer();
    if (!playerFrame) {
        spirit->FinishSpecial();
        return;
    }
    const QPointF p = playerFrame->ScreenToWorld(playerScreenX, playerScreenY);
    spirit->SetPlacedAfterTurn(true);
    spirit->SetSpecialEnabled(true);
    spirit->ResetSpecial();
    spirit->SetPosition(static_cast<float>(p.x()), static_cast<float>(p.y()));
    rotationTimer = 0;
}

void cFrameManager::DrawRidingSpirit() const
{
    cRainbowSpirit* spirit = gRainbowSpirit;
    if (!spirit || spirit->IsSpecialEnabled())
        return;
    spirit->DrawScaled(pixelSize * playerScreenX, pixelSize * playerScreenY,
                       static_cast<float>(pixelSize * playerScaleClass));
}
