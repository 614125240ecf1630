#pragma once

class QAction;
class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QMainWindow;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QVBoxLayout;
class QWidget;

// Builds the main window's widgets, as a designer form would; it owns none of them.
class MainWindowForm
{
public:
    QAction *action_Exit;
    QAction *actionAbout_Qt;
    QAction *actionAbout_Nibblecast;
    QWidget *centralWidget;
    QHBoxLayout *horizontalLayout;
    QVBoxLayout *verticalLayout_2;
    QPushButton *pbLoad;
    QGroupBox *groupBox;
    QVBoxLayout *verticalLayout;
    QCheckBox *cbAutoSave;
    QCheckBox *cbViewOutput;
    QCheckBox *cbInvertColors;
    QLabel *lblOriginal;
    QPushButton *pbSave;
    QLabel *lblModified;
    QPlainTextEdit *pteOutput;
    QMenuBar *menuBar;
    QMenu *menuFile;
    QMenu *menu_Help;
    QStatusBar *statusBar;

    void setupUi(QMainWindow *window);
    void retranslateUi(QMainWindow *window);
};
