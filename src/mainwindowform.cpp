#include "mainwindowform.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

QIcon iconFrom(const QString &path)
{
    QIcon icon;
    icon.addFile(path, QSize(), QIcon::Normal, QIcon::Off);
    return icon;
}

} // namespace

void MainWindowForm::setupUi(QMainWindow *window)
{
    if (window->objectName().isEmpty())
        window->setObjectName("MainWindow");
    window->resize(671, 435);
    const QIcon logo = iconFrom(QStringLiteral(":/img/Logo.png"));
    window->setWindowIcon(logo);

    action_Exit = new QAction(window);
    action_Exit->setObjectName("action_Exit");
    action_Exit->setIcon(iconFrom(QStringLiteral(":/img/Shutdown.png")));
    actionAbout_Qt = new QAction(window);
    actionAbout_Qt->setObjectName("actionAbout_Qt");
    actionAbout_Qt->setIcon(iconFrom(QStringLiteral(":/img/qt.png")));
    actionAbout_Nibblecast = new QAction(window);
    actionAbout_Nibblecast->setObjectName("actionAbout_Nibblecast");
    actionAbout_Nibblecast->setIcon(logo);

    centralWidget = new QWidget(window);
    centralWidget->setObjectName("centralWidget");
    horizontalLayout = new QHBoxLayout(centralWidget);
    horizontalLayout->setSpacing(6);
    horizontalLayout->setContentsMargins(11, 11, 11, 11);
    horizontalLayout->setObjectName("horizontalLayout");
    verticalLayout_2 = new QVBoxLayout();
    verticalLayout_2->setSpacing(6);
    verticalLayout_2->setObjectName("verticalLayout_2");

    pbLoad = new QPushButton(centralWidget);
    pbLoad->setObjectName("pbLoad");
    verticalLayout_2->addWidget(pbLoad);

    groupBox = new QGroupBox(centralWidget);
    groupBox->setObjectName("groupBox");
    verticalLayout = new QVBoxLayout(groupBox);
    verticalLayout->setSpacing(6);
    verticalLayout->setContentsMargins(11, 11, 11, 11);
    verticalLayout->setObjectName("verticalLayout");
    cbAutoSave = new QCheckBox(groupBox);
    cbAutoSave->setObjectName("cbAutoSave");
    cbAutoSave->setChecked(true);
    verticalLayout->addWidget(cbAutoSave);
    cbViewOutput = new QCheckBox(groupBox);
    cbViewOutput->setObjectName("cbViewOutput");
    cbViewOutput->setChecked(false);
    verticalLayout->addWidget(cbViewOutput);
    cbInvertColors = new QCheckBox(groupBox);
    cbInvertColors->setObjectName("cbInvertColors");
    cbInvertColors->setChecked(false);
    verticalLayout->addWidget(cbInvertColors);
    verticalLayout_2->addWidget(groupBox);

    lblOriginal = new QLabel(centralWidget);
    lblOriginal->setObjectName("lblOriginal");
    lblOriginal->setMinimumSize(QSize(128, 96));
    verticalLayout_2->addWidget(lblOriginal);
    pbSave = new QPushButton(centralWidget);
    pbSave->setObjectName("pbSave");
    pbSave->setEnabled(false);
    verticalLayout_2->addWidget(pbSave);
    lblModified = new QLabel(centralWidget);
    lblModified->setObjectName("lblModified");
    lblModified->setMinimumSize(QSize(128, 96));
    verticalLayout_2->addWidget(lblModified);
    horizontalLayout->addLayout(verticalLayout_2);

    pteOutput = new QPlainTextEdit(centralWidget);
    pteOutput->setObjectName("pteOutput");
    pteOutput->setMinimumSize(QSize(500, 0));
    horizontalLayout->addWidget(pteOutput);
    window->setCentralWidget(centralWidget);

    menuBar = new QMenuBar(window);
    menuBar->setObjectName("menuBar");
    menuBar->setGeometry(QRect(0, 0, 671, 22));
    menuFile = new QMenu(menuBar);
    menuFile->setObjectName("menuFile");
    menu_Help = new QMenu(menuBar);
    menu_Help->setObjectName("menu_Help");
    window->setMenuBar(menuBar);
    statusBar = new QStatusBar(window);
    statusBar->setObjectName("statusBar");
    window->setStatusBar(statusBar);

    menuBar->addAction(menuFile->menuAction());
    menuBar->addAction(menu_Help->menuAction());
    menuFile->addAction(action_Exit);
    menu_Help->addAction(actionAbout_Qt);
    menu_Help->addAction(actionAbout_Nibblecast);

    retranslateUi(window);

    // Made after the starting states are set, so that setting them drives nothing.
    QObject::connect(cbAutoSave, SIGNAL(toggled(bool)), pbSave, SLOT(setDisabled(bool)));
    QObject::connect(cbViewOutput, SIGNAL(toggled(bool)), pteOutput, SLOT(setVisible(bool)));

    QMetaObject::connectSlotsByName(window);
}

void MainWindowForm::retranslateUi(QMainWindow *window)
{
    window->setWindowTitle(
            QCoreApplication::translate("MainWindow", "Nibblecast for EK-LM3S6965", nullptr));
    action_Exit->setText(QCoreApplication::translate("MainWindow", "&Exit", nullptr));
    actionAbout_Qt->setText(QCoreApplication::translate("MainWindow", "About Qt", nullptr));
    actionAbout_Nibblecast->setText(
            QCoreApplication::translate("MainWindow", "About Nibblecast", nullptr));
    pbLoad->setText(QCoreApplication::translate("MainWindow", "Load Image", nullptr));
    groupBox->setTitle(QCoreApplication::translate("MainWindow", "Options", nullptr));
    cbAutoSave->setText(QCoreApplication::translate("MainWindow", "Auto Save", nullptr));
    cbViewOutput->setText(QCoreApplication::translate("MainWindow", "View Output Window", nullptr));
    cbInvertColors->setText(QCoreApplication::translate("MainWindow", "Invert Colors", nullptr));
    lblOriginal->setText(QCoreApplication::translate("MainWindow", "Original Image", nullptr));
    pbSave->setText(QCoreApplication::translate("MainWindow", "Save Image", nullptr));
    lblModified->setText(QCoreApplication::translate("MainWindow", "Modified Image", nullptr));
    menuFile->setTitle(QCoreApplication::translate("MainWindow", "&File", nullptr));
    menu_Help->setTitle(QCoreApplication::translate("MainWindow", "&Help", nullptr));
}
