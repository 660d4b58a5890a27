// The client in English and in German: the texts follow the locale, while what links, what is
// decided and what goes on the wire stays the same.

#include "app/vqmlframe.h"
#include "comm/pvxbprotocol.h"
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
    QStringList m_englishTraffic;
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

    // One user change, then another: both values reach the device.
    auto *fader = client.widget<WSlider>(QStringLiteral("Volume & Source Control"),
                                         QStringLiteral("Dining Volume"), QStringLiteral("slider"));
    QVERIFY(fader);
    fader->setIsSendNeeded(true);
    fader->outputValue(-8);
    QTRY_VERIFY(!fader->hasPendingValue());
    TTransform *patio =
        client.control(QStringLiteral("Volume & Source Control"), QStringLiteral("Patio Volume"))
            ->transform();
    patio->setValue(3.0f);
    patio->node()->protocol()->write(patio);

    // Whether a read goes out as a poll or a subscription depends on how soon the device
    // answered the subscription probe, and polls repeat: so each distinct command counts once,
    // a subscription as the read it names. Wait until every read of the panel went out.
    const auto traffic = [&client] {
        QStringList seen;
        for (const QString &device : client.simulator.deviceNames()) {
            for (QString command : client.simulator.receivedCommands(device)) {
                if (command.startsWith(QLatin1String("SUB \"")) && command.endsWith('"'))
                    command = command.mid(5).chopped(1);
                if (!seen.contains(command))
                    seen.append(command);
            }
        }
        seen.sort();
        return seen;
    };
    QSet<QString> reads{QStringLiteral("SA \"Patio Gain\">1=3.0")};
    CComposite *panel = client.model()->currentPanel();
    for (int i = 0; i < panel->childCount(); ++i) {
        for (const WWidget *widget : panel->child(i)->widgets()) {
            if (widget->transform() && widget->transform()->node())
                reads.insert(PVXBProtocol::query(*widget->transform()));
        }
    }
    reads.remove(QString());
    QVERIFY(reads.size() > 4);
    const auto allSent = [&] {
        const QStringList sent = traffic();
        return QSet<QString>(sent.cbegin(), sent.cend()).contains(reads);
    };
    QTRY_VERIFY2_WITH_TIMEOUT(allSent(), qPrintable(traffic().join(QLatin1Char('|'))), 10000);
    if (m_englishTraffic.isEmpty())
        m_englishTraffic = traffic();
    else
        QCOMPARE(traffic(), m_englishTraffic);

    // "Percent" is the stored word, whatever the language.
    fader->setUnitsText(QStringLiteral("Percent"));
    QVERIFY(fader->isPercent());
}

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
