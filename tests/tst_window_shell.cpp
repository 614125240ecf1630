#include "headertext.h"
#include "mainwindow.h"
#include "mainwindowform.h"
#include "nibbletest.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>

using namespace nibbletest;

namespace {

template<class T>
T *child(QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no %s in the window", name);
    return found;
}

QImage iconImage(const QIcon &icon)
{
    return icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
}

QString storedPath()
{
    return QSettings("Korvo", "Graymill").value("Path").toString();
}

// The folder the Open Image dialog starts in, read from the real dialog, which is then cancelled.
QString dialogStartFolder(MainWindow &window)
{
    QString folder;
    auto dialog = whenModal<QFileDialog>([&](QFileDialog *d) {
        folder = d->directory().absolutePath();
        d->reject();
    });
    QTest::mouseClick(child<QPushButton>(window, "pbLoad"), Qt::LeftButton);
    if (!dialog->handled())
        qWarning("the Open Image dialog did not open");
    return folder;
}

} // namespace

class WindowShellTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void objectTree_data();
    void objectTree();
    void texts_data();
    void texts();
    void startingState();
    void menusAndIcons();
    void formOnItsOwn();
    void slotsInOrder();

    void autoSaveDisablesSaveImage();
    void outputPaneGrowsAndShrinksTheWindow();
    void windowCannotBeResized();

    void firstStartOffersTheHomeFolder();
    void closeStoresThePathAndTheNextStartReadsIt();
    void exitActionClosesLikeTheCloseButton();

    void aboutBox();
    void aboutQt();
};

void WindowShellTest::init()
{
    QSettings("Korvo", "Graymill").clear();
}

void WindowShellTest::objectTree_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");

    const char *rows[][3] = {
            {"action_Exit", "QAction", "MainWindow"},
            {"actionAbout_Qt", "QAction", "MainWindow"},
            {"actionAbout_Nibblecast", "QAction", "MainWindow"},
            {"centralWidget", "QWidget", "MainWindow"},
            {"horizontalLayout", "QHBoxLayout", "centralWidget"},
            {"verticalLayout_2", "QVBoxLayout", "horizontalLayout"},
            {"pbLoad", "QPushButton", "centralWidget"},
            {"groupBox", "QGroupBox", "centralWidget"},
            {"verticalLayout", "QVBoxLayout", "groupBox"},
            {"cbAutoSave", "QCheckBox", "groupBox"},
            {"cbViewOutput", "QCheckBox", "groupBox"},
            {"cbInvertColors", "QCheckBox", "groupBox"},
            {"lblOriginal", "QLabel", "centralWidget"},
            {"pbSave", "QPushButton", "centralWidget"},
            {"lblModified", "QLabel", "centralWidget"},
            {"pteOutput", "QPlainTextEdit", "centralWidget"},
            {"menuBar", "QMenuBar", "MainWindow"},
            {"menuFile", "QMenu", "menuBar"},
            {"menu_Help", "QMenu", "menuBar"},
            {"statusBar", "QStatusBar", "MainWindow"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1] << row[2];
}

void WindowShellTest::objectTree()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, parentName);

    MainWindow window;
    QCOMPARE(window.objectName(), QString("MainWindow"));
    const QList<QObject *> found = window.findChildren<QObject *>(name);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0]->metaObject()->className(), className.toLatin1());
    QCOMPARE(found[0]->parent()->objectName(), parentName);
}

void WindowShellTest::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QString>("text");

    QTest::newRow("title") << "MainWindow" << QByteArray("windowTitle")
                           << "Nibblecast for EK-LM3S6965";
    QTest::newRow("exit") << "action_Exit" << QByteArray("text") << "&Exit";
    QTest::newRow("about qt") << "actionAbout_Qt" << QByteArray("text") << "About Qt";
    QTest::newRow("about") << "actionAbout_Nibblecast" << QByteArray("text") << "About Nibblecast";
    QTest::newRow("load") << "pbLoad" << QByteArray("text") << "Load Image";
    QTest::newRow("options") << "groupBox" << QByteArray("title") << "Options";
    QTest::newRow("auto save") << "cbAutoSave" << QByteArray("text") << "Auto Save";
    QTest::newRow("view") << "cbViewOutput" << QByteArray("text") << "View Output Window";
    QTest::newRow("invert") << "cbInvertColors" << QByteArray("text") << "Invert Colors";
    QTest::newRow("original") << "lblOriginal" << QByteArray("text") << "Original Image";
    QTest::newRow("save") << "pbSave" << QByteArray("text") << "Save Image";
    QTest::newRow("modified") << "lblModified" << QByteArray("text") << "Modified Image";
    QTest::newRow("file") << "menuFile" << QByteArray("title") << "&File";
    QTest::newRow("help") << "menu_Help" << QByteArray("title") << "&Help";
}

void WindowShellTest::texts()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, property);
    QFETCH(QString, text);

    MainWindow window;
    QObject *object = name == "MainWindow" ? &window : window.findChild<QObject *>(name);
    QVERIFY(object);
    QCOMPARE(object->property(property.constData()).toString(), text);
}

void WindowShellTest::startingState()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QVERIFY(child<QCheckBox>(window, "cbAutoSave")->isChecked());
    QVERIFY(!child<QCheckBox>(window, "cbViewOutput")->isChecked());
    QVERIFY(!child<QCheckBox>(window, "cbInvertColors")->isChecked());
    QVERIFY(child<QPushButton>(window, "pbLoad")->isEnabled());
    QVERIFY(!child<QPushButton>(window, "pbSave")->isEnabled());
    QCOMPARE(child<QLabel>(window, "lblOriginal")->minimumSize(), QSize(128, 96));
    QCOMPARE(child<QLabel>(window, "lblModified")->minimumSize(), QSize(128, 96));
    QVERIFY(child<QStatusBar>(window, "statusBar")->currentMessage().isEmpty());

    auto *pane = child<QPlainTextEdit>(window, "pteOutput");
    QVERIFY(!pane->isVisible());
    QVERIFY(pane->toPlainText().isEmpty());
    QCOMPARE(pane->minimumSize(), QSize(500, 0));
    QCOMPARE(pane->wordWrapMode(), QTextOption::NoWrap);
    QCOMPARE(pane->font().family(), QString("Lucida Console"));
    QCOMPARE(pane->font().styleHint(), QFont::TypeWriter);
    // The hex columns line up only when every character of an entry is as wide as any other.
    const QFontMetrics metrics(pane->font());
    for (const char *glyph : {"x", "f", ",", " ", "a"})
        QCOMPARE(metrics.horizontalAdvance(glyph), metrics.horizontalAdvance("0"));
}

void WindowShellTest::menusAndIcons()
{
    MainWindow window;
    auto *exit = child<QAction>(window, "action_Exit");
    auto *aboutQt = child<QAction>(window, "actionAbout_Qt");
    auto *about = child<QAction>(window, "actionAbout_Nibblecast");

    QCOMPARE(child<QMenuBar>(window, "menuBar")->actions(),
             QList<QAction *>({child<QMenu>(window, "menuFile")->menuAction(),
                               child<QMenu>(window, "menu_Help")->menuAction()}));
    QCOMPARE(child<QMenu>(window, "menuFile")->actions(), QList<QAction *>({exit}));
    QCOMPARE(child<QMenu>(window, "menu_Help")->actions(), QList<QAction *>({aboutQt, about}));

    const QImage logo = iconImage(QIcon(":/img/Logo.png"));
    QVERIFY(!logo.isNull());
    QCOMPARE(iconImage(window.windowIcon()), logo);
    QCOMPARE(iconImage(about->icon()), logo);
    QCOMPARE(iconImage(exit->icon()), iconImage(QIcon(":/img/Shutdown.png")));
    QCOMPARE(iconImage(aboutQt->icon()), iconImage(QIcon(":/img/qt.png")));
}

// The form on a plain window: the initial geometry, and a name already given is kept.
void WindowShellTest::formOnItsOwn()
{
    QMainWindow plain;
    MainWindowForm form;
    form.setupUi(&plain);
    QCOMPARE(plain.objectName(), QString("MainWindow"));
    QCOMPARE(plain.size(), QSize(671, 435));
    QCOMPARE(form.menuBar->geometry(), QRect(0, 0, 671, 22));
    QVERIFY(form.pteOutput->isVisibleTo(&plain)); // hiding it is the window's job

    QMainWindow named;
    named.setObjectName("Kept");
    MainWindowForm other;
    other.setupUi(&named);
    QCOMPARE(named.objectName(), QString("Kept"));
}

void WindowShellTest::slotsInOrder()
{
    const QMetaObject &meta = MainWindow::staticMetaObject;
    QCOMPARE(meta.className(), "MainWindow");
    QStringList declared;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        QCOMPARE(meta.method(i).access(), QMetaMethod::Private);
        declared << meta.method(i).methodSignature();
    }
    QCOMPARE(declared, QStringList({"loadImage()", "saveImage()", "invertImage()", "aboutMe()"}));
}

void WindowShellTest::autoSaveDisablesSaveImage()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *autoSave = child<QCheckBox>(window, "cbAutoSave");
    auto *save = child<QPushButton>(window, "pbSave");

    for (int round = 0; round < 2; ++round) {
        QTest::mouseClick(autoSave, Qt::LeftButton);
        QVERIFY(!autoSave->isChecked());
        QVERIFY(save->isEnabled());
        QTest::mouseClick(autoSave, Qt::LeftButton);
        QVERIFY(autoSave->isChecked());
        QVERIFY(!save->isEnabled());
    }
}

void WindowShellTest::outputPaneGrowsAndShrinksTheWindow()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *view = child<QCheckBox>(window, "cbViewOutput");
    auto *pane = child<QPlainTextEdit>(window, "pteOutput");
    QTRY_COMPARE(window.size(), window.sizeHint());
    const QSize narrow = window.size();
    QVERIFY(narrow.width() < 500);

    for (int round = 0; round < 2; ++round) {
        QTest::mouseClick(view, Qt::LeftButton);
        QVERIFY(pane->isVisible());
        QTRY_VERIFY(window.width() >= narrow.width() + 500);
        QVERIFY(pane->width() >= 500);
        QTest::mouseClick(view, Qt::LeftButton);
        QVERIFY(!pane->isVisible());
        QTRY_COMPARE(window.size(), narrow);
    }
}

void WindowShellTest::windowCannotBeResized()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(window.minimumSize(), window.maximumSize());
    const QSize fixed = window.size();
    window.resize(fixed + QSize(200, 150));
    QCOMPARE(window.size(), fixed);
}

void WindowShellTest::firstStartOffersTheHomeFolder()
{
    MainWindow window;
    window.show();
    QCOMPARE(dialogStartFolder(window), homeDir());
}

void WindowShellTest::closeStoresThePathAndTheNextStartReadsIt()
{
    {
        MainWindow window;
        window.show();
        QVERIFY(window.close());
    }
    QCOMPARE(storedPath(), homeDir());
    QVERIFY(QFile::exists(homeDir() + "/config/Korvo/Graymill.conf"));

    const QString elsewhere = homeDir() + "/pictures";
    QVERIFY(QDir().mkpath(elsewhere));
    QSettings("Korvo", "Graymill").setValue("Path", elsewhere + "/last.png");
    MainWindow next;
    next.show();
    QCOMPARE(dialogStartFolder(next), elsewhere);
    QVERIFY(next.close());
    QCOMPARE(storedPath(), elsewhere + "/last.png");
}

void WindowShellTest::exitActionClosesLikeTheCloseButton()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    child<QAction>(window, "action_Exit")->trigger();
    QVERIFY(!window.isVisible());
    QCOMPARE(storedPath(), homeDir());
}

void WindowShellTest::aboutBox()
{
    MainWindow window;
    window.show();
    QString title, text;
    auto box = whenModal<QMessageBox>([&](QMessageBox *b) {
        title = b->windowTitle();
        text = b->text();
        b->accept();
    });
    child<QAction>(window, "actionAbout_Nibblecast")->trigger();
    QVERIFY(box->handled());

    QCOMPARE(title, QString("Nibblecast for EK-LM3S6965"));
    QVERIFY(QRegularExpression("^[A-Z][a-z]{2} [ 1-3][0-9] [0-9]{4}$")
                    .match(nibble::buildDate())
                    .hasMatch());
    QCOMPARE(text,
             "This application generates C header files from images (hence the name).\n"
             "These header files can then be used in an EK-LM3S6965 project.\n\n"
             "Written by Orvantis for the embedded software course @ campus Velmore.\n\n"
             "Compilation date: "
                     + nibble::buildDate() + "   Output Format: 128 x 96");
}

void WindowShellTest::aboutQt()
{
    MainWindow window;
    window.show();
    QString title;
    auto box = whenModal<QMessageBox>([&](QMessageBox *b) {
        title = b->windowTitle();
        b->accept();
    });
    child<QAction>(window, "actionAbout_Qt")->trigger();
    QVERIFY(box->handled());
    QCOMPARE(title, QString("About Qt"));
}

NIBBLE_TEST_MAIN(WindowShellTest, nibbletest::Privileges::Keep)
#include "tst_window_shell.moc"
