#include "MenuFixture.h"

#include "engine/ActorFile.h"
#include "player/UserFile.h"
#include "audio/AudioSystem.h"
#include "screens/Menu.h"
#include "world/CommonResources.h"

#include "tests/support/StdoutOf.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <GL/gl.h>


void MenuFixture::SetUp()
{
    QCoreApplication::setApplicationName("Mirrowen");
    ASSERT_TRUE(dataHome.isValid());
    previousDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
}

void MenuFixture::TearDown()
{
    qputenv("XDG_DATA_HOME", previousDataHome);
}

QString MenuFixture::UserPath(const QString& relativeName)
{
    return cUserFile(relativeName).UserPath();
}

QByteArray MenuFixture::ReadUserCopy(const QString& relativeName)
{
    QFile file(UserPath(relativeName));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void MenuFixture::WriteUserCopy(const QString& relativeName, const QByteArray& content)
{
    const QString path = UserPath(relativeName);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void cScriptedKeys::EndTick()
{
    input.EndTick();
    input.Clear();
}

cXmlText::cXmlText(const QByteArray& text) : bytes(text)
{
    reader.addData(bytes);
    while (!reader.atEnd() && !reader.isStartElement())
        reader.readNext();
}

std::vector<std::unique_ptr<cMenu>> LoadPages(const QString& file, const cFontManager* font)
{
    std::vector<std::unique_ptr<cMenu>> pages;
    ReadActorFile(file, [&](QXmlStreamReader& xml) {
        if (xml.name() == QLatin1String("menu")) {
            pages.push_back(std::make_unique<cMenu>(font));
            pages.back()->LoadFromXml(xml);
        }
        return true;
    });
    return pages;
}

void SaveScreenshot(int w, int h, const QString& fileName)
{
    QImage image(w, h, QImage::Format_RGBA8888);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    // The window shows colours only; blending leaves the framebuffer's alpha at whatever it sums to.
    QImage opaque = image.convertToFormat(QImage::Format_RGB888).mirrored();
    const QString dir = QStringLiteral(MIRROWEN_BINARY_DIR "/test-pictures");
    QDir().mkpath(dir);
    opaque.save(dir + QLatin1Char('/') + fileName);
}
