#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Times fn over several repetitions and returns the median in milliseconds.
double medianMs(int repetitions, const std::function<void()> &fn);

// Prints one result line: "bench NAME ours_ms=X baseline_ms=Y ratio=R".
void report(const QString &name, double oursMs, double baselineMs);

// Each group of measures lives in its own file.
void benchMainWindow();
void benchDriverEditor();

// A fresh process of this program, for a measure that must not see what others left behind
// (resident memory).
int mainWindowRssChild(const QStringList &arguments);
