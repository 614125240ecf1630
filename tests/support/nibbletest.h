#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QtTest>

#include <functional>

class QWidget;

namespace nibbletest {

enum class Privileges { Keep, DropRoot };

// Gives the test process a home, config and runtime folder of its own (so no real settings are
// read or written) and the offscreen platform unless another one is asked for.
void prepareEnvironment(Privileges privileges);

QString homeDir();

// A picture file made by the test, in any format Qt writes.
QString writePicture(const QString &path, const QImage &image, const char *format = nullptr);
QImage pictureOf(int width, const QList<QRgb> &pixels);
// A picture with every level somewhere in it, of any size.
QImage gradient(int width, int height);
QByteArray readFile(const QString &path);

// A valid PNG signature and header declaring the size, then an empty data chunk: no pixels.
QByteArray pngDeclaring(quint32 width, quint32 height);
bool writeFile(const QString &path, const QByteArray &bytes);

// Handles the next modal dialog of type Dialog from inside its own event loop; the handler runs
// once. Dialogs of other types are left to other watchers.
class ModalWatcher : public QObject
{
public:
    ModalWatcher(std::function<bool(QWidget *)> accepts, std::function<void(QWidget *)> handle);
    bool handled() const { return done; }

private:
    QTimer poll;
    bool done = false;
};

template<class Dialog>
std::unique_ptr<ModalWatcher> whenModal(std::function<void(Dialog *)> handle)
{
    return std::make_unique<ModalWatcher>(
            [](QWidget *w) { return qobject_cast<Dialog *>(w) != nullptr; },
            [handle](QWidget *w) { handle(qobject_cast<Dialog *>(w)); });
}

// Clicks Load Image in the window and answers the real Open Image dialog: the path is typed and
// accepted, or the dialog is cancelled when the path is empty. False when no dialog opened.
bool loadThroughDialog(QWidget &window, const QString &path);

// Answers the next warning box with OK and remembers what it said.
struct WarningBox
{
    std::unique_ptr<ModalWatcher> watcher;
    QString title;
    QString text;
    bool onlyOkAsDefault = false;

    WarningBox();
    bool shown() const { return watcher->handled(); }
};

// Collects the debug messages written while it lives.
class DebugCapture
{
public:
    DebugCapture();
    ~DebugCapture();
    QStringList lines() const;
};

} // namespace nibbletest

#define NIBBLE_TEST_MAIN(TestObject, privileges)                                                   \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        nibbletest::prepareEnvironment(privileges);                                                \
        QApplication app(argc, argv);                                                              \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
