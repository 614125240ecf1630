#include "nibbletest.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QWidget>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace nibbletest {

namespace {

QString &home()
{
    static QString path;
    return path;
}

QStringList captured;
QtMessageHandler previousHandler = nullptr;

void capture(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg)
        captured.append(message);
    else if (previousHandler)
        previousHandler(type, context, message);
}

// Root writes through read-only files and folders, and CI runs as root: become an ordinary
// user so that refused writes are refused as they are for our users.
void dropRoot()
{
    if (::geteuid() != 0)
        return;
    const passwd *nobody = ::getpwnam("nobody");
    if (!nobody || ::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0
        || ::setuid(nobody->pw_uid) != 0) {
        qFatal("could not leave root for the permission tests");
    }
}

} // namespace

void prepareEnvironment(Privileges privileges)
{
    if (privileges == Privileges::DropRoot)
        dropRoot();

    QByteArray folder = QDir::tempPath().toLocal8Bit() + "/nibbletest-XXXXXX";
    if (!::mkdtemp(folder.data()))
        qFatal("no temporary home");
    home() = QString::fromLocal8Bit(folder);
    QDir(home()).mkpath("config");
    QDir(home()).mkpath("runtime");
    QFile::setPermissions(home() + "/runtime",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", folder);
    qputenv("XDG_CONFIG_HOME", folder + "/config");
    qputenv("XDG_RUNTIME_DIR", folder + "/runtime");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::atexit([] { QDir(home()).removeRecursively(); });
}

QString homeDir()
{
    return home();
}

QString writePicture(const QString &path, const QImage &image, const char *format)
{
    if (!image.save(path, format))
        qFatal("could not write the test picture %s", qPrintable(path));
    return path;
}

QImage pictureOf(int width, const QList<QRgb> &pixels)
{
    const int height = int(pixels.size()) / width;
    QImage image(width, height, QImage::Format_RGB32);
    for (int i = 0; i < pixels.size(); ++i)
        image.setPixel(i % width, i / width, pixels[i]);
    return image;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

ModalWatcher::ModalWatcher(std::function<bool(QWidget *)> accepts,
                           std::function<void(QWidget *)> handle)
{
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [this, accepts, handle] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !accepts(modal) || !modal->isVisible())
            return;
        poll.stop();
        done = true;
        handle(modal);
    });
    poll.start();
}

DebugCapture::DebugCapture()
{
    captured.clear();
    previousHandler = qInstallMessageHandler(capture);
}

DebugCapture::~DebugCapture()
{
    qInstallMessageHandler(previousHandler);
}

QStringList DebugCapture::lines() const
{
    return captured;
}

} // namespace nibbletest
