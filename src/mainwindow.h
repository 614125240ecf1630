#pragma once

#include <QByteArray>
#include <QImage>
#include <QMainWindow>
#include <QString>

class MainWindowForm;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void loadImage();
    void saveImage();
    void invertImage();
    void aboutMe();

private:
    void warn(const QString &text);

    MainWindowForm *form;
    QImage image;
    QString dataText;
    QByteArray rawData;
    QString imageFile;
    QString lastPath;
    bool reloadRequested;
};
