#include "platform.h"

#include "window_setup.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QStyle>
#include <QTreeView>
#include <QUrl>

namespace {

QDialog *newSizableBox(const QString &text, const QString &title, MessageIcon icon,
                       QWidget *parent)
{
    auto *box = new QDialog(parent);
    box->setWindowTitle(title);
    auto *picture = new QLabel(box);
    picture->setObjectName(QStringLiteral("icon"));
    const int extent = box->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, box);
    const QIcon standard = box->style()->standardIcon(
        icon == MessageIcon::Error ? QStyle::SP_MessageBoxCritical
                                   : QStyle::SP_MessageBoxInformation,
        nullptr, box);
    picture->setPixmap(standard.pixmap(extent, extent));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *label = new QLabel(text, box);
    label->setObjectName(QStringLiteral("text"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A short text on one line, as a QMessageBox shows it; a long one wraps at a readable width.
    const QFontMetrics metrics = label->fontMetrics();
    label->setMinimumWidth(
        qMin(metrics.horizontalAdvance(text) + 1, 60 * metrics.averageCharWidth()));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, box, &QDialog::accept);
    auto *layout = new QGridLayout(box);
    layout->addWidget(picture, 0, 0);
    layout->addWidget(label, 0, 1);
    layout->addWidget(buttons, 1, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(0, 1);
    return box;
}

} // namespace

QDialog *newMessageBox(const QString &text, const QString &title, MessageIcon icon,
                       QWidget *parent, bool sizable)
{
    QDialog *box = nullptr;
    if (sizable)
        box = newSizableBox(text, title, icon, parent);
    else
        box = new QMessageBox(icon == MessageIcon::Error ? QMessageBox::Critical
                                                         : QMessageBox::Information,
                              title, text, QMessageBox::Ok, parent);
    // Shown over its parent, the box still keeps the whole program waiting.
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

void QtPlatform::messageBox(const QString &text, const QString &title, MessageIcon icon,
                            QWidget *parent)
{
    // The parent may go while the box is up (a signal closes every window), and the box with it.
    const QPointer<QDialog> box = newMessageBox(text, title, icon, parent, compositorSizesWindows());
    box->exec();
    delete box.data();
}

void QtPlatform::beep()
{
    QApplication::beep();
}

bool QtPlatform::startProgram(const QString &program, const QStringList &arguments,
                              const QString &workingDirectory, QString *reason)
{
    // QProcess reports only "failed to start"; say why in the user's terms first.
    const QFileInfo info(program);
    if (!info.exists()) {
        *reason = QStringLiteral("il file non esiste");
        return false;
    }
    if (info.isDir()) {
        *reason = QStringLiteral("è una cartella");
        return false;
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDirectory);
    if (process.startDetached())
        return true;
    *reason = process.errorString();
    if (reason->isEmpty())
        *reason = QStringLiteral("il sistema non può eseguirlo");
    return false;
}

QString QtPlatform::findProgram(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

bool QtPlatform::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

QString QtPlatform::chooseFolder(const QString &title, const QString &start)
{
    QFileDialog dialog(nullptr, title, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    // Qt's own dialog, shown where the desktop offers none, leaves room unused on the right of
    // its list and cuts the modification dates short; the last column takes that room.
    if (auto *list = dialog.findChild<QTreeView *>())
        list->header()->setStretchLastSection(true);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}
