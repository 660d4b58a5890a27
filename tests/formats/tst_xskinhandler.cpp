#include "formats/xskinhandler.h"
#include "model/mqmlinterface.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QTest>

#include <memory>

namespace {
const QString kImages = QStringLiteral("../../images/skins/");

QStringList listResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
} // namespace

class TestXSkinHandler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void skinThenAccent_data();
    void skinThenAccent();
    void documentFromMemory_data();
    void documentFromMemory();
    void shippedFiles();

private:
    // The interface object with the defaults its document declares.
    std::unique_ptr<QObject> createInterface();

    QQmlEngine m_engine;
};

void TestXSkinHandler::initTestCase()
{
    qmlRegisterType<MQmlInterface>("mqmlinterface", 1, 0, "MQmlInterface");
}

std::unique_ptr<QObject> TestXSkinHandler::createInterface()
{
    QQmlComponent component(&m_engine, QUrl(QStringLiteral("qrc:/qml/QmlInterface.qml")));
    std::unique_ptr<QObject> object(component.create());
    if (!object)
        qWarning() << component.errors();
    return object;
}

void TestXSkinHandler::skinThenAccent_data()
{
    // applied: skin then accent; shown: whose skin and whose accent the object then carries.
    QTest::addColumn<QStringList>("applied");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("Dark then Red") << QStringList{"Dark", "Red"} << QStringList{"Dark", "Red"};
    QTest::newRow("defaults") << QStringList{"Light", "Blue"} << QStringList{"Light", "Blue"};
    // The accent falls back to the Light skin, which leaves the accent values alone.
    QTest::newRow("unknown accent")
        << QStringList{"Dark", "Purple"} << QStringList{"Light", "Blue"};
}

void TestXSkinHandler::skinThenAccent()
{
    QFETCH(QStringList, applied);
    QFETCH(QStringList, shown);
    const QHash<QString, QString> colours{
        {"Dark", "#1E2124"}, {"Light", "#FFFFFF"}, {"Red", "#E03C31"}, {"Blue", "#1D98D5"}};
    const std::unique_ptr<QObject> intrf = createInterface();
    QVERIFY(intrf);
    for (const QString &name : std::as_const(applied))
        QVERIFY(XSkinHandler::loadSkin(intrf.get(), name));

    const QString skinImages = kImages + shown[0];
    QCOMPARE(intrf->property("canvasColor").value<QColor>(), QColor(colours[shown[0]]));
    QCOMPARE(intrf->property("rightArrow").toString(), skinImages + "/arrow_right.png");
    QCOMPARE(intrf->property("muteOff").toString(), skinImages + "/mute_off.png");
    const QString accentImages = kImages + "Accent/" + shown[1];
    QCOMPARE(intrf->property("accentColor").value<QColor>(), QColor(colours[shown[1]]));
    QCOMPARE(intrf->property("downArrow").toString(), accentImages + "/arrow_down.png");
    QCOMPARE(intrf->property("muteOn").toString(), accentImages + "/mute_on.png");
}

void TestXSkinHandler::documentFromMemory_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("textColor");
    const QByteArray header = "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>";
    QTest::newRow("string group set, int group ignored")
        << header + "<Skin><int><textSize>30</textSize></int>"
                    "<string><textColor>#010203</textColor></string></Skin>"
        << true << "#010203";
    QTest::newRow("malformed after a complete value")
        << header + "<Skin><string><textColor>#010203</textColor><canvasColor>#000000" << false
        << "#231F20";
    QTest::newRow("unreadable") << QByteArray() << false << "#231F20";
    QTest::newRow("entity") << header + "<!DOCTYPE Skin [<!ENTITY c \"#010203\">]><Skin><string>"
                                        "<textColor>&c;</textColor></string></Skin>"
                            << false << "#231F20";
    QTest::newRow("nested 300 deep")
        << header + "<Skin><string>" + QByteArray("<a>").repeated(300) +
               QByteArray("</a>").repeated(300) + "</string></Skin>"
        << false << "#231F20";
}

void TestXSkinHandler::documentFromMemory()
{
    QFETCH(QByteArray, document);
    QFETCH(bool, loaded);
    QFETCH(QString, textColor);
    const std::unique_ptr<QObject> intrf = createInterface();
    QVERIFY(intrf);
    QBuffer buffer(&document);
    QFile missing(QStringLiteral("/nonexistent/skin.xml"));
    QIODevice *device = document.isEmpty() ? static_cast<QIODevice *>(&missing) : &buffer;

    QCOMPARE(XSkinHandler::loadSkin(intrf.get(), device), loaded);
    QCOMPARE(intrf->property("textColor").value<QColor>(), QColor(textColor));
    QCOMPARE(intrf->property("canvasColor").value<QColor>(), QColor(QStringLiteral("#FFFFFF")));
    QCOMPARE(intrf->property("textSize").toInt(), 12);
}

void TestXSkinHandler::shippedFiles()
{
    const QStringList skins = listResource(QStringLiteral(":/skins/SkinList.txt"));
    const QStringList accents = listResource(QStringLiteral(":/skins/AccentList.txt"));
    QCOMPARE(skins, QStringList({"Light", "Dark"}));
    QCOMPARE(accents, QStringList({"Black", "Blue", "Green", "Pink", "Red", "White", "Yellow"}));
    for (const QString &name : skins + accents) {
        QObject target;
        QVERIFY(XSkinHandler::loadSkin(&target, name));
        const bool isSkin = skins.contains(name);
        QCOMPARE(target.dynamicPropertyNames().size(), isSkin ? 20 : 3);
        const QString folder = kImages + (isSkin ? "" : "Accent/") + name + "/";
        for (const QByteArray &key : target.dynamicPropertyNames()) {
            const QString value = target.property(key).toString();
            QVERIFY2(value.startsWith(QLatin1Char('#')) ? QColor::isValidColorName(value)
                                                        : value.startsWith(folder),
                     qPrintable(name + ": " + key + " = " + value));
        }
    }
}

QTEST_MAIN(TestXSkinHandler)
#include "tst_xskinhandler.moc"
