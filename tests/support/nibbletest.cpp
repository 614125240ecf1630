#include "nibbletest.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
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

namespace {

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffff;
    for (char byte : bytes) {
        crc ^= uchar(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    QByteArray length(4, '\0');
    qToBigEndian(quint32(data.size()), length.data());
    QByteArray crc(4, '\0');
    qToBigEndian(crc32(type + data), crc.data());
    return length + type + data + crc;
}

} // namespace

QByteArray pngDeclaring(quint32 width, quint32 height)
{
    QByteArray header(8, '\0');
    qToBigEndian(width, header.data());
    qToBigEndian(height, header.data() + 4);
    header.append("\x08\x02\x00\x00\x00", 5); // 8-bit RGB, not interlaced
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", {});
}

QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7) % 256, (y * 5) % 256, (x * y) % 256));
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

bool loadThroughDialog(QWidget &window, const QString &path)
{
    auto dialog = whenModal<QFileDialog>([path](QFileDialog *d) {
        if (path.isEmpty()) {
            d->reject();
            return;
        }
        // The path goes into the file name field, as typed or pasted, and Open is clicked.
        auto *name = d->findChild<QLineEdit *>("fileNameEdit");
        name->setFocus();
        name->setText(path);
        QPushButton *open
                = d->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Open);
        // The dialog learns about the folder's files in the background; Open waits for that.
        for (int waited = 0; !open->isEnabled() && waited < 5000; waited += 20)
            QTest::qWait(20);
        QTest::mouseClick(open, Qt::LeftButton);
        if (d->isVisible()) {
            qWarning("the Open Image dialog did not take %s", qPrintable(path));
            d->reject();
        }
    });
    QTest::mouseClick(window.findChild<QPushButton *>("pbLoad"), Qt::LeftButton);
    return dialog->handled();
}

WarningBox::WarningBox()
{
    watcher = whenModal<QMessageBox>([this](QMessageBox *box) {
        title = box->windowTitle();
        text = box->text();
        onlyOkAsDefault = box->standardButtons() == QMessageBox::Ok
                && box->defaultButton() == box->button(QMessageBox::Ok)
                && box->icon() == QMessageBox::Warning;
        box->button(QMessageBox::Ok)->click();
    });
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
