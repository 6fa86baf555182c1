// Draws the small pictures that the engine tests load from their resource tree, and the .qrc that
// lists them. Usage: make_engine_test_art <output folder>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <cstdio>

namespace {

QImage Sheet(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

/// 64 x 64. Row 0 of 16 x 16 cells: red over blue (to tell up from down), green, yellow, magenta.
/// Row 1: white, blue, half-transparent white, transparent. The rest transparent.
QImage SmallChipSet()
{
    QImage image = Sheet(64, 64);
    QPainter p(&image);
    p.fillRect(0, 0, 16, 8, QColor(255, 0, 0));
    p.fillRect(0, 8, 16, 8, QColor(0, 0, 255));
    p.fillRect(16, 0, 16, 16, QColor(0, 255, 0));
    p.fillRect(32, 0, 16, 16, QColor(255, 255, 0));
    p.fillRect(48, 0, 16, 16, QColor(255, 0, 255));
    p.fillRect(0, 16, 16, 16, QColor(255, 255, 255));
    p.fillRect(16, 16, 16, 16, QColor(0, 0, 255));
    p.fillRect(32, 16, 16, 16, QColor(255, 255, 255, 128));
    return image;
}

/// 512 x 32, one orange colour: a sheet as wide as the game's, for frames that wrap to a new row.
QImage WideChipSet()
{
    QImage image = Sheet(512, 32);
    image.fill(QColor(255, 128, 0));
    return image;
}

QImage AreaPicture()
{
    QImage image = Sheet(8, 8);
    image.fill(QColor(0, 255, 255));
    return image;
}

bool WriteText(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream(&file) << text;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const struct
    {
        const char* name;
        QImage image;
    } pictures[] = {
        {"res/enginetest/small_sheet.png", SmallChipSet()},
        {"res/enginetest/wide_sheet.png", WideChipSet()},
        {"res/enginetest/Area.png", AreaPicture()},
    };
    QString qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/\">\n";
    for (const auto& picture : pictures) {
        const QString path = out + "/" + picture.name;
        QDir().mkpath(QFileInfo(path).path());
        if (!picture.image.save(path, "PNG")) {
            fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        qrc += QString("    <file alias=\"%1\">%2</file>\n").arg(picture.name, path);
    }
    // A file with a picture's name that holds no picture.
    const QString broken = out + "/res/enginetest/broken.png";
    if (!WriteText(broken, "not a picture\n"))
        return 1;
    qrc += QString("    <file alias=\"res/enginetest/broken.png\">%1</file>\n").arg(broken);
    qrc += "  </qresource>\n</RCC>\n";
    return WriteText(out + "/engine_test_art.qrc", qrc) ? 0 : 1;
}
