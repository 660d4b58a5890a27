// The client in English and in German: the texts follow the locale, while what links, what is
// decided and what goes on the wire stays the same.

#include "app/vqmlframe.h"
#include "controls/wslider.h"
#include "democlient.h"
#include "model/dqmlmessagedialog.h"
#include "model/mqmlinterface.h"

#include <QLibraryInfo>

class TestLanguages : public QObject
{
    Q_OBJECT

private slots:
    void sameWireTrafficInEveryLanguage_data();
    void sameWireTrafficInEveryLanguage();

private:
    QList<QByteArray> m_englishTraffic;
};

void TestLanguages::sameWireTrafficInEveryLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("title"); // the English file maps "MainWindow" to the name
    QTest::addColumn<QString>("addresses");
    QTest::addColumn<QString>("networkEntry");
    QTest::addColumn<QString>("blocks");
    QTest::addColumn<QString>("cancel"); // Qt's own text
    QTest::newRow("unknown locale falls back to English") << "xx_XX"
                                                          << "Veloxa Remote"
                                                          << "Mobile IP Address:"
                                                          << "Network Status..."
                                                          << "Blocks"
                                                          << "Cancel";
    QTest::newRow("German") << "de_DE"
                            << "Veloxa Remote"
                            << "Mobile IP-Adresse:"
                            << "Netzwerkstatus..."
                            << "Blöcke"
                            << "Abbrechen";
}

void TestLanguages::sameWireTrafficInEveryLanguage()
{
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    DemoClient client;
    QVERIFY(client.start());
    MQmlInterface *intrf = client.model()->qmlInterface();
    QTEST(QCoreApplication::translate("MainWindow", "MainWindow"), "title");
    QFETCH(QString, addresses);
    QVERIFY2(intrf->getMobileIPAddressString().startsWith(addresses),
             qPrintable(intrf->getMobileIPAddressString()));
    QTEST(QCoreApplication::translate("QPlatformTheme", "Cancel"), "cancel");

    // The menu entry as shown opens the network status.
    QFETCH(QString, networkEntry);
    DQmlMessageDialog *dialog = client.window->view()->messageDialog();
    QString shownTitle, shownText;
    QTimer::singleShot(0, dialog, [&] {
        if (auto *box = dialog->findChild<QObject *>()) {
            shownTitle = box->property("title").toString();
            shownText = box->property("text").toString();
        }
        dialog->close();
    });
    QVERIFY(intrf->postCommand(QStringLiteral("system"), networkEntry));
    QCOMPARE(shownTitle, networkEntry);
    QCOMPARE(shownText, intrf->getNetworkStatusString());

    // Lookups use the stored, untranslated category; people read the translated one.
    QList<HNode *> blocks;
    QVERIFY(client.model()->hardwareRoot()->collectByCategory(QStringLiteral("Blocks"), blocks));
    QTEST(blocks.constFirst()->categoryText(), "blocks");

    // The panel is up and quiet, one user change goes out, and all is quiet again: quiet is ten
    // meter polls in a row after the processor's last other command.
    const auto quiet = [&client] {
        const QList<QByteArray> all = client.simulator.receivedCommands(DemoClient::Processor);
        int polls = 0;
        for (auto it = all.crbegin(); it != all.crend() && it->startsWith("GL "); ++it)
            ++polls;
        return polls >= 10;
    };
    auto *fader = client.widget<WSlider>(QStringLiteral("Volume & Source Control"),
                                         QStringLiteral("Dining Volume"), QStringLiteral("slider"));
    QVERIFY(fader);
    QTRY_VERIFY_WITH_TIMEOUT(quiet(), 10000);
    fader->setIsSendNeeded(true);
    fader->outputValue(-8);
    QTRY_VERIFY(client.simulator.receivedCommands(DemoClient::Processor)
                    .contains("SA \"Dining Gain\">1=-4.0"));
    QTRY_VERIFY_WITH_TIMEOUT(quiet(), 10000);
    // Every other command in arrival order, then the meters' polls once each: how many of
    // those go by, and where, depends on the time taken.
    QList<QByteArray> traffic, polls;
    for (const QString &device : client.simulator.deviceNames()) {
        for (const QByteArray &command : client.simulator.receivedCommands(device)) {
            const QByteArray entry = device.toUtf8() + ": " + command;
            if (!command.startsWith("GL "))
                traffic.append(entry);
            else if (!polls.contains(entry))
                polls.append(entry);
        }
    }
    std::sort(polls.begin(), polls.end());
    traffic += polls;
    if (m_englishTraffic.isEmpty())
        m_englishTraffic = traffic;
    else
        QCOMPARE(traffic, m_englishTraffic);

    // An acknowledgement without a value leaves the fader alone; "Percent" is the stored word.
    const double before = fader->quickItem()->property("value").toDouble();
    fader->transform()->setReplyValue(QStringLiteral("SYNC_ERROR"));
    QCOMPARE(fader->quickItem()->property("value").toDouble(), before);
    fader->setUnitsText(QStringLiteral("Percent"));
    QVERIFY(fader->isPercent());
}

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
