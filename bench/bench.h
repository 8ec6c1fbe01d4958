#pragma once

#include "platform.h"

#include <QString>
#include <QStringList>
#include <functional>

// Nothing of the desktop is used while measuring; a message box would mean a broken set-up.
class BenchPlatform final : public Platform
{
public:
    void messageBox(const QString &text, const QString &title, MessageIcon icon,
                    QWidget *parent) override;
    void beep() override {}
    bool startProgram(const QString &, const QStringList &, const QString &, QString *) override
    {
        return true;
    }
    QString findProgram(const QString &) override { return QString(); }
    bool openUrl(const QUrl &) override { return true; }
    QString chooseFolder(const QString &, const QString &) override { return QString(); }
};

// Times fn over several repetitions and returns the median in milliseconds. before, when given,
// runs untimed ahead of each repetition.
double medianMs(int repetitions, const std::function<void()> &fn,
                const std::function<void()> &before = {});

// Prints one result line: "bench NAME ours_ms=X baseline_ms=Y ratio=R".
void report(const QString &name, double oursMs, double baselineMs);

// Each group of measures lives in its own file.
void benchMainWindow();
void benchDriverEditor();

// A fresh process of this program, for a measure that must not see what others left behind
// (resident memory).
int mainWindowRssChild(const QStringList &arguments);
