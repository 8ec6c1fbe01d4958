#include "form1.h"
#include "platform.h"
#include "window_setup.h"

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void onTerminationSignal(int)
{
    const char byte = 1;
    // Nothing else is safe inside a signal handler; the event loop does the closing.
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

// SIGTERM, SIGINT and SIGHUP (logout, Ctrl+C) close the windows the same way as their close
// boxes, so the main window still writes the settings file before the program ends.
void closeWindowsOnTerminationSignals(QApplication &app)
{
    // Close-on-exec: the emulators started from here must not inherit it.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(g_signalPipe[0], &byte, 1);
        QApplication::closeAllWindows();
        QApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

bool hasDisplay()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char *argv[])
{
    if (!hasDisplay()) {
        std::fputs("nerax: no display to show its window on (DISPLAY is not set); run it in a "
                   "desktop session, or with QT_QPA_PLATFORM=vnc:addr=127.0.0.1\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Nerax"));
    QApplication::setApplicationVersion(QStringLiteral("0.01"));
    setUpApplicationLook();

    QtPlatform platform;
    // The main window is deleted with the last window closed; other windows may outlive it.
    auto *form = new Form1(platform, QCoreApplication::applicationDirPath());
    form->setAttribute(Qt::WA_DeleteOnClose);
    if (!form->load()) {
        delete form;
        return 1;
    }
    closeWindowsOnTerminationSignals(app);
    form->show();
    return QApplication::exec();
}
