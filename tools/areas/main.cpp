// Paints the background pictures of every area from its terrain.
//
//   mirrowen_areas AREAS_DIR GENERATED_DIR
//       reads every area file AREAS_DIR/*.xml (frame-set files "*_Frames.xml" aside) and writes the
//       day, Vadi do Davovodaz and bat-land pictures its Background element names, as
//       GENERATED_DIR/<name>, in the material and the light of the kind of place it is
//       (the first area, whose earthquake adds terrain, puts its hills and that terrain into the
//       second picture, which it draws behind its rocks)

#include "AreaPictures.h"
#include "AreaPlan.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

bool Write(const QImage& image, const QString& generatedDir, const QString& name)
{
    const QString path = generatedDir + "/" + name;
    QDir().mkpath(QFileInfo(path).path());
    if (!image.save(path, "PNG")) {
        fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: %s AREAS_DIR GENERATED_DIR\n", argv[0]);
        return 2;
    }
    const QDir areas(QString::fromLocal8Bit(argv[1]));
    const QString generatedDir = QString::fromLocal8Bit(argv[2]);
    int painted = 0;
    for (const QString& name : areas.entryList({"*.xml"}, QDir::Files, QDir::Name)) {
        if (name.endsWith("_Frames.xml"))
            continue;
        sAreaPlan plan;
        if (!plan.Read(areas.filePath(name)))
            return 1;
        const sAreaPictures pictures = PaintAreaPictures(plan, QFileInfo(name).completeBaseName());
        if (!plan.dayPicture.isEmpty() && !Write(pictures.day, generatedDir, plan.dayPicture))
            return 1;
        if (!plan.lofPicture.isEmpty() && !Write(pictures.second, generatedDir, plan.lofPicture))
            return 1;
        if (!plan.batlandPicture.isEmpty() && !Write(pictures.batLand, generatedDir, plan.batlandPicture))
            return 1;
        ++painted;
    }
    printf("%d area backgrounds painted\n", painted);
    return 0;
}
