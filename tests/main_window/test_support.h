#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

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
    return QByteArray("3\r\n\" -nocheck\"\r\n\"\"\r\n\"\"\r\n\" -sound\"\r\n\"\"\r\n\"2\"\r\n\"\"\r\n"
                      "\"italiano\"\r\n");
}

int runLogicTests(int argc, char **argv);
int runForm1Tests(int argc, char **argv);
