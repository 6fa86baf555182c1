#pragma once

#include <QString>

class QXmlStreamWriter;

/// The four user settings, kept in the per-user "Settings.xml":
///   ZORV_SETTINGS / AUDIO / Music Mute="0|1", SFX Mute="0|1"; ZORV_SETTINGS / FULLSCREEN FullScreen="0|1".
/// The ambience has no element of its own: it is never written, and every Load that reads an SFX
/// element makes it follow the effects flag. GUI thread only.
class cGameSettings
{
public:
    /// All flags false; the file name "Settings.xml".
    cGameSettings();

    bool IsMusicMuted() const;
    bool IsAmbienceMuted() const;
    bool IsSFXMuted() const;
    bool IsFullScreen() const;

    /// Each flips its flag; nothing is written until Save.
    void ToggleMusicMute();
    void ToggleAmbienceMute();
    void ToggleSFXMute();
    void ToggleFullScreen();
    void SetFullScreen(bool on);

    /// Reads the settings from the per-user file of that relative name, making a missing user copy
    /// from the template with the values read. A flag is set when its value is exactly 1; a flag whose
    /// element is absent keeps its value. False after the message when the user copy, or without one
    /// the template, cannot be opened for reading; then nothing changes. A missing copy that cannot be
    /// written costs only the copy (reported). A damaged file is read as far as it is sound, reported,
    /// and gives true. On success the name is kept for Save.
    bool Load(const QString& relativeName);
    /// Writes the flags to the user copy of the last name loaded, atomically. False after the
    /// message; the file on disk is then unchanged.
    bool Save() const;

private:
    void WriteSettings(QXmlStreamWriter& xml) const;

    QString fileName;
    bool musicMuted;
    bool ambienceMuted;
    bool sfxMuted;
    bool fullScreen;
};
