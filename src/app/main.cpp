#include "app_folder.h"
#include "display_choice.h"
#include "form1.h"
#include "platform.h"
#include "window_setup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
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

// Asks Qt for X11 before Wayland where the user has made no choice (see preferredQtPlatform);
// returns whether QT_QPA_PLATFORM was set here, so that it can be taken back once the
// application object has read it.
bool preferX11(int argc, char *argv[])
{
    const QByteArray choice =
        preferredQtPlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), argc, argv);
    if (choice.isEmpty())
        return false;
    qputenv("QT_QPA_PLATFORM", choice);
    return true;
}

bool hasDisplay()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Reads the command line; returns -1 to go on with *appDir set (empty: the program's own
// folder), or the exit status once help, the version or a mistake has been printed. Needs no
// display, so that all of these work without one.
int readCommandLine(int &argc, char *argv[], const QStringList &arguments, QString *appDir)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Permette di utilizzare il Calice con pochi click"));
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                 QStringLiteral("The emulator's folder, with calice.exe, drv, "
                                                "images and nerax.cfg (default: the folder of "
                                                "this program)."),
                                 QStringLiteral("[FOLDER]"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "nerax: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // The usage line names the program as it was started, which the application object
        // knows; without a display there is none yet, and a core one needs no display.
        std::optional<QCoreApplication> core;
        if (!QCoreApplication::instance())
            core.emplace(argc, argv);
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    const QStringList folders = parser.positionalArguments();
    if (folders.size() > 1) {
        std::fputs("nerax: give at most one folder\n", stderr);
        return 2;
    }
    if (folders.isEmpty())
        return -1;
    const QFileInfo folder(folders.first());
    if (!folder.exists() || !folder.isDir()) {
        std::fprintf(stderr, "nerax: %s: %s\n", qPrintable(folders.first()),
                     folder.exists() ? "not a folder" : "no such folder");
        return 2;
    }
    *appDir = QDir::cleanPath(folder.absoluteFilePath());
    return -1;
}

// Help and the version are answered before the application object opens the display, so that
// they work where DISPLAY names one that cannot be reached. Returns the exit status, or -1 when
// neither was asked for. Only the options before "--" count; the rest would be folders.
int answerHelpOrVersion(int &argc, char *argv[])
{
    static const char *const names[] = {"-h", "-?", "--help", "--help-all", "-v", "--version"};
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        for (const char *name : names) {
            if (std::strcmp(argv[i], name) != 0)
                continue;
            QString unused;
            return readCommandLine(
                argc, argv, {QString::fromLocal8Bit(argv[0]), QString::fromLatin1(name)}, &unused);
        }
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("Nerax"));
    QApplication::setApplicationVersion(QStringLiteral(NERAX_VERSION));
    if (const int status = answerHelpOrVersion(argc, argv); status >= 0)
        return status;
    QString appDir;
    if (!hasDisplay()) {
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments.append(QString::fromLocal8Bit(argv[i]));
        if (const int status = readCommandLine(argc, argv, arguments, &appDir); status >= 0)
            return status;
        std::fputs("nerax: no display to show its window on (DISPLAY is not set); run it in a "
                   "desktop session, or with QT_QPA_PLATFORM=vnc:addr=127.0.0.1\n",
                   stderr);
        return 2;
    }
    // The application object takes out the options that are Qt's own (-style, -platform, ...)
    // before ours are read.
    const bool choseX11 = preferX11(argc, argv);
    QApplication app(argc, argv);
    // The choice is nerax's own: the emulator and the browser choose their display themselves.
    if (choseX11)
        qunsetenv("QT_QPA_PLATFORM");
    if (const int status = readCommandLine(argc, argv, QCoreApplication::arguments(), &appDir);
        status >= 0)
        return status;
    setUpApplicationLook();

    QtPlatform platform;
    const std::optional<QString> folder =
        appFolder(platform, QCoreApplication::applicationDirPath(), appDir);
    if (!folder)
        return 0; // the folder dialog was cancelled
    appDir = *folder;
    // The main window is deleted with the last window closed; other windows may outlive it.
    auto *form = new Form1(platform, appDir);
    form->setAttribute(Qt::WA_DeleteOnClose);
    if (!form->load()) {
        delete form;
        return 1;
    }
    closeWindowsOnTerminationSignals(app);
    form->show();
    return QApplication::exec();
}
