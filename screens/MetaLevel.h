#pragma once

#include "engine/FontManager.h"
#include "screens/GameState.h"

#include <QPoint>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class cAnimation;
class cColorBackground;
class cFlyingHearts;
class cSound;

/// The interlude before every area entered in play: it names the next area, lets one of the
/// game's characters speak a line (the area file may choose the speaker and the line), lets the
/// hearts brought from the last area fly across, keeps the music between areas playing and waits
/// for any key or mouse button. `Update` then reports 1 and the controller loads `GetNextArea`.
///
/// Its picture is the 480 x 272 virtual screen, centred at the largest whole scale that fits.
class cMetaLevel : public cGameState
{
public:
    /// The music between areas as the area selection hands it over (owned from now on), or null.
    explicit cMetaLevel(cSound* music);
    ~cMetaLevel() override;

    /// The interlude before the first area, without hearts.
    bool Init(cCommonResources* resources, cAudioSystem* audio, cGameSettings* settings) override;
    /// Reads the area file again and picks a new speaker and line, unless the file fixes them.
    void Start() override;
    void ApplySettings(cGameSettings* settings) override;
    /// What `Update` answers.
    enum eResult
    {
        RESULT_NONE = 0,
        RESULT_NEXT_AREA = 1, ///< from the tick after a key or click on
    };
    /// An `eResult`.
    int Update(int dtMs) override;
    void Draw(bool flag) override;
    void Resize(int w, int h) override;
    /// Any key leaves: a menu sound, and the music stops at once.
    void HandleInput(cInputHandler* input) override;
    void Leave(int code) override;
    bool ShowMouseCursor() override { return false; }
    /// Any button does what a key does.
    void MousePress(int x, int y, int button, cInputHandler* input) override;

    /// Builds the interlude for the area of that file with the heart counts its exit reported,
    /// and starts the music unless it was handed over. Always true: an area that cannot be read
    /// shows an empty name, and its loading is the controller's to handle.
    virtual bool InitWithArea(cCommonResources* resources, cAudioSystem* audio, cGameSettings* settings,
                              const std::string& fileName, int pinkHearts, int greenHearts);

    std::string GetNextArea() const { return nextArea; }

    /// The music between areas ("res/wave/Music/MetaLevel.ogg", looping), fading in from silence
    /// over 20 ms and muted as the settings say; owned by the caller. Without the file it is a
    /// sound that plays nothing.
    static cSound* StartMusic(cAudioSystem* audio, cGameSettings* settings);

    /// Speakers are 1 to 8; 0 is none yet.
    int GetSpeaker() const { return speaker; }
    const QString& GetQuote() const { return quote; }
    const QString& GetNextAreaName() const { return nextAreaName; }
    const std::vector<cAnimation*>& GetSpeakerPictures() const { return speakerPictures; }
    const std::vector<QPoint>& GetPictureSpots() const { return pictureSpots; }
    const cSound* GetMusic() const { return music; }
    const cFlyingHearts* GetHearts() const { return hearts.get(); }

    /// Every line a speaker may say, in order; empty outside 1 to 8.
    static std::vector<QString> SpeakerLines(int speaker);

private:
    bool ReadAreaFile();
    void ChooseSpeaker();
    /// The speaker's name and pictures.
    void SetSpeaker();
    void LayoutSpeaker();
    /// A key or a click: the menu sound, the music stopped, leaving.
    void LeaveByPlayer();
    /// Centred on the window by its length in glyphs, as the interlude lines its texts up.
    void DrawCentredLine(const QString& text, int dx, int y) const;

    cSound* music;
    bool leaveRequested = false;
    std::unique_ptr<cColorBackground> background;
    QString nextAreaName;
    cFontManager font;
    int speaker = 0;
    bool speakerFixed = false;
    QString speakerName;
    QString quote;
    std::vector<cAnimation*> speakerPictures;
    std::vector<QPoint> pictureSpots;
    std::unique_ptr<cFlyingHearts> hearts;
    std::string nextArea;
};
