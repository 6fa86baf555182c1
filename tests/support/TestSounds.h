#pragma once
// Sounds for the audio tests, made when the tests run: sine tones encoded with libvorbisenc and
// mounted as a small resource tree, so nothing binary is kept in the repository.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QResource>
#include <QString>
#include <QTemporaryDir>

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace testsounds {

inline void AppendPage(QByteArray& out, const ogg_page& page)
{
    out.append(reinterpret_cast<const char*>(page.header), static_cast<int>(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), static_cast<int>(page.body_len));
}

/// An Ogg Vorbis file of a sine tone: lengthMs long (exactly rate × lengthMs / 1000 frames),
/// peak amplitude 0 to 1, the same tone on every channel. Files of different serial numbers
/// written one after another make one chained file.
inline QByteArray EncodeTone(int lengthMs, float amplitude = 0.5f, double hz = 440.0, int channels = 1,
                             int rate = 44100, int serial = 1)
{
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, channels, rate, 0.6f);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);

    QByteArray out;
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page))
        AppendPage(out, page);

    const int frames = static_cast<int>(static_cast<long long>(rate) * lengthMs / 1000);
    const double pi = std::acos(-1.0);
    float** buffer = vorbis_analysis_buffer(&dsp, frames);
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            buffer[c][i] = amplitude * static_cast<float>(std::sin(2.0 * pi * hz * i / rate));
    vorbis_analysis_wrote(&dsp, frames);
    vorbis_analysis_wrote(&dsp, 0);

    ogg_packet packet;
    bool ended = false;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
            ogg_stream_packetin(&stream, &packet);
            while (!ended && ogg_stream_pageout(&stream, &page)) {
                AppendPage(out, page);
                ended = ogg_page_eos(&page);
            }
        }
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

/// Files written into a temporary folder and mounted as resources under ":/<root>/". Mounting
/// compiles the folder with Qt's rcc; the tree is unmounted when the object goes.
class cTestResourceTree
{
public:
    explicit cTestResourceTree(const QString& root) : m_root(root) {}
    ~cTestResourceTree()
    {
        if (m_mounted)
            QResource::unregisterResource(m_dir.filePath("tree.rcc"), "/" + m_root);
    }

    /// Adds a file at a path relative to the root.
    void Add(const QString& relativePath, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath("files/" + relativePath);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        m_files.push_back(relativePath);
    }

    /// ":/<root>/<relativePath>"
    QString ResourcePath(const QString& relativePath) const { return ":/" + m_root + "/" + relativePath; }
    /// The same without ":/", as the game's lists write it.
    QString BarePath(const QString& relativePath) const { return m_root + "/" + relativePath; }

    bool Mount()
    {
        QByteArray qrc = "<RCC><qresource prefix=\"/\">\n";
        for (const QString& file : m_files)
            qrc += "<file alias=\"" + file.toUtf8() + "\">files/" + file.toUtf8() + "</file>\n";
        qrc += "</qresource></RCC>\n";
        QFile qrcFile(m_dir.filePath("tree.qrc"));
        if (!qrcFile.open(QIODevice::WriteOnly))
            return false;
        qrcFile.write(qrc);
        qrcFile.close();
        const QString rcc = QLibraryInfo::location(QLibraryInfo::BinariesPath) + "/rcc";
        const int status = QProcess::execute(rcc, {"-binary", qrcFile.fileName(), "-o",
                                                   m_dir.filePath("tree.rcc")});
        m_mounted = status == 0 && QResource::registerResource(m_dir.filePath("tree.rcc"), "/" + m_root);
        return m_mounted;
    }

private:
    QTemporaryDir m_dir;
    QString m_root;
    std::vector<QString> m_files;
    bool m_mounted = false;
};

/// Silent mode for the sound layer: no device is opened and every update advances 20 ms.
inline void UseSilentSound()
{
    setenv("MIRROWEN_SILENT_AUDIO", "1", 1);
}

} // namespace testsounds
