#include "about_window.h"
#include "credits_scroll.h"
#include "fake_platform.h"
#include "window_setup.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>

namespace {

QList<AboutWindow *> openWindows(const QString &name)
{
    QList<AboutWindow *> found;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<AboutWindow *>(widget);
            window && window->objectName() == name && window->isVisible())
            found.append(window);
    return found;
}

QLabel *label(const QWidget &window, const char *name)
{
    return window.findChild<QLabel *>(QString::fromLatin1(name));
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The program's own font, which the description is drawn in.
    void initTestCase() { setUpApplicationLook(); }

    void creditsLoopEvery158Ticks()
    {
        QCOMPARE(nextCreditsTop(kCreditsStartTop), 3480);
        QCOMPARE(nextCreditsTop(-4330), -4380); // both bounds still move
        QCOMPARE(nextCreditsTop(3480), 3430);
        QCOMPARE(nextCreditsTop(-4331), 3480);
        int top = 3480;
        int ticks = 0;
        do {
            top = nextCreditsTop(top);
        } while (++ticks < 1000 && top != 3480);
        QCOMPARE(ticks, 158);
        QCOMPARE(twipsToPixels(-4330), -289); // nearest pixel on both sides of zero
        QCOMPARE(twipsToPixels(3430), 229);

        FakePlatform platform;
        AboutWindow window(platform, AboutWindow::Variant::Italian);
        QCOMPARE(label(window, "Label1")->y(), 240);
        QVERIFY(QTest::qWaitFor([&] { return window.creditsTop() < 3480; }));
        QCOMPARE(label(window, "Label1")->y(), twipsToPixels(window.creditsTop()));
    }

    void everyTextReadsWhole()
    {
        FakePlatform platform;
        for (const auto variant : {AboutWindow::Variant::Italian, AboutWindow::Variant::English}) {
            AboutWindow window(platform, variant);
            for (const QLabel *text : window.findChildren<QLabel *>())
                QVERIFY2(text->heightForWidth(text->width()) <= text->height(),
                         qPrintable(window.objectName() + QLatin1Char('.') + text->objectName()));
            // One credit a line, a hyphen straight before the name.
            const QLabel *credits = label(window, "Label1");
            for (const QString &entry : credits->text().split(QLatin1Char('\n')))
                QVERIFY2(entry.size() > 1 && entry.startsWith(QLatin1Char('-')) &&
                             entry.at(1) != QLatin1Char(' ') &&
                             credits->fontMetrics().horizontalAdvance(entry) <= credits->width(),
                         qPrintable(entry));
        }
    }

    void opensEachLanguageOnce()
    {
        FakePlatform platform;
        openAboutWindow(platform, QStringLiteral("Italiano"));
        QCOMPARE(openWindows(QStringLiteral("Form2")).size(), 1);
        AboutWindow *italian = openWindows(QStringLiteral("Form2")).first();
        QVERIFY(!italian->parentWidget());
        { // an empty list opens the same Italian window, not reloaded
            QVERIFY(QTest::qWaitFor([&] { return italian->creditsTop() < 3480; }));
            const int top = italian->creditsTop();
            openAboutWindow(platform, QString());
            QCOMPARE(openWindows(QStringLiteral("Form2")), QList<AboutWindow *>{italian});
            QCOMPARE(italian->creditsTop(), top);
        }
        { // after a change of language both are open, each once
            openAboutWindow(platform, QStringLiteral("English"));
            openAboutWindow(platform, QStringLiteral("English"));
            QCOMPARE(openWindows(QStringLiteral("Abouteng")).size(), 1);
            QCOMPARE(openWindows(QStringLiteral("Form2")).size(), 1);
        }
        { // a closed window goes, and opens afresh
            QPointer<AboutWindow> closed(italian);
            italian->close();
            openWindows(QStringLiteral("Abouteng")).first()->close();
            QVERIFY(QTest::qWaitFor([&] { return !closed; }));
            openAboutWindow(platform, QStringLiteral("Italiano"));
            QCOMPARE(openWindows(QStringLiteral("Form2")).first()->creditsTop(), 3600);
            openWindows(QStringLiteral("Form2")).first()->close();
        }
    }

    void linkUnderlinesUnderTheMouse()
    {
        FakePlatform platform;
        AboutWindow window(platform, AboutWindow::Variant::English);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QLabel *link = label(window, "lblURL");
        const auto moveTo = [&](QWidget *widget, QPoint pos) {
            QTest::mouseMove(widget, pos);
            return link->font().underline();
        };
        QVERIFY(!link->font().underline());
        QVERIFY(moveTo(link, link->rect().center()));
        for (const char *name : {"Label2", "Label3"}) // the other labels leave it as it is
            QVERIFY2(moveTo(label(window, name), label(window, name)->rect().center()), name);
        const QRect credits = label(window, "Label1")->geometry() & window.rect();
        QVERIFY(moveTo(&window, credits.center()));
        QVERIFY(!moveTo(window.findChild<QWidget *>(QStringLiteral("Picture1")), QPoint(2, 2)));
        QVERIFY(moveTo(link, link->rect().center()));
        QVERIFY(!moveTo(&window, QPoint(172, 120))); // between the panel and the credits
    }

    void clickOpensTheHomePage()
    {
        FakePlatform platform;
        AboutWindow window(platform, AboutWindow::Variant::Italian);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QLabel *link = label(window, "lblURL");
        platform.openUrlResult = false; // a failed opening is not reported either
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(platform.urls, QList<QUrl>{QUrl(QString(kHomePage))});
        QVERIFY(platform.messages.isEmpty());
        QVERIFY(window.isVisible());
        { // pressing on the link and letting go elsewhere is no click
            QTest::mousePress(link, Qt::LeftButton, {}, link->rect().center());
            QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-20, -20));
            QCOMPARE(platform.urls.size(), 1);
        }
    }

    void linkWorksFromTheKeyboard()
    {
        FakePlatform platform;
        const struct
        {
            AboutWindow::Variant variant;
            const char *link, *description;
        } variants[] = {
            {AboutWindow::Variant::Italian, "Visita la pagina ufficiale del Nerax",
             "Nerax 0.1.0. Front-End per l'emulatore Calice. Realizzato per rendervi la vita "
             "pi\u00f9 facile. Nuove versioni vi aspettano"},
            {AboutWindow::Variant::English, "Visit the Nerax official Web Site",
             "Nerax 0.1.0. Front-End for Calice emulator, made to get your life better! New "
             "release are waiting for you!"},
        };
        for (const auto &variant : variants) {
            AboutWindow window(platform, variant.variant);
            window.show();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            QLabel *link = label(window, "lblURL");
            // Read first when the window opens: the link with the focus, and the description.
            QVERIFY(link->hasFocus());
            QCOMPARE(QAccessible::queryAccessibleInterface(&window)->text(QAccessible::Description),
                     QString::fromUtf8(variant.description));
            QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(link);
            QCOMPARE(spoken->role(), QAccessible::Link);
            QCOMPARE(spoken->text(QAccessible::Name), QString::fromUtf8(variant.link));
            QTest::keyClick(link, Qt::Key_Tab); // nothing else to go to
            QVERIFY(link->hasFocus());
            QVERIFY(!link->font().underline()); // the focus is not the mouse
        }
        AboutWindow window(platform, AboutWindow::Variant::English);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QLabel *link = label(window, "lblURL");
        { // the focus frame shows only while the link has the focus
            const QImage focused = link->grab().toImage();
            link->clearFocus();
            QVERIFY(focused != link->grab().toImage());
            link->setFocus();
            QCOMPARE(link->grab().toImage(), focused);
        }
        platform.urls.clear();
        QTest::keyClick(link, Qt::Key_Return);
        QTest::keyClick(link, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(link, Qt::Key_Space);
        QTest::keyClick(link, Qt::Key_Return, Qt::ControlModifier);
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(link, &held);
        QCOMPARE(platform.urls.size(), 3);
        QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(link);
        spoken->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(platform.urls, QList<QUrl>(4, QUrl(QString(kHomePage))));
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
