// Every file kept under tests/fuzz/damaged/<reader>/, and every one the build writes into the same
// folder of the build tree, goes through the real reader it once broke, run
// as its fuzz target runs it: the reader keeps its promises and says what it refused (the player's
// own files excepted: their readers stop at the damage silently). A file named "valid_..." is sound,
// only unusual, and is read without complaint.
#include "ReaderRuns.h"

#include "tests/support/StdoutOf.h"

#include <QDir>
#include <QFile>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct sDamagedFile
{
    std::string reader;
    QString path;

    bool IsValid() const { return QFileInfo(path).fileName().startsWith("valid_"); }
    /// The player's own files stop reading at the damage without a word.
    bool IsReadSilently() const { return reader == "controls" || reader == "settings" || reader == "saveslot"; }
};

void PrintTo(const sDamagedFile& file, std::ostream* out)
{
    *out << file.path.toStdString();
}

/// The files kept in the repository, then those the build writes (MakeLargeInputs.sh).
std::vector<sDamagedFile> DamagedFiles()
{
    std::vector<sDamagedFile> files;
    for (const char* tree : {MIRROWEN_SOURCE_DIR, MIRROWEN_BINARY_DIR}) {
        const QDir root(QString(tree) + "/tests/fuzz/damaged");
        for (const QString& reader : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            for (const QFileInfo& file : QDir(root.filePath(reader)).entryInfoList(QDir::Files))
                files.push_back({reader.toStdString(), file.filePath()});
        }
    }
    return files;
}

std::string TestName(const testing::TestParamInfo<sDamagedFile>& info)
{
    std::string name = info.param.reader + "_" + QFileInfo(info.param.path).completeBaseName().toStdString();
    for (char& c : name) {
        if (!isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

} // namespace

class DamagedFile : public testing::TestWithParam<sDamagedFile>
{
};

TEST_P(DamagedFile, IsReportedOnlyWhenDamagedAndBreaksNoPromise)
{
    const sReaderRun* reader = FindReaderRun(GetParam().reader);
    ASSERT_NE(reader, nullptr) << "no reader called " << GetParam().reader;
    QFile file(GetParam().path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    BrokenPromises broken;
    const std::string output = StdoutOf([&] { broken = reader->run(bytes); });
    EXPECT_THAT(broken, testing::IsEmpty());
    if (GetParam().IsValid())
        EXPECT_THAT(output, testing::Not(testing::HasSubstr("ERROR")));
    else if (!GetParam().IsReadSilently())
        EXPECT_THAT(output, testing::HasSubstr("ERROR")) << "the damage went unreported";
}

INSTANTIATE_TEST_SUITE_P(Readers, DamagedFile, testing::ValuesIn(DamagedFiles()), TestName);
