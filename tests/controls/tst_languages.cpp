// The client in English and in German: the texts follow the locale, while what links, what is
// decided and what goes on the wire stays the same.

#include "app/vqmlframe.h"
#include "controls/wslider.h"
#include "democlient.h"
#include "model/dqmlmessagedialog.h"
#include "model/mqmlinterface.h"

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
    QTest::addColumn<QString>("networkEntry");
    QTest::addColumn<QString>("blocks");
    QTest::addColumn<QString>("cancel"); // Qt's own text
    QTest::newRow("unknown locale: English") << "xx_XX"
                                             << "Network Status..."
                                             << "Blocks"
                                             << "Cancel";
    QTest::newRow("German") << "de_DE"
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
    // Not the source text: the English file is loaded too.
    QCOMPARE(QCoreApplication::translate("MainWindow", "MainWindow"), "Veloxa Remote");
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
    for (const char *category : {"Blocks", "Groups", "ParameterSets"}) {
        QList<HNode *> found;
        QVERIFY2(client.model()->hardwareRoot()->collectByCategory(category, found), category);
        if (category == QByteArrayView("Blocks"))
            QTEST(found.constFirst()->categoryText(), "blocks");
    }

    // One user change, then a marker command after it: the device has everything the client
    // sent before once the marker is there, as the client sends in order.
    auto *fader = client.widget<WSlider>(QStringLiteral("Volume & Source Control"),
                                         QStringLiteral("Dining Volume"), QStringLiteral("slider"));
    QVERIFY(fader);
    fader->setIsSendNeeded(true);
    fader->outputValue(-8);
    QTRY_VERIFY(!fader->hasPendingValue());
    TTransform *marker =
        client.control(QStringLiteral("Volume & Source Control"), QStringLiteral("Patio Volume"))
            ->transform();
    marker->setValue(3.0f);
    marker->node()->protocol()->write(marker);
    QTRY_VERIFY(client.simulator.receivedCommands(DemoClient::Processor)
                    .contains("SA \"Patio Gain\">1=3.0"));
    // Every other command in arrival order, then the meters' polls once each: how many of
    // those go by depends on the time taken.
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
