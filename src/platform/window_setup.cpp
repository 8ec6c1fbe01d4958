#include "window_setup.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QScreen>
#include <QWidget>

QIcon neraxIcon()
{
    // The resource lives in a static library, whose initialiser the linker would drop.
    Q_INIT_RESOURCE(resources);
    return QIcon(QStringLiteral(":/nerax/nerax.xpm"));
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize size = window->frameGeometry().size().expandedTo(window->size());
    window->move(available.x() + (available.width() - size.width()) / 2,
                 available.y() + (available.height() - size.height()) / 2);
}

bool compositorSizesWindows()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void setDesignSize(QWidget *window, const QSize &size)
{
    if (compositorSizesWindows()) {
        window->setMinimumSize(size);
        window->resize(size);
    } else {
        window->setFixedSize(size);
    }
}

void setUpApplicationLook()
{
    QApplication::setWindowIcon(neraxIcon());
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
    QApplication::setFont(font);
}
