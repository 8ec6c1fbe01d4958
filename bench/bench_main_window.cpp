#include "bench.h"

#include "driver_list.h"
#include "form1.h"
#include "platform.h"
#include "window_setup.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <random>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr int kDrivers = 100000;
constexpr int kRepetitions = 7;
constexpr int kRssRepetitions = 3;
const QSize kWindowSize(592, 329);

// Sees the first paint of a widget, so a measure ends with the frame on screen.
class PaintWatcher final : public QObject
{
public:
    explicit PaintWatcher(QWidget *widget) { widget->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

void showAndPaint(QWidget *widget)
{
    PaintWatcher watcher(widget);
    widget->show();
    QElapsedTimer limit;
    limit.start();
    while (!watcher.painted && limit.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!watcher.painted)
        std::fprintf(stderr, "bench: %s was never painted\n", widget->metaObject()->className());
}

// Median in milliseconds of timed(), each run preceded by an untimed before().
double medianMsAfter(const std::function<void()> &before, const std::function<void()> &timed)
{
    return medianMs(kRepetitions, timed, before);
}

// Names as users collect them: mixed lengths, some in upper case as copied from DOS.
bool makeDriverFolder(const QString &folder, int count)
{
    if (!QDir().mkpath(folder))
        return false;
    std::mt19937 random(20240101);
    std::uniform_int_distribution<int> length(3, 12);
    std::uniform_int_distribution<int> letter(0, 25);
    for (int i = 0; i < count; ++i) {
        QString name;
        const int size = length(random);
        for (int c = 0; c < size; ++c)
            name.append(QChar(u'a' + letter(random)));
        name += QString::number(i, 36);
        name += QStringLiteral(".drv");
        if (i % 10 == 0)
            name = name.toUpper();
        QFile file(folder + QLatin1Char('/') + name);
        if (!file.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

// What any program pays to list a folder: iterate it and sort the names once.
QStringList rawScan(const QString &folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::Files);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

// The least any program pays for the same list: the file type as the folder itself reports it
// (a stat only for links and for file systems that report none), names kept as bytes, and one
// byte sort without regard to case, equal ones byte by byte.
std::vector<std::string> limitScan(const QString &folder)
{
    std::vector<std::string> names;
    DIR *dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent *entry = readdir(dir)) {
        const char *name = entry->d_name;
        const std::size_t length = std::strlen(name);
        if (name[0] == '.' || length < 4 || strcasecmp(name + length - 4, ".drv") != 0)
            continue;
        if (entry->d_type != DT_REG) {
            struct stat status;
            if ((entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) ||
                fstatat(dirfd(dir), name, &status, 0) != 0 || !S_ISREG(status.st_mode))
                continue;
        }
        names.emplace_back(name, length);
    }
    closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        const int order = strcasecmp(a.c_str(), b.c_str());
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// An application folder as the real program finds it: calice.exe, nerax.cfg and drv/.
bool makeAppFolder(const QString &appDir, int drivers)
{
    return makeDriverFolder(appDir + QStringLiteral("/drv"), drivers) &&
           writeFile(appDir + QStringLiteral("/calice.exe"), "#!/bin/sh\n") &&
           writeFile(
               appDir + QStringLiteral("/nerax.cfg"),
               "3\r\n\" -nocheck\"\r\n\"\"\r\n\"\"\r\n\" -sound\"\r\n\"\"\r\n\"2\"\r\n\"\"\r\n"
               "\"italiano\"\r\n");
}

// A photograph-like picture: smooth gradients under many soft shapes, so the decoder works as
// hard as on a real preview.
bool makeBigJpeg(const QString &path)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 4000, 3000);
    sky.setColorAt(0, QColor(20, 40, 90));
    sky.setColorAt(1, QColor(230, 160, 60));
    painter.fillRect(image.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> x(0, 4000), y(0, 3000), radius(10, 300), channel(0, 255);
    for (int i = 0; i < 3000; ++i) {
        painter.setBrush(QColor(channel(random), channel(random), channel(random), 160));
        painter.setPen(Qt::NoPen);
        const int r = radius(random);
        painter.drawEllipse(QPoint(x(random), y(random)), r, r / 2 + 5);
    }
    painter.end();
    return image.save(path, "JPEG", 90);
}

void benchDriverList(const QString &folder)
{
    DriverListModel model;
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&model);
    view.resize(137, 175);
    showAndPaint(&view);
    auto fillList = [&] {
        model.setNames(scanDrivers(folder));
        // The list lays itself out lazily; the user waits for that and the repaint too.
        QCoreApplication::processEvents();
        view.viewport()->repaint();
    };
    // The real list is filled once: freeing a previous fill is no part of the measure.
    const auto emptyList = [&] { model.setNames({}); };
    emptyList();
    fillList(); // warms the folder's entries in the kernel's cache for both sides
    const double ours = medianMsAfter(emptyList, fillList);
    const int rows = model.rowCount();
    emptyList();
    QStringList names;
    const double baseline = medianMsAfter([&] { names.clear(); }, [&] { names = rawScan(folder); });
    std::vector<std::string> limitNames;
    const double limit = medianMsAfter([&] { std::vector<std::string>().swap(limitNames); },
                                       [&] { limitNames = limitScan(folder); });
    if (rows != kDrivers || names.size() != kDrivers || limitNames.size() != kDrivers)
        std::fprintf(stderr, "bench: the list holds %d names, the scans %lld and %zu\n", rows,
                     static_cast<long long>(names.size()), limitNames.size());
    report(QStringLiteral("driver_list_100k"), ours, baseline);
    report(QStringLiteral("driver_list_100k_vs_limit"), ours, limit);
}

void benchStartup(const QString &appDir)
{
    BenchPlatform platform;
    std::unique_ptr<Form1> form;
    const double ours = medianMsAfter([&] { form.reset(); },
                                      [&] {
                                          form = std::make_unique<Form1>(platform, appDir);
                                          form->load();
                                          showAndPaint(form.get());
                                      });
    form.reset();

    std::unique_ptr<QWidget> bare;
    const auto bareWindow = [&] {
        bare = std::make_unique<QWidget>();
        bare->resize(kWindowSize);
        showAndPaint(bare.get());
    };
    const QString folder = appDir + QStringLiteral("/drv");
    QStringList names;
    const double baseline = medianMsAfter(
        [&] {
            bare.reset();
            names.clear();
        },
        [&] {
            bareWindow();
            names = rawScan(folder);
        });
    std::vector<std::string> limitNames;
    const double limit = medianMsAfter(
        [&] {
            bare.reset();
            std::vector<std::string>().swap(limitNames);
        },
        [&] {
            bareWindow();
            limitNames = limitScan(folder);
        });
    report(QStringLiteral("startup_100k"), ours, baseline);
    report(QStringLiteral("startup_100k_vs_limit"), ours, limit);
}

void benchPreview(const QString &appDir)
{
    const QString picture = appDir + QStringLiteral("/images/big.jpg");
    if (!makeAppFolder(appDir, 0) || !writeFile(appDir + QStringLiteral("/drv/big.drv"), "x") ||
        !writeFile(appDir + QStringLiteral("/drv/other.drv"), "x") ||
        !QDir().mkpath(appDir + QStringLiteral("/images")) || !makeBigJpeg(picture)) {
        std::fprintf(stderr, "bench: cannot make the preview folder in %s\n", qPrintable(appDir));
        return;
    }

    BenchPlatform platform;
    Form1 form(platform, appDir);
    if (!form.load())
        return;
    showAndPaint(&form);
    auto *list = form.findChild<QListView *>(QStringLiteral("filRoms"));
    auto *image = form.findChild<QLabel *>(QStringLiteral("Image1"));
    const QModelIndex big = list->model()->index(0, 0);
    const QModelIndex other = list->model()->index(1, 0);
    const int border = image->frameWidth();
    const QSize box = image->size() - QSize(2 * border, 2 * border);

    const double ours =
        medianMsAfter([&] { list->setCurrentIndex(other); }, [&] { list->setCurrentIndex(big); });
    if (image->pixmap().size() != box)
        std::fprintf(stderr, "bench: the preview was not set (%dx%d)\n", image->pixmap().width(),
                     image->pixmap().height());

    const auto noSetUp = [] {};
    const double fullDecode = medianMsAfter(noSetUp, [&] {
        const QImage full(picture);
        (void)full.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    });
    const double scaledDecode = medianMsAfter(noSetUp, [&] {
        QImageReader reader(picture);
        reader.setScaledSize(box);
        (void)reader.read();
    });
    report(QStringLiteral("preview_4000x3000"), ours, fullDecode);
    report(QStringLiteral("preview_4000x3000_vs_scaled_decode"), ours, scaledDecode);
}

qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Resident memory of a fresh process of this program, in MiB, or -1.
double childResidentMiB(const QString &kind, const QString &appDir)
{
    std::vector<double> sizes;
    for (int i = 0; i < kRssRepetitions; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--rss-child"), kind, appDir});
        if (!child.waitForFinished(120000) || child.exitCode() != 0) {
            std::fprintf(stderr, "bench: the %s child failed\n", qPrintable(kind));
            return -1;
        }
        sizes.push_back(child.readAllStandardOutput().trimmed().toDouble() / 1024.0);
    }
    std::sort(sizes.begin(), sizes.end());
    return sizes[sizes.size() / 2];
}

void benchResidentMemory(const QString &appDir)
{
    const double ours = childResidentMiB(QStringLiteral("form"), appDir);
    const double baseline = childResidentMiB(QStringLiteral("bare"), appDir);
    std::printf("bench rss_100k ours_mib=%.1f baseline_mib=%.1f delta_mib=%.1f\n", ours, baseline,
                ours - baseline);
    std::fflush(stdout);
}

} // namespace

int mainWindowRssChild(const QStringList &arguments)
{
    // The program's own look, on both sides: fonts and icon belong to any window of it.
    setUpApplicationLook();
    BenchPlatform platform;
    std::unique_ptr<QWidget> window;
    if (arguments.value(0) == QLatin1String("form")) {
        auto form = std::make_unique<Form1>(platform, arguments.value(1));
        if (!form->load())
            return 1;
        window = std::move(form);
    } else {
        window = std::make_unique<QWidget>();
        window->resize(kWindowSize);
    }
    showAndPaint(window.get());
    std::printf("%lld\n", residentKiB());
    return 0;
}

void benchMainWindow()
{
    QTemporaryDir temp;
    if (!temp.isValid()) {
        std::fprintf(stderr, "bench: no temporary folder\n");
        return;
    }
    const QString appDir = temp.path() + QStringLiteral("/app");
    if (!makeAppFolder(appDir, kDrivers)) {
        std::fprintf(stderr, "bench: cannot make the driver folder in %s\n", qPrintable(appDir));
        return;
    }

    benchDriverList(appDir + QStringLiteral("/drv"));
    benchStartup(appDir);
    benchPreview(temp.path() + QStringLiteral("/preview"));
    benchResidentMemory(appDir);
}
