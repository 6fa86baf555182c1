#include "SpriteBook.h"

#include "Paintings.h"
#include "SourceText.h"

namespace
{
bool ToInts(const QStringList &tokens, int first, int count, QVector<int> &out)
{
    if (tokens.size() < first + count)
        return false;
    for (int i = first; i < first + count; ++i) {
        bool ok = false;
        out.append(tokens[i].toInt(&ok));
        if (!ok)
            return false;
    }
    return true;
}

/// The colours of the palette letters of `letters`; false when one is not a palette letter.
bool PaletteColours(const Palette &palette, const QString &letters, QVector<QRgb> &out)
{
    for (QChar letter : letters) {
        if (!palette.Contains(letter))
            return false;
        out.append(palette.Colour(letter));
    }
    return true;
}
} // namespace

bool SpriteBook::Load(const QString &path, QString *error)
{
    QStringList lines;
    if (!SourceText::ReadLines(path, &lines, error))
        return false;
    for (int lineNo = 0; lineNo < lines.size(); ++lineNo) {
        const QString line = lines[lineNo].trimmed();
        if (SourceText::IsSkippable(line))
            continue;
        const QStringList tokens = line.split(' ', Qt::SkipEmptyParts);
        QString message;
        const int start = lineNo;
        const bool generated = tokens[0] == "box" || tokens[0] == "ellipse" || tokens[0] == "letters";
        const bool ok = tokens[0] == "sprite"     ? ReadGrid(tokens, lines, lineNo, &message)
                      : tokens[0] == "painting" ? Paint(tokens, &message)
                      : generated               ? Generate(tokens, &message)
                                                : Derive(tokens, &message);
        if (!ok) {
            *error = QString("%1:%2: %3").arg(path).arg(start + 1).arg(message);
            return false;
        }
    }
    return true;
}

bool SpriteBook::ReadGrid(const QStringList &header, QStringList &lines, int &lineNo, QString *error)
{
    QVector<int> size;
    if (header.size() != 4 || !ToInts(header, 2, 2, size) || size[0] < 1 || size[1] < 1) {
        *error = "expected 'sprite NAME W H'";
        return false;
    }
    const int w = size[0], h = size[1];
    Effects::Frames frames;
    ++lineNo;
    while (lineNo < lines.size() && lines[lineNo].trimmed() != "end") {
        if (lines[lineNo].trimmed().isEmpty()) {
            ++lineNo;
            continue;
        }
        // One block: h rows, each holding every frame of the block side by side.
        const int blockStart = frames.size();
        for (int row = 0; row < h; ++row, ++lineNo) {
            if (lineNo >= lines.size()) {
                *error = QString("sprite %1: block ends after %2 of %3 rows").arg(header[1]).arg(row).arg(h);
                return false;
            }
            const QStringList cells = lines[lineNo].trimmed().split(' ', Qt::SkipEmptyParts);
            if (row == 0)
                for (int f = 0; f < cells.size(); ++f)
                    frames.append(Effects::Blank(w, h));
            if (cells.size() != frames.size() - blockStart) {
                *error = QString("sprite %1: row %2 of a block has %3 frames, its first row %4")
                             .arg(header[1]).arg(row + 1).arg(cells.size()).arg(frames.size() - blockStart);
                return false;
            }
            for (int f = 0; f < cells.size(); ++f) {
                if (cells[f].size() != w) {
                    *error = QString("sprite %1: row %2 of frame %3 is %4 wide, not %5")
                                 .arg(header[1]).arg(row + 1).arg(blockStart + f).arg(cells[f].size()).arg(w);
                    return false;
                }
                for (int x = 0; x < w; ++x) {
                    const QChar letter = cells[f][x];
                    if (!m_palette.Contains(letter)) {
                        *error = QString("sprite %1: letter '%2' is not in the palette").arg(header[1], letter);
                        return false;
                    }
                    frames[blockStart + f].setPixel(x, row, m_palette.Colour(letter));
                }
            }
        }
    }
    if (lineNo >= lines.size()) {
        *error = QString("sprite %1 has no 'end'").arg(header[1]);
        return false;
    }
    return Add(header[1], frames, error);
}

bool SpriteBook::Paint(const QStringList &t, QString *error)
{
    QVector<int> n;
    if ((t.size() != 5 && t.size() != 6) || !ToInts(t, 3, t.size() - 3, n)) {
        *error = "expected 'painting NAME KIND W H [SEED]'";
        return false;
    }
    const QImage picture = Paintings::Paint(t[2], n[0], n[1], n.value(2), m_palette, error);
    return !picture.isNull() && Add(t[1], {picture}, error);
}

bool SpriteBook::Derive(const QStringList &t, QString *error)
{
    const QString op = t[0];
    if (t.size() < 3) {
        *error = "expected '" + op + " NEW SRC ...'";
        return false;
    }
    const QString name = t[1];
    const Effects::Frames *src = Find(t[2], error);
    if (!src)
        return false;
    QVector<int> n;
    auto usage = [&](const char *form) {
        *error = QString("expected '%1 %2'").arg(op, form);
        return false;
    };
    if (op == "mirror")
        return Add(name, Effects::Mirror(*src), error);
    if (op == "reverse") {
        Effects::Frames out(src->rbegin(), src->rend());
        return Add(name, out, error);
    }
    if (op == "pick") {
        if (!ToInts(t, 3, t.size() - 3, n) || n.isEmpty())
            return usage("NEW SRC I J ...");
        Effects::Frames out;
        for (int i : n) {
            if (i < 0 || i >= src->size()) {
                *error = QString("%1 has no frame %2").arg(t[2]).arg(i);
                return false;
            }
            out.append((*src)[i]);
        }
        return Add(name, out, error);
    }
    if (op == "join") {
        Effects::Frames out;
        for (int i = 2; i < t.size(); ++i) {
            const Effects::Frames *part = Find(t[i], error);
            if (!part)
                return false;
            if (part->first().size() != src->first().size()) {
                *error = t[i] + " has another frame size than " + t[2];
                return false;
            }
            out += *part;
        }
        return Add(name, out, error);
    }
    if (op == "canvas") {
        if (!ToInts(t, 3, 4, n) || t.size() != 7)
            return usage("NEW SRC W H DX DY");
        return Add(name, Effects::Canvas(*src, n[0], n[1], n[2], n[3]), error);
    }
    if (op == "recolor") {
        QVector<QRgb> from, to;
        for (int i = 3; i < t.size(); ++i) {
            if (t[i].size() != 2 || !m_palette.Contains(t[i][0]) || !m_palette.Contains(t[i][1]))
                return usage("NEW SRC ab cd ... (palette letters)");
            from.append(m_palette.Colour(t[i][0]));
            to.append(m_palette.Colour(t[i][1]));
        }
        return Add(name, Effects::Recolor(*src, from, to), error);
    }
    if (op == "outline" || op == "shade") {
        // The colour to paint, then (a shade) the step towards the hole, then the letters it goes around or on.
        const bool shade = op == "shade";
        QVector<QRgb> colours;
        if (t.size() != (shade ? 7 : 5) || t[3].size() != 1 || (shade && !ToInts(t, 4, 2, n)) ||
            !PaletteColours(m_palette, t[3] + t.last(), colours))
            return usage(shade ? "NEW SRC SHADE DX DY LETTERS (palette letters)" : "NEW SRC EDGE LETTERS (palette letters)");
        const QVector<QRgb> letters = colours.mid(1);
        return Add(name, shade ? Effects::Shade(*src, colours[0], n[0], n[1], letters) : Effects::Outline(*src, colours[0], letters),
                   error);
    }
    if (op == "overlay") {
        if (t.size() < 6 || (t.size() - 3) % 3 != 0)
            return usage("NEW BASE TOP DX DY [TOP DX DY ...]");
        Effects::Frames out = *src;
        for (int i = 3; i < t.size(); i += 3) {
            const Effects::Frames *top = Find(t[i], error);
            if (!top)
                return false;
            n.clear();
            if (!ToInts(t, i + 1, 2, n))
                return usage("NEW BASE TOP DX DY [TOP DX DY ...]");
            out = Effects::Overlay(out, *top, n[0], n[1]);
            if (out.isEmpty()) {
                *error = QString("%1 and %2 have different frame counts").arg(t[2], t[i]);
                return false;
            }
        }
        return Add(name, out, error);
    }
    if (op == "enlarge") {
        if (t.size() != 4 || !ToInts(t, 3, 1, n) || n[0] < 1)
            return usage("NEW SRC N");
        return Add(name, Effects::Enlarge(*src, n[0]), error);
    }
    if (op == "text") {
        if (!m_letters.contains(t[2])) {
            *error = "no 'letters' line names the characters of " + t[2];
            return false;
        }
        if (t.size() < 4)
            return usage("NEW FONT WORD ...");
        return Add(name, {Effects::Text(*src, m_letters.value(t[2]), t.mid(3).join(' '))}, error);
    }
    if (op == "squash" || op == "shift") {
        const bool squash = op == "squash";
        const char *form = squash ? "NEW SRC I SX,SY ..." : "NEW SRC I DX,DY ...";
        const QImage frame = FrameOf(t[2], t.value(3), error);
        if (frame.isNull())
            return false;
        Effects::Frames out;
        for (int i = 4; i < t.size(); ++i) {
            const QStringList xy = t[i].split(',');
            bool okX = false, okY = false;
            const double x = xy.value(0).toDouble(&okX), y = xy.value(1).toDouble(&okY);
            if (xy.size() != 2 || !okX || !okY || (squash && (x <= 0 || y <= 0)))
                return usage(form);
            out.append(squash ? Effects::Squash(frame, x, y) : Effects::Shift(frame, int(x), int(y)));
        }
        return out.isEmpty() ? usage(form) : Add(name, out, error);
    }
    if (op == "cut") {
        const QImage frame = FrameOf(t[2], t.value(3), error);
        if (frame.isNull())
            return false;
        if (t.size() < 7 || !ToInts(t, 4, 2, n) || n[0] < 1 || n[1] < 1)
            return usage("NEW SRC I W H X,Y ...");
        Effects::Frames out;
        for (int i = 6; i < t.size(); ++i) {
            const QStringList xy = t[i].split(',');
            bool okX = false, okY = false;
            const QRect piece(xy.value(0).toInt(&okX), xy.value(1).toInt(&okY), n[0], n[1]);
            if (xy.size() != 2 || !okX || !okY)
                return usage("NEW SRC I W H X,Y ...");
            if (!frame.rect().contains(piece)) {
                *error = QString("%1 at %2 lies outside the %3 x %4 frame").arg(op, t[i]).arg(frame.width()).arg(frame.height());
                return false;
            }
            out.append(frame.copy(piece));
        }
        return Add(name, out, error);
    }
    if (op == "spin") {
        const QImage frame = FrameOf(t[2], t.value(3), error);
        if (frame.isNull())
            return false;
        if (frame.width() != frame.height()) {
            *error = t[2] + " is not square";
            return false;
        }
        return Add(name, Effects::Spin(frame), error);
    }
    if (op == "burst") {
        const QImage frame = FrameOf(t[2], t.value(3), error);
        if (frame.isNull())
            return false;
        if (t.size() != 7 || !ToInts(t, 4, 3, n) || n[2] < 2)
            return usage("NEW SRC I W H N");
        return Add(name, Effects::Burst(frame, n[0], n[1], n[2]), error);
    }
    if (op == "morph") {
        if (t.size() != 9)
            return usage("NEW A I B J W H N");
        const QImage from = FrameOf(t[2], t[3], error);
        const QImage to = from.isNull() ? QImage() : FrameOf(t[4], t[5], error);
        if (to.isNull())
            return false;
        if (!ToInts(t, 6, 3, n) || n[2] < 2)
            return usage("NEW A I B J W H N");
        return Add(name, Effects::Morph(from, to, n[0], n[1], n[2]), error);
    }
    if (op == "shrink") {
        const QImage frame = FrameOf(t[2], t.value(3), error);
        if (frame.isNull())
            return false;
        if (t.size() != 7 || !ToInts(t, 4, 3, n) || n[2] < 2)
            return usage("NEW SRC I PX PY N");
        return Add(name, Effects::Shrink(frame, n[0], n[1], n[2]), error);
    }
    *error = "unknown directive '" + op + "'";
    return false;
}

bool SpriteBook::LetterColour(const QString &letter, QRgb *colour, QString *error) const
{
    if (letter.size() != 1 || !m_palette.Contains(letter[0])) {
        *error = "'" + letter + "' is not a palette letter";
        return false;
    }
    *colour = m_palette.Colour(letter[0]);
    return true;
}

bool SpriteBook::Generate(const QStringList &t, QString *error)
{
    if (t[0] == "letters") {
        if (t.size() != 3 || !Find(t[1], error)) {
            if (error->isEmpty())
                *error = "expected 'letters FONT CHARS'";
            return false;
        }
        m_letters.insert(t[1], t[2]);
        return true;
    }
    QVector<int> size;
    QRgb fill = 0, edge = 0;
    if (t.size() != 6 || !ToInts(t, 2, 2, size) || size[0] < 1 || size[1] < 1) {
        *error = QString("expected '%1 NEW W H FILL EDGE'").arg(t[0]);
        return false;
    }
    if (!LetterColour(t[4], &fill, error) || !LetterColour(t[5], &edge, error))
        return false;
    const QImage picture =
        t[0] == "box" ? Effects::Box(size[0], size[1], fill, edge) : Effects::Ellipse(size[0], size[1], fill, edge);
    return Add(t[1], {picture}, error);
}

bool SpriteBook::Add(const QString &name, const Effects::Frames &frames, QString *error)
{
    if (m_sprites.contains(name)) {
        *error = "sprite " + name + " defined twice";
        return false;
    }
    if (frames.isEmpty()) {
        *error = "sprite " + name + " has no frames";
        return false;
    }
    m_sprites.insert(name, frames);
    return true;
}

const Effects::Frames *SpriteBook::Find(const QString &name, QString *error) const
{
    auto it = m_sprites.find(name);
    if (it == m_sprites.end()) {
        *error = "no sprite named " + name + " (defined so far)";
        return nullptr;
    }
    return &it.value();
}

QImage SpriteBook::FrameOf(const QString &name, const QString &index, QString *error) const
{
    const Effects::Frames *frames = Find(name, error);
    if (!frames)
        return QImage();
    bool ok = false;
    const int i = index.toInt(&ok);
    if (!ok || i < 0 || i >= frames->size()) {
        *error = QString("%1 has no frame '%2'").arg(name, index);
        return QImage();
    }
    return (*frames)[i];
}
