#pragma once

class QString;
class QXmlStreamReader;
class cFrameManager;

/// Reads a frame-set file (root `ZORV_AREA_FRAMESETS`, not checked) into a frame manager: the
/// background colours, the star and ornament flags and the frame sets with their frames. Names are
/// matched exactly; unknown elements and attributes are skipped. Values are decimal integers (text
/// that is none reads as 0).
///
/// Elements that cannot be applied are refused with an "ERROR:" line and reading goes on: a frame
/// missing a required attribute or showing no texels, a `FrameSet` whose id names no set read so
/// far, a `BackgroundColor_LoF` before any `BackgroundColor`.
class cFrameSetReader
{
public:
    explicit cFrameSetReader(cFrameManager& manager) : manager(manager) {}

    /// Reads the file at path (":/" put in front when the path holds none). False, with an
    /// "ERROR:" line, when it does not open or holds no `FrameSet`; a file without `BackgroundColor`
    /// gets an "ERROR:" line too. An XML error ends reading and keeps what was read.
    bool Read(const QString& path);

private:
    void ReadTopLevel(QXmlStreamReader& xml);
    void ReadFrameSet(QXmlStreamReader& xml);
    void ReadFrame(QXmlStreamReader& xml, int set);
    void ReadAdvFrame(QXmlStreamReader& xml, int set);
    void ReadFrameV2(QXmlStreamReader& xml, int set, bool dynamic);
    void ReadBackgroundColor(QXmlStreamReader& xml);
    void ReadLandOfFirefliesColor(QXmlStreamReader& xml);

    cFrameManager& manager;
    int frameSetsRead = 0;
    bool backgroundRead = false;
};
