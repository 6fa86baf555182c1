#include "ContactSheet.h"

#include <QFontMetrics>
#include <QPainter>

namespace
{
const int kWidth = 1280;
const int kMargin = 8;
const int kLabelHeight = 14;
const QColor kBackground(250, 238, 214);
const QColor kCheckerDark(226, 212, 186);

/// A light checkerboard behind each frame shows where it is transparent.
void DrawChecker(QPainter &p, const QRect &r, int cell)
{
    p.fillRect(r, kBackground);
    for (int y = r.top(); y <= r.bottom(); y += cell)
        for (int x = r.left() + ((y - r.top()) / cell % 2) * cell; x <= r.right(); x += 2 * cell)
            p.fillRect(QRect(x, y, cell, cell).intersected(r), kCheckerDark);
}
} // namespace

QImage ContactSheet::Draw(const QImage &chipSet, int number, const QVector<Descriptions::Animation> &animations,
                          const Layout &layout, int scale)
{
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    const QFontMetrics metrics(font);
    auto label = [](const Descriptions::Animation &a, bool fault) {
        return QString("%1 #%2 %3%4").arg(a.file).arg(a.index).arg(a.name, fault ? "  (!)" : "");
    };
    // First pass finds each entry's place, the second draws into a picture of the final height.
    struct Placed { const Descriptions::Animation *anim; QPoint at; bool fault; };
    QVector<Placed> placed;
    int x = kMargin, y = kMargin + 2 * kLabelHeight, rowHeight = 0;
    for (const Descriptions::Animation &a : animations) {
        if (a.src != number)
            continue;
        const bool fault = !Descriptions::Mismatch(a, layout).isEmpty();
        const int w = std::max(a.frames * (a.w * scale + 2), metrics.horizontalAdvance(label(a, fault)) + 4);
        const int h = kLabelHeight + a.h * scale + kMargin;
        if (x + w > kWidth - kMargin) {
            x = kMargin;
            y += rowHeight;
            rowHeight = 0;
        }
        placed.append({&a, QPoint(x, y), fault});
        x += w + kMargin;
        rowHeight = std::max(rowHeight, h);
    }
    QImage sheet(kWidth, y + rowHeight + kMargin, QImage::Format_ARGB32);
    sheet.fill(QColor(64, 48, 40));
    QPainter p(&sheet);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(kMargin, kMargin + kLabelHeight,
               QString("chip_set_%1.png  %2 x %3  %4 animations")
                   .arg(number, 2, 10, QChar('0')).arg(chipSet.width()).arg(chipSet.height()).arg(placed.size()));
    for (const Placed &pl : placed) {
        const Descriptions::Animation &a = *pl.anim;
        p.setPen(pl.fault ? QColor(255, 80, 80) : QColor(255, 240, 200));
        p.drawText(pl.at.x(), pl.at.y() + kLabelHeight - 3, label(a, pl.fault));
        const Layout::Strip strip{QString(), a.x, a.y, a.w, a.h, a.frames};
        for (int i = 0; i < a.frames; ++i) {
            const QRect target(pl.at.x() + i * (a.w * scale + 2), pl.at.y() + kLabelHeight, a.w * scale, a.h * scale);
            DrawChecker(p, target, std::max(2, scale * 2));
            p.drawImage(target, chipSet.copy(Layout::FrameRect(strip, i, chipSet.width())));
        }
    }
    return sheet;
}
