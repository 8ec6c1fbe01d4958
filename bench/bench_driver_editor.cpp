#include "bench.h"
#include "frm_driver.h"
#include "platform.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// A 5 MB driver in CR LF lines whose only "samples" is on its last line.
QByteArray bigDriver()
{
    QByteArray bytes;
    bytes.reserve(5 * 1024 * 1024 + 64);
    for (int line = 0; bytes.size() < 5 * 1024 * 1024; ++line)
        bytes += "  romRegion " + QByteArray::number(line) + " 0x" +
                 QByteArray::number(line * 37, 16) + " 0x4000 crc 0x1b2c3d4e sound_rom\r\n";
    bytes += "[samples]\r\n";
    return bytes;
}

void closeEditor()
{
    if (frmDriver *editor = openedDriverEditor())
        editor->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

void benchDriverEditor()
{
    QTemporaryDir app;
    QDir(app.path()).mkdir(QStringLiteral("drv"));
    const QString path = app.filePath(QStringLiteral("drv/big.drv"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bigDriver()) < 0)
            return;
    }
    BenchPlatform platform;

    const double openMs = medianMs(7, [&] {
        openDriverEditor(platform, app.path(), QStringLiteral("big.drv"),
                         QStringLiteral("Italiano"));
        QCoreApplication::processEvents();
        closeEditor();
    });
    const double bareOpenMs = medianMs(7, [&] {
        QPlainTextEdit bare;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        bare.setPlainText(QString::fromLatin1(file.readAll()));
        bare.show();
        QCoreApplication::processEvents();
    });
    report(QStringLiteral("editor_open_5mb"), openMs, bareOpenMs);

    openDriverEditor(platform, app.path(), QStringLiteral("big.drv"), QStringLiteral("Italiano"));
    QCoreApplication::processEvents();
    frmDriver *editor = openedDriverEditor();
    if (!editor)
        return;
    auto *combo = editor->findChild<QComboBox *>(QStringLiteral("cboFind"));
    const int samples = combo->findText(QStringLiteral("samples"));
    auto *txtDriver = editor->findChild<QPlainTextEdit *>(QStringLiteral("txtDriver"));
    const QString text = txtDriver->toPlainText();
    volatile qsizetype sink = 0;
    const double goToMs = medianMs(21, [&] {
        // The arrow key onto the entry, as a user chooses it.
        combo->setCurrentIndex(samples - 1);
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QCoreApplication::sendEvent(combo, &down);
    });
    const double indexOfMs = medianMs(21, [&] { sink = text.indexOf(QStringLiteral("samples")); });
    report(QStringLiteral("editor_goto_5mb"), goToMs, indexOfMs);
    if (txtDriver->textCursor().position() != sink)
        std::fprintf(stderr, "bench: the go-to did not reach the word\n");
    closeEditor();
}
