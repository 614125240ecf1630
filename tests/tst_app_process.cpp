// The real program, started as a user starts it and closed through its window, on a real X
// server: the close request is the WM_DELETE_WINDOW message that a title bar's close button
// sends.
#include "nibbletest.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QSettings>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

using namespace nibbletest;

namespace {

const char *const Title = "Nibblecast for EK-LM3S6965";

Window findTitled(Display *display, Window under)
{
    char *name = nullptr;
    if (XFetchName(display, under, &name) && name) {
        const bool match = qstrcmp(name, Title) == 0;
        XFree(name);
        if (match)
            return under;
    }
    Window root, parent, *children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display, under, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; ++i)
            found = findTitled(display, children[i]);
        XFree(children);
    }
    return found;
}

bool sendCloseRequest(Display *display, Window window)
{
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    return sent;
}

} // namespace

class AppProcessTest : public QObject
{
    Q_OBJECT

private slots:
    void closeButtonEndsWithZeroAndStoresThePath_data();
    void closeButtonEndsWithZeroAndStoresThePath();
};

void AppProcessTest::closeButtonEndsWithZeroAndStoresThePath_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no arguments") << QStringList();
    // Arguments are not the program's business: the same empty window opens.
    QTest::newRow("a picture and an unknown option")
            << QStringList({homeDir() + "/photo.png", "--frobnicate"});
}

void AppProcessTest::closeButtonEndsWithZeroAndStoresThePath()
{
    QFETCH(QStringList, arguments);
    const QString settingsFile = homeDir() + "/config/Korvo/Graymill.conf";
    QFile::remove(settingsFile);

    Display *display = XOpenDisplay(nullptr);
    if (!display)
        QSKIP("no X server (run under xvfb-run)");

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(NIBBLECAST_EXECUTABLE, arguments);
    QVERIFY(program.waitForStarted());

    Window window = 0;
    for (QDeadlineTimer deadline(20000); !window && !deadline.hasExpired(); QTest::qWait(50))
        window = findTitled(display, DefaultRootWindow(display));
    QVERIFY2(window, "the main window never appeared");
    QTest::qWait(200); // let the program finish mapping before it is asked to close

    QVERIFY(sendCloseRequest(display, window));
    QVERIFY(program.waitForFinished(20000));
    XCloseDisplay(display);

    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(QSettings(settingsFile, QSettings::IniFormat).value("Path").toString(), homeDir());
}

NIBBLE_TEST_MAIN(AppProcessTest, nibbletest::Privileges::Keep)
#include "tst_app_process.moc"
