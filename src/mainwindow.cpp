#include "mainwindow.h"

#include "display.h"
#include "greyconversion.h"
#include "headertext.h"
#include "mainwindowform.h"
#include "outputfiles.h"
#include "pictureloader.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>

namespace {

const char *const SettingsOrganisation = "Korvo";
const char *const SettingsApplication = "Graymill";
const char *const PathKey = "Path";

// "<this file> <tag> <value> ": every item followed by one space, the last one included. The
// stream's own spacing and quoting would drop that space and escape the path, so the line is
// put together here.
void traceLine(int tag, const QString &value)
{
    const QString line = QFileInfo(QStringLiteral(__FILE__)).fileName() + u' '
            + QString::number(tag) + u' ' + value + u' ';
    qDebug().noquote().nospace() << line;
}

void trace(int tag, qint64 value)
{
    traceLine(tag, QString::number(value));
}

void trace(int tag, const QString &value)
{
    traceLine(tag, u'"' + value + u'"');
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), form(new MainWindowForm)
{
    form->setupUi(this);

    // The hex columns only line up in a fixed-pitch face, whichever one the system has.
    QFont paneFont(tr("Lucida Console"));
    paneFont.setStyleHint(QFont::TypeWriter);
    form->pteOutput->setFont(paneFont);
    form->pteOutput->setWordWrapMode(QTextOption::NoWrap);
    form->pteOutput->setVisible(false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(form->pbSave, SIGNAL(clicked()), this, SLOT(saveImage()));
    connect(form->pbLoad, SIGNAL(clicked()), this, SLOT(loadImage()));
    connect(form->cbInvertColors, SIGNAL(toggled(bool)), this, SLOT(invertImage()));
    connect(form->action_Exit, SIGNAL(triggered()), this, SLOT(close()));
    connect(form->actionAbout_Qt, SIGNAL(triggered()), qApp, SLOT(aboutQt()));
    connect(form->actionAbout_Nibblecast, SIGNAL(triggered()), this, SLOT(aboutMe()));

    reloadRequested = false;

    QSettings settings(SettingsOrganisation, SettingsApplication);
    lastPath = settings.value(PathKey, QDir::homePath()).toString();
}

MainWindow::~MainWindow()
{
    delete form;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    QSettings settings(SettingsOrganisation, SettingsApplication);
    settings.setValue(PathKey, lastPath);
    QMainWindow::closeEvent(event);
}

void MainWindow::loadImage()
{
    if (!reloadRequested) {
        imageFile = QFileDialog::getOpenFileName(this, tr("Open Image"), lastPath,
                                                 tr("Image Files (*.png *.jpg *.bmp)"));
    }
    reloadRequested = false;
    if (!QFile::exists(imageFile))
        return;

    trace(38, imageFile);
    lastPath = QDir().absoluteFilePath(imageFile);

    const nibble::LoadedPicture loaded = nibble::loadPicture(imageFile);
    if (!loaded.ok()) {
        // Nothing of this file was converted: Save Image must not put the previous picture's
        // data under its name.
        imageFile.clear();
        warn(tr("An error occured whilst trying to read the file\nTry an other file."));
        return;
    }
    image = nibble::scaleToDisplay(loaded.image);
    form->lblOriginal->setPixmap(QPixmap::fromImage(image, Qt::AutoColor));

    const nibble::GreyConversion grey
            = nibble::convertToGrey(image, form->cbInvertColors->isChecked());
    dataText = grey.dataText;
    rawData = grey.rawData;
    trace(84, rawData.size());
    form->lblModified->setPixmap(QPixmap::fromImage(grey.preview, Qt::AutoColor));

    const nibble::HeaderFields fields{imageFile, QDateTime::currentDateTime(), image.size(),
                                      rawData.size(), dataText};
    form->pteOutput->setPlainText(nibble::fillHeaderTemplate(nibble::headerTemplate(), fields));

    if (form->cbAutoSave->isChecked())
        saveImage();
}

void MainWindow::saveImage()
{
    if (!QFile::exists(imageFile))
        return;

    const nibble::SaveResult saved = nibble::saveOutputPair(
            nibble::outputNames(imageFile), form->pteOutput->document()->toPlainText(), rawData);
    if (saved.rawBytesWritten) {
        trace(136, *saved.rawBytesWritten);
        trace(139, saved.rawSizeOnDisk);
    }
    if (saved.failed == nibble::OutputFile::Header)
        warn(tr("An error occured whilst trying to save the header file"));
    else if (saved.failed == nibble::OutputFile::Raw)
        warn(tr("An error occured whilst trying to save the raw file"));
}

void MainWindow::invertImage()
{
    if (!QFile::exists(imageFile))
        return;
    reloadRequested = true;
    loadImage();
}

void MainWindow::aboutMe()
{
    const QString text
            = tr("This application generates C header files from images (hence the name).\n"
                 "These header files can then be used in an EK-LM3S6965 project.\n\n"
                 "Written by Orvantis for the embedded software course @ campus Velmore.\n\n"
                 "Compilation date: %1   Output Format: %2 x %3")
                      .arg(nibble::buildDate(), 0, QLatin1Char(' '))
                      .arg(qlonglong(nibble::DisplayWidth), 0, 10, QLatin1Char(' '))
                      .arg(qlonglong(nibble::DisplayHeight), 0, 10, QLatin1Char(' '));
    QMessageBox::about(this, windowTitle(), text);
}

void MainWindow::warn(const QString &text)
{
    QMessageBox::warning(this, tr("Oops"), text, QMessageBox::Ok, QMessageBox::Ok);
}
