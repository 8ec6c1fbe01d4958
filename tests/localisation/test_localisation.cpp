#include "captions.h"
#include "fake_platform.h"
#include "form1.h"
#include "test_support.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

class TestLocalisation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void languageSwitchesTheFifteenCaptions()
    {
        AppFolder app;
        FakePlatform platform;
        Form1 form(platform, app.dir.path());
        for (const CaptionRow &row : kMainWindowCaptions)
            QVERIFY2(form.findChild<QWidget *>(QLatin1String(row.objectName)), row.objectName);
        QVERIFY(form.load());
        auto *lingua = child<QComboBox>(form, "cboLingua");
        const auto captionOf = [&](const char *name) {
            QWidget *w = child<QWidget>(form, name);
            if (auto *box = qobject_cast<QGroupBox *>(w))
                return box->title();
            if (auto *button = qobject_cast<QAbstractButton *>(w))
                return button->text();
            return qobject_cast<QLabel *>(w)->text();
        };
        for (const int entry : {1, 0, 1, 1}) {
            lingua->setCurrentIndex(entry);
            Q_EMIT lingua->activated(entry);
            const bool english = entry == 1;
            QCOMPARE(form.languageKeyword(),
                     english ? QStringLiteral("inglese") : QStringLiteral("italiano"));
            for (const CaptionRow &row : kMainWindowCaptions)
                QCOMPARE(captionOf(row.objectName),
                         QString::fromUtf8(english ? row.english : row.italian));
            QCOMPARE(captionOf("cmdAbout"), QStringLiteral("A&bout..."));
            QCOMPARE(child<QWidget>(form, "cmdAvvia")->toolTip(),
                     QStringLiteral("Avvia il Calice!"));
        }
        form.close();
        FakePlatform again;
        Form1 next(again, app.dir.path());
        QVERIFY(next.load());
        QCOMPARE(child<QComboBox>(next, "cboLingua")->currentText(), QStringLiteral("English"));
        QCOMPARE(child<QPushButton>(next, "cmdAvvia")->text(), QStringLiteral("&Start"));
    }

    void restoresTheKeywordFromTheSettingsFile_data()
    {
        QTest::addColumn<QByteArray>("keyword");
        QTest::addColumn<QString>("listText");
        QTest::addColumn<QString>("startCaption");
        QTest::addColumn<QString>("commandCaption");
        QTest::newRow("italiano") << QByteArray("italiano") << QStringLiteral("Italiano")
                                  << QStringLiteral("&Avvia") << QStringLiteral("Riga di comando");
        QTest::newRow("inglese") << QByteArray("inglese") << QStringLiteral("English")
                                 << QStringLiteral("&Start") << QStringLiteral("Command line");
        QTest::newRow("unknown") << QByteArray("English") << QString() << QStringLiteral("&Avvia")
                                 << QStringLiteral("Riga di comando:");
        QTest::newRow("empty") << QByteArray() << QString() << QStringLiteral("&Avvia")
                               << QStringLiteral("Riga di comando:");
    }
    void restoresTheKeywordFromTheSettingsFile()
    {
        QFETCH(QByteArray, keyword);
        QFETCH(QString, listText);
        QFETCH(QString, startCaption);
        QFETCH(QString, commandCaption);
        AppFolder app;
        const QByteArray content =
            "0\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"" + keyword + "\"\r\n";
        writeFile(app.path(QStringLiteral("nerax.cfg")), content);
        FakePlatform platform;
        {
            Form1 form(platform, app.dir.path());
            QVERIFY(form.load());
            QCOMPARE(child<QComboBox>(form, "cboLingua")->currentText(), listText);
            QCOMPARE(child<QPushButton>(form, "cmdAvvia")->text(), startCaption);
            QCOMPARE(child<QLabel>(form, "lblRigaComando")->text(), commandCaption);
            form.close();
        }
        QCOMPARE(readFile(app.path(QStringLiteral("nerax.cfg"))), content);
    }
};

QTEST_MAIN(TestLocalisation)
#include "test_localisation.moc"
