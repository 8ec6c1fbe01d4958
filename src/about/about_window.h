#pragma once

#include <QLatin1String>
#include <QString>
#include <QWidget>
#include <memory>

class Platform;
class QTimer;
namespace Ui {
class AboutWindow;
}

// The product's home page, opened by the About window's link. The project has no public page
// yet; example.org is reserved and never belongs to anyone.
inline constexpr QLatin1String kHomePage("https://nerax.example.org/");

// Opens the About window of the language shown in the main window's language list: "English"
// opens the English variant, anything else the Italian one. Each variant exists at most once.
void openAboutWindow(Platform &platform, const QString &language);

// Version, description, scrolling credits and the home-page link. One class draws both
// variants: object name "Form2" with the Italian texts, "Abouteng" with the English ones.
class AboutWindow : public QWidget
{
    Q_OBJECT
public:
    enum class Variant { Italian, English };

    AboutWindow(Platform &platform, Variant variant);
    ~AboutWindow() override;

    // The credits' top in twips, as the scroll timer last left it.
    int creditsTop() const { return m_label1Top; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyEnglishTexts();
    void applyLook();
    void load();
    void placeCredits();

    void Timer1_Timer();
    void lblURL_MouseMove();
    void background_MouseMove();
    void lblURL_Click();

    std::unique_ptr<Ui::AboutWindow> ui;
    Platform &m_platform;
    QTimer *m_timer1;
    int m_label1Top = 0;
    bool m_pressedOnLink = false;
};
