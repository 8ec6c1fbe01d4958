#include "bench.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <vector>

double medianMs(int repetitions, const std::function<void()> &fn,
                const std::function<void()> &before)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        if (before)
            before();
        QElapsedTimer timer;
        timer.start();
        fn();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    if (times.empty())
        return 0.0;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void BenchPlatform::messageBox(const QString &text, const QString &, MessageIcon, QWidget *)
{
    std::fprintf(stderr, "bench: unexpected message box: %s\n", qPrintable(text));
}

void report(const QString &name, double oursMs, double baselineMs)
{
    std::printf("bench %s ours_ms=%.2f baseline_ms=%.2f ratio=%.2f\n", qPrintable(name), oursMs,
                baselineMs, baselineMs > 0 ? oursMs / baselineMs : 0.0);
    std::fflush(stdout);
}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.value(1) == QLatin1String("--rss-child"))
        return mainWindowRssChild(arguments.mid(2));
    benchMainWindow();
    benchDriverEditor();
    return 0;
}
