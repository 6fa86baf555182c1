#pragma once

#include "Effects.h"
#include "Palette.h"

#include <QMap>
#include <QStringList>

/// All sprites by name, read from pixel-art text files.
///
/// A sprite is a strip of equally sized frames. Art files hold directives, one per
/// line ('#' starts a comment line):
///
///   sprite NAME W H          frames drawn in palette letters, ended by "end"; each
///   <H rows>                 row holds the frames side by side, separated by one
///   [blank line, H rows]...  space; further blocks after a blank line add frames
///   end
///   mirror NEW SRC                  SRC flipped left to right (walk left from walk right)
///   reverse NEW SRC                 SRC's frames in reverse order
///   pick NEW SRC I J ...            frames I, J, ... of SRC (repeats allowed)
///   join NEW A B ...                A's frames, then B's, ... (same frame size)
///   canvas NEW SRC W H DX DY        SRC's frames on a W x H canvas at (DX, DY)
///   recolor NEW SRC ab cd ...       letter a's colour becomes b's, c's becomes d's, ...
///   outline NEW SRC E LETTERS       every clear pixel outside the shape that touches one of
///                                   LETTERS' colours (side or corner) becomes E; holes stay clear
///   shade NEW SRC S DX DY LETTERS   every pixel of LETTERS' colours whose neighbour (DX, DY) is
///                                   clear inside a hole of the shape becomes S
///   overlay NEW BASE TOP DX DY      TOP's frames drawn over BASE's at (DX, DY) (a one-frame
///                                   strip pairs with every frame of the other)
///   shift NEW SRC I DX,DY ...       frame I of SRC moved by (DX, DY), one frame per pair
///   squash NEW SRC I SX,SY ...      frame I of SRC scaled about its foot, one frame per factor pair
///   spin NEW SRC I                  frame I turned by quarter turns (4 frames; square frames)
///   burst NEW SRC I W H N           frame I flashing and flying apart on a W x H canvas, N frames
///   morph NEW A I B J W H N         frame I of A changing into frame J of B on W x H, N frames
///   shrink NEW SRC I PX PY N        frame I shrinking into pixel (PX, PY), N frames
///   enlarge NEW SRC N               every pixel of SRC an N x N block
///   overlay NEW BASE TOP DX DY TOP2 DX2 DY2 ...   several tops, drawn in order
///   box NEW W H FILL EDGE           a W x H rectangle of letter FILL with a border of EDGE
///   ellipse NEW W H FILL EDGE       the ellipse filling W x H, FILL inside a border of EDGE
///   letters FONT CHARS              FONT's frames are the characters CHARS, in order ('_' for
///                                   a frame that no text uses, such as the space)
///   text NEW FONT WORD ...          the words, one space apart, set in FONT (see `letters`)
///   cut NEW SRC I W H X,Y ...       W x H pieces of frame I of SRC, their top-left corners at
///                                   (X, Y), one frame per pair (tiles of a large picture)
///   painting NAME KIND W H [SEED]   a one-frame picture drawn in code (see Paintings.h)
///
/// A name must be defined before it is used; files are read in name order.
class SpriteBook
{
public:
    explicit SpriteBook(const Palette &palette) : m_palette(palette) {}

    /// Reads one art file; false with "file:line: message" in `error` on any fault.
    bool Load(const QString &path, QString *error);

    bool Contains(const QString &name) const { return m_sprites.contains(name); }
    const Effects::Frames &Frames(const QString &name) const { return m_sprites.find(name).value(); }
    QStringList Names() const { return m_sprites.keys(); }

private:
    bool ReadGrid(const QStringList &header, QStringList &lines, int &lineNo, QString *error);
    bool Derive(const QStringList &tokens, QString *error);
    /// The directives that make a sprite from nothing but numbers and letters, and `letters`.
    bool Generate(const QStringList &tokens, QString *error);
    /// The colour of a palette letter for a directive; false with a message for another.
    bool LetterColour(const QString &letter, QRgb *colour, QString *error) const;
    bool Paint(const QStringList &tokens, QString *error);
    bool Add(const QString &name, const Effects::Frames &frames, QString *error);
    /// The sprite `name`, or null with a message.
    const Effects::Frames *Find(const QString &name, QString *error) const;
    /// Frame `index` of sprite `name`, or a null image with a message.
    QImage FrameOf(const QString &name, const QString &index, QString *error) const;

    const Palette &m_palette;
    QMap<QString, Effects::Frames> m_sprites;
    /// The characters of each font's frames, by the font's sprite name.
    QMap<QString, QString> m_letters;
};
