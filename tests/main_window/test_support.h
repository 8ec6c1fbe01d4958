#pragma once

#include <QAbstractItemView>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

class Form1;

// Small file helpers shared by the main window's tests.
inline void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(content), content.size());
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The settings file of a user who chose resolution 3, no-check, sound, frameskip 2 and Italian.
inline QByteArray exampleSettings()
{
    return QByteArray(
        "3\r\n\" -nocheck\"\r\n\"\"\r\n\"\"\r\n\" -sound\"\r\n\"\"\r\n\"2\"\r\n\"\"\r\n"
        "\"italiano\"\r\n");
}

// The application folder and window helpers below are shared with the localisation tests.
// An application folder of the test's own, with calice.exe in it.
struct AppFolder
{
    QTemporaryDir dir;
    AppFolder(const char *calice = "calice.exe")
    {
        if (calice)
            writeFile(path(QLatin1String(calice)), "#!/bin/sh\n");
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    void addDriver(const QString &name)
    {
        QDir().mkpath(path(QStringLiteral("drv")));
        writeFile(path(QStringLiteral("drv/") + name), "general\r\n");
    }
    void addPicture(const QString &name)
    {
        QDir().mkpath(path(QStringLiteral("images")));
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(path(QStringLiteral("images/") + name), "JPEG"));
    }
};

template <typename T> inline T *child(QWidget &form, const char *name)
{
    T *widget = form.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no control named %s", name);
    return widget;
}

inline QString commandText(QWidget &form)
{
    return child<QLineEdit>(form, "txtRigaComando")->text();
}

inline void chooseDriver(QWidget &form, const QString &name)
{
    auto *list = child<QAbstractItemView>(form, "filRoms");
    const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                       name, 1, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(name));
    list->setCurrentIndex(found.first());
}

int runLogicTests(int argc, char **argv);
int runForm1Tests(int argc, char **argv);
int runLaunchTests(int argc, char **argv);
