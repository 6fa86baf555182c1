#pragma once

#include <QByteArray>

class QString;
class QXmlStreamWriter;
class cComicFrame;
class cFrameManager;

/// Writes a frame manager's presentation as a frame-set file that cFrameSetReader reads back into
/// the same presentation: the background's day colours (record 0) and Land-of-Fireflies colour
/// (record 1, when there is one), the star and ornament flags, and every frame set in order, each
/// frame as a `FrameV2` (or a `DynamicFrame`) at its home position with its present texture window.
/// The file is indented by four spaces, one element per line.
class cFrameSetWriter
{
public:
    explicit cFrameSetWriter(const cFrameManager& manager) : manager(manager) {}

    /// Writes the file at path (a file on disk; the resource tree cannot be written) and replaces
    /// an earlier one as a whole, or leaves it untouched when writing fails. False, with an
    /// "ERROR:" line, when the file cannot be written.
    bool Write(const QString& path) const;
    /// The file's text, as Write would write it.
    QByteArray Text() const;

private:
    void WriteBackground(QXmlStreamWriter& xml) const;
    void WriteFlags(QXmlStreamWriter& xml) const;
    void WriteFrameSet(QXmlStreamWriter& xml, int set) const;
    static void WriteFrame(QXmlStreamWriter& xml, const cComicFrame& frame);

    const cFrameManager& manager;
};
