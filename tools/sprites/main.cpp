// Draws the chip-set pictures from the pixel-art sources, and the contact sheets for review.
//
//   mirrowen_sprites build SOURCE_DIR RES_DIR OUT_DIR
//       reads SOURCE_DIR/palette.txt, SOURCE_DIR/art/*.txt and SOURCE_DIR/layout.txt,
//       checks every animation of RES_DIR/xml against the layout and writes
//       OUT_DIR/chip_set_NN.png for every chip set of the game
//   mirrowen_sprites sheets SOURCE_DIR RES_DIR CHIPSET_DIR OUT_DIR
//       writes OUT_DIR/contact_sheet_NN.png for every chip set
//   mirrowen_sprites list SOURCE_DIR
//       prints "NAME W H FRAMES" for every sprite, to plan the layout by
//   mirrowen_sprites pictures SOURCE_DIR OUT_DIR
//       writes the pictures that stand alone (SOURCE_DIR/pictures.txt) below OUT_DIR

#include "ContactSheet.h"
#include "SourceText.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

namespace
{
struct Sources
{
    Palette palette;
    SpriteBook book{palette};
    Layout layout;
    Descriptions descriptions;
};

bool LoadArt(const QString &sourceDir, Sources &s, QString *error)
{
    if (!s.palette.Load(sourceDir + "/palette.txt", error))
        return false;
    const QDir artDir(sourceDir + "/art");
    for (const QString &name : artDir.entryList({"*.txt"}, QDir::Files, QDir::Name))
        if (!s.book.Load(artDir.filePath(name), error))
            return false;
    return true;
}

bool LoadSources(const QString &sourceDir, const QString &resDir, Sources &s, QString *error)
{
    return LoadArt(sourceDir, s, error) && s.layout.Load(sourceDir + "/layout.txt", s.book, error)
        && s.descriptions.Load(resDir + "/xml", error);
}

QString ChipSetName(const char *prefix, int number)
{
    return QString("%1_%2.png").arg(prefix).arg(number, 2, 10, QChar('0'));
}

int Build(const QString &sourceDir, const QString &resDir, const QString &outDir)
{
    Sources s;
    QString error;
    if (!LoadSources(sourceDir, resDir, s, &error)) {
        fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QStringList faults;
    for (const Descriptions::Animation &a : s.descriptions.Animations()) {
        const QString fault = Descriptions::Mismatch(a, s.layout);
        if (!fault.isEmpty())
            faults << QString("%1: animation %2 \"%3\": %4").arg(a.file).arg(a.index).arg(a.name, fault);
    }
    if (!faults.isEmpty()) {
        fprintf(stderr, "Animations that do not match the chip-set layout:\n  %s\n", qPrintable(faults.join("\n  ")));
        return 1;
    }
    QDir().mkpath(outDir);
    for (const Layout::ChipSet &set : s.layout.ChipSets()) {
        const QString path = QDir(outDir).filePath(ChipSetName("chip_set", set.number));
        if (!s.layout.Render(set, s.book).save(path, "PNG")) {
            fprintf(stderr, "%s: cannot write\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

int Sheets(const QString &sourceDir, const QString &resDir, const QString &chipSetDir, const QString &outDir)
{
    Sources s;
    QString error;
    if (!LoadSources(sourceDir, resDir, s, &error)) {
        fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QDir().mkpath(outDir);
    for (int number : Layout::GameChipSetNumbers()) {
        const QImage chipSet(QDir(chipSetDir).filePath(ChipSetName("chip_set", number)));
        if (chipSet.isNull()) {
            fprintf(stderr, "chip set %d is missing in %s\n", number, qPrintable(chipSetDir));
            return 1;
        }
        const QImage sheet = ContactSheet::Draw(chipSet, number, s.descriptions.Animations(), s.layout, 3);
        sheet.save(QDir(outDir).filePath(ChipSetName("contact_sheet", number)), "PNG");
    }
    printf("Contact sheets written to %s\n", qPrintable(outDir));
    return 0;
}
/// pictures.txt: "picture PATH SPRITE" lines; PATH (below the output folder) gets the first frame
/// of SPRITE, for pictures the game loads whole instead of cutting them from a chip set.
int Pictures(const QString &sourceDir, const QString &outDir)
{
    Sources s;
    QString error;
    if (!LoadArt(sourceDir, s, &error)) {
        fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const bool ok = SourceText::ForEachEntry(sourceDir + "/pictures.txt", [&](const QStringList &words) -> QString {
        if (words.size() != 3 || words[0] != "picture")
            return "expected 'picture PATH SPRITE'";
        if (!s.book.Contains(words[2]))
            return "no sprite named " + words[2];
        const QString path = QDir(outDir).filePath(words[1]);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!s.book.Frames(words[2]).first().save(path, "PNG"))
            return path + ": cannot write";
        return QString();
    }, &error);
    if (!ok)
        fprintf(stderr, "%s\n", qPrintable(error));
    return ok ? 0 : 1;
}

int List(const QString &sourceDir)
{
    Sources s;
    QString error;
    if (!LoadArt(sourceDir, s, &error)) {
        fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    for (const QString &name : s.book.Names()) {
        const Effects::Frames &frames = s.book.Frames(name);
        printf("%s %d %d %d\n", qPrintable(name), frames.first().width(), frames.first().height(), int(frames.size()));
    }
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    // Text on the contact sheets needs a GUI application, never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == "build")
        return Build(args[2], args[3], args[4]);
    if (args.size() == 6 && args[1] == "sheets")
        return Sheets(args[2], args[3], args[4], args[5]);
    if (args.size() == 3 && args[1] == "list")
        return List(args[2]);
    if (args.size() == 4 && args[1] == "pictures")
        return Pictures(args[2], args[3]);
    fprintf(stderr, "usage: %s build SOURCE_DIR RES_DIR OUT_DIR\n"
                    "       %s sheets SOURCE_DIR RES_DIR CHIPSET_DIR OUT_DIR\n"
                    "       %s list SOURCE_DIR\n"
                    "       %s pictures SOURCE_DIR OUT_DIR\n", argv[0], argv[0], argv[0], argv[0]);
    return 2;
}
