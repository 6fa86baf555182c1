// What a file of unusual size costs to read: a save slot of many area records, as the slot menu and
// the area selection load it, and an exit-tree file of many bodies, as every area reads its exit's.
// Both should grow linearly with the file.
#include <benchmark/benchmark.h>

#include "actors/AreaExit.h"
#include "player/SaveGame.h"
#include "player/UserFile.h"
#include "platform/physics/World.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void WriteFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

void BM_LoadSlotOfManyRecords(benchmark::State& state)
{
    QTemporaryDir home;
    QCoreApplication::setApplicationName("Mirrowen");
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    QByteArray slot = "<ZORV_Save Area=\"res/Areas/Area0.xml\" Score=\"3\"><Areas>\n";
    for (int i = 0; i < state.range(0); ++i)
        slot += "<Area name=\"res/Areas/Area" + QByteArray::number(i) +
                ".xml\" completed=\"1\" unlocked=\"1\" score=\"3\"/>\n";
    WriteFile(cUserFile("Saves/slot0.zvs").UserPath(), slot + "</Areas></ZORV_Save>\n");
    for (auto _ : state) {
        cSaveGame save;
        benchmark::DoNotOptimize(save.Load("Saves/slot0.zvs"));
    }
}
BENCHMARK(BM_LoadSlotOfManyRecords)->Arg(25000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoadExitTreeOfManyBodies(benchmark::State& state)
{
    QTemporaryDir dir;
    // A path holding ":/" is opened from the disk, not the resource tree.
    const QString path = dir.filePath("disk:/ManyBodies.xml");
    const QByteArray body = "<body w=\"16\" h=\"1\" density=\"0\" friction=\"0.5\"/>\n";
    WriteFile(path, "<AreaExitTree src=\"3\" type=\"0\">\n" + body.repeated(int(state.range(0))) + "</AreaExitTree>\n");
    for (auto _ : state) {
        physics::World world;
        cAreaExit exit(path, &world, 0.0f, 0.0f, true, "Next");
        benchmark::DoNotOptimize(exit.HasBody());
    }
}
BENCHMARK(BM_LoadExitTreeOfManyBodies)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);

} // namespace
