#include "about_window.h"

#include "credits_scroll.h"
#include "link_label.h"
#include "platform.h"
#include "ui_about_window.h"
#include "window_setup.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace {

// The window was drawn at 96 dpi: its point sizes are set as the pixels they were there
// (13.5 pt = 18 px), so the texts keep their fixed boxes on any screen. The second family stands
// in where the first is missing: Liberation Sans and Serif have the widths of Arial and Times
// New Roman, and DejaVu Sans is about as wide as Comic Sans, so every text keeps its lines.
QFont pixelFont(const QString &family, const QString &fallback, int pixelSize)
{
    QFont font;
    font.setFamilies({family, fallback});
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

void openAboutWindow(Platform &platform, const QString &language)
{
    static QPointer<AboutWindow> italian;
    static QPointer<AboutWindow> english;
    const bool isEnglish = language == QLatin1String("English");
    QPointer<AboutWindow> &window = isEnglish ? english : italian;
    if (window) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
        window->raise();
        window->activateWindow();
        return;
    }
    window = new AboutWindow(platform, isEnglish ? AboutWindow::Variant::English
                                                 : AboutWindow::Variant::Italian);
    // No owner: the window lives on when the main window closes, and goes when closed.
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

AboutWindow::AboutWindow(Platform &platform, Variant variant)
    : ui(std::make_unique<Ui::AboutWindow>()), m_platform(platform), m_timer1(new QTimer(this))
{
    // setupUi names the window "Form2" only when it has no name yet.
    if (variant == Variant::English)
        setObjectName(QStringLiteral("Abouteng"));
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setDesignSize(this, QSize(330, 248));
    setWindowIcon(neraxIcon());
    if (variant == Variant::English)
        applyEnglishTexts();
    applyLook();

    // Only the link and the two backgrounds track the mouse (see the form); moves over the
    // other labels reach nobody, so those labels leave the underline as it is.
    for (QWidget *widget : {static_cast<QWidget *>(this), static_cast<QWidget *>(ui->Picture1),
                            static_cast<QWidget *>(ui->lblURL)})
        widget->installEventFilter(this);
    connect(ui->lblURL, &LinkLabel::activated, this, &AboutWindow::lblURL_Click);
    m_timer1->setInterval(100);
    connect(m_timer1, &QTimer::timeout, this, &AboutWindow::Timer1_Timer);

    load();
    centreOnScreen(this);

    // The link is the only control: holding the focus when the window opens, it is read first,
    // and the window's description gives the version and the description, which take no focus.
    ui->lblURL->setFocus();
    setAccessibleDescription(ui->Label2->text() + QStringLiteral(". ") +
                             ui->Label3->text().simplified());
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::applyEnglishTexts()
{
    ui->Label3->setText(QStringLiteral("Front-End for Calice emulator, made to get your life "
                                       "better!       New release are waiting for you!"));
    ui->Label3->move(ui->Label3->x(), 72);
    ui->lblURL->setText(QStringLiteral("Visit the Nerax official Web Site"));
}

void AboutWindow::applyLook()
{
    setColour(this, QPalette::Window, QColor(0, 0, 64));
    // The panel keeps the desktop's own background inside the dark blue window.
    setColour(ui->Picture1, QPalette::Window, QApplication::palette().color(QPalette::Window));

    // The description's sentences are parted by long runs of blanks that are meant to push the
    // next sentence onto a line of its own; our narrower font needs slightly wider blanks.
    QFont description = ui->Label3->font();
    description.setWordSpacing(1);
    ui->Label3->setFont(description);

    ui->Label2->setFont(
        pixelFont(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), 18));
    setColour(ui->Label2, QPalette::WindowText, QColor(192, 64, 0));

    ui->lblURL->setFont(
        pixelFont(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"), 19));
    setColour(ui->lblURL, QPalette::WindowText, QColor(0, 0, 255));

    ui->Label1->setFont(
        pixelFont(QStringLiteral("Comic Sans MS"), QStringLiteral("DejaVu Sans"), 13));
    setColour(ui->Label1, QPalette::WindowText, QColor(224, 224, 224));
    setColour(ui->Label1, QPalette::Window, QColor(0, 0, 64));
}

void AboutWindow::load()
{
    m_label1Top = kCreditsStartTop;
    placeCredits();
    m_timer1->start();
}

void AboutWindow::placeCredits()
{
    ui->Label1->move(ui->Label1->x(), twipsToPixels(m_label1Top));
}

bool AboutWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->lblURL) {
        switch (event->type()) {
        case QEvent::MouseMove:
            lblURL_MouseMove();
            break;
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
                break;
            m_pressedOnLink = true;
            return true;
        case QEvent::MouseButtonRelease: {
            // A click is a press and a release both on the link, as for a button.
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() != Qt::LeftButton || !m_pressedOnLink)
                break;
            m_pressedOnLink = false;
            if (ui->lblURL->rect().contains(mouse->position().toPoint()))
                lblURL_Click();
            return true;
        }
        default:
            break;
        }
    } else if (event->type() == QEvent::MouseMove && (watched == this || watched == ui->Picture1)) {
        // The link passes its moves on to the panel, which must not take them for its own.
        const auto *container = static_cast<QWidget *>(watched);
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!container->childAt(mouse->position().toPoint()))
            background_MouseMove();
    }
    return QWidget::eventFilter(watched, event);
}

void AboutWindow::Timer1_Timer()
{
    m_label1Top = nextCreditsTop(m_label1Top);
    placeCredits();
}

void AboutWindow::lblURL_MouseMove()
{
    QFont font = ui->lblURL->font();
    if (font.underline())
        return;
    font.setUnderline(true);
    ui->lblURL->setFont(font);
}

void AboutWindow::background_MouseMove()
{
    QFont font = ui->lblURL->font();
    if (!font.underline())
        return;
    font.setUnderline(false);
    ui->lblURL->setFont(font);
}

void AboutWindow::lblURL_Click()
{
    // Whether a browser came up is not reported: the link is a courtesy, not an action.
    m_platform.openUrl(QUrl(QString(kHomePage)));
}
