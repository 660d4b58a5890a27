#include "canvas/cattributes.h"
#include "comm/ttransform.h"
#include "comm/ttransformfactory.h"
#include "hardware/hnode.h"

#include <QSignalSpy>
#include <QtTest>

#include <limits>
#include <memory>

namespace {

CAttributes makeAttributes(const QList<QPair<QString, QString>> &values)
{
    CAttributes attributes;
    for (const auto &value : values)
        attributes.setAttribute(QStringLiteral("Property"), value.first, value.second);
    return attributes;
}

} // namespace

// A node that says a 0 value means none, gives the free-text query and can refuse polling.
class OptionNode : public HNode
{
    Q_OBJECT

public:
    Q_INVOKABLE bool noneFlag() const { return none; }
    Q_INVOKABLE QString queryText() const { return QStringLiteral("GRC 3"); }
    Q_INVOKABLE QString replyText() const { return lastReply; }
    Q_INVOKABLE void setReplyText(const QString &text) { lastReply = text; }
    Q_INVOKABLE bool pollVetoed() const { return veto; }

    bool none = false;
    bool veto = false;
    QString lastReply;
};

class TestTTransform : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TTransform> make(const QString &name, const QString &set = QString(),
                                     const QString &format = QString(),
                                     const QString &units = QString())
    {
        m_attributes = makeAttributes({{QStringLiteral("transform"), name},
                                       {QStringLiteral("set"), set},
                                       {QStringLiteral("format"), format},
                                       {QStringLiteral("units"), units},
                                       {QStringLiteral("index1"), QStringLiteral("2")},
                                       {QStringLiteral("index2"), QStringLiteral("5")}});
        return TTransformFactory::create(m_attributes, &m_node);
    }

    CAttributes m_attributes;
    OptionNode m_node;

private Q_SLOTS:
    void factoryNames_data();
    void factoryNames();
    void factoryNeedsNode();
    void liveList();
    void pollDivider_data();
    void pollDivider();
    void indexOverrides();
    void grpvSetFloat_data();
    void grpvSetFloat();
    void grpvSetText_data();
    void grpvSetText();
    void grpvReply_data();
    void grpvReply();
    void grpvValueForms();
    void chrl_data();
    void chrl();
    void strl();
    void hexl();
    void bin8Text_data();
    void bin8Text();
    void bin8None();
    void strvValues();
    void strvDisplay_data();
    void strvDisplay();
    void passThrough();
    void valueSize_data();
    void valueSize();
};

void TestTTransform::factoryNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");

    QTest::newRow("bin8") << "bin8"
                          << "Bin8";
    QTest::newRow("idx8") << "idx8"
                          << "Bin8";
    QTest::newRow("chrL") << "chrL"
                          << "ChrL";
    QTest::newRow("hexL") << "hexL"
                          << "HexL";
    QTest::newRow("strL") << "strL"
                          << "StrL";
    QTest::newRow("strV") << "strV"
                          << "StrV";
    QTest::newRow("grpV") << "grpV"
                          << "GrpV";
    QTest::newRow("text") << "text"
                          << "Text";
    QTest::newRow("passThrough") << "passThrough"
                                 << "PassThrough";
    QTest::newRow("wrong case") << "Bin8"
                                << "";
    QTest::newRow("unknown") << "float"
                             << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestTTransform::factoryNames()
{
    QFETCH(QString, name);
    QFETCH(QString, className);

    const auto transform = make(name);
    QCOMPARE(transform ? transform->className() : QString(), className);
    if (transform)
        QCOMPARE(transform->node(), &m_node);
}

void TestTTransform::factoryNeedsNode()
{
    const CAttributes attributes = makeAttributes({{QStringLiteral("transform"), "text"}});
    QVERIFY(!TTransformFactory::create(attributes, nullptr));
}

void TestTTransform::liveList()
{
    const int before = int(TTransform::liveTransforms().size());
    auto first = make(QStringLiteral("text"));
    auto second = make(QStringLiteral("bin8"));
    QCOMPARE(TTransform::liveTransforms().size(), before + 2);
    QVERIFY(TTransform::liveTransforms().contains(first.get()));

    TTransform *gone = first.get();
    first.reset();
    QCOMPARE(TTransform::liveTransforms().size(), before + 1);
    QVERIFY(!TTransform::liveTransforms().contains(gone));
    QVERIFY(TTransform::liveTransforms().contains(second.get()));
}

void TestTTransform::pollDivider_data()
{
    QTest::addColumn<int>("divider"); // 0: the default
    QTest::addColumn<QString>("pattern");

    QTest::newRow("default: first tick, then every fourth") << 0 << "100010001000";
    QTest::newRow("divider 1") << 1 << "111111111111";
    QTest::newRow("divider 2") << 2 << "101010101010";
    QTest::newRow("divider 3") << 3 << "100100100100";
}

void TestTTransform::pollDivider()
{
    QFETCH(int, divider);
    QFETCH(QString, pattern);

    auto transform = make(QStringLiteral("strV"));
    if (divider > 0) {
        transform->tick(); // the reload below must forget this one
        transform->setPollDivider(divider);
    }
    QString seen;
    for (int i = 0; i < pattern.size(); ++i)
        seen += transform->tick() ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(seen, pattern);
}

void TestTTransform::indexOverrides()
{
    auto transform = make(QStringLiteral("strV"));
    QCOMPARE(transform->queryIndex1(), 2);
    QCOMPARE(transform->queryIndex2(), 5);
    QCOMPARE(transform->setIndex1(), 2);
    QCOMPARE(transform->setIndex2(), 5);
    QVERIFY(!transform->overrideFlag());

    transform->setQueryIndices(7, -1, true);
    transform->setSetIndices(-1, 9);
    QCOMPARE(transform->queryIndex1(), 7);
    QCOMPARE(transform->queryIndex2(), 5);
    QCOMPARE(transform->setIndex1(), 2);
    QCOMPARE(transform->setIndex2(), 9);
    QVERIFY(transform->overrideFlag());
}

void TestTTransform::grpvSetFloat_data()
{
    QTest::addColumn<float>("db");
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("readBack");

    QTest::newRow("-10.7 truncates to -10.5") << -10.7f << "63" << -10.5f;
    QTest::newRow("+10.7 truncates to +10.5") << 10.7f << "8d" << 10.5f;
    QTest::newRow("-60.5 is off") << -60.5f << "FF" << 67.5f;
    QTest::newRow("+20 limited to +12") << 20.0f << "90" << 12.0f;
    QTest::newRow("-60") << -60.0f << "0" << -60.0f;
    QTest::newRow("0 dB") << 0.0f << "78" << 0.0f;
    QTest::newRow("+12") << 12.0f << "90" << 12.0f;
}

void TestTTransform::grpvSetFloat()
{
    QFETCH(float, db);
    QFETCH(QString, text);
    QFETCH(float, readBack);

    auto transform = make(QStringLiteral("grpV"));
    transform->setValue(db);
    QCOMPARE(transform->valueText(), text);
    float value = 0;
    transform->value(&value);
    QCOMPARE(value, readBack);
}

void TestTTransform::grpvSetText_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("db");

    QTest::newRow("0") << "0"
                       << "78" << 0;
    QTest::newRow("-10") << "-10"
                         << "64" << -10;
    QTest::newRow("+20 limited") << "20"
                                 << "90" << 12;
    QTest::newRow("below -60 is -1") << "-75"
                                     << "-1" << -60;
    QTest::newRow("not a number is 0 dB") << "loud"
                                          << "78" << 0;
}

void TestTTransform::grpvSetText()
{
    QFETCH(QString, input);
    QFETCH(QString, text);
    QFETCH(int, db);

    auto transform = make(QStringLiteral("grpV"));
    transform->setValueText(input);
    QCOMPARE(transform->valueText(), text);
    QCOMPARE(transform->value(static_cast<int *>(nullptr)), db);
}

void TestTTransform::grpvReply_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("typenum");
    QTest::addColumn<float>("db");
    QTest::addColumn<int>("integer");

    QTest::newRow("ff is off") << "ff"
                               << "" << -60.5f << 67;
    QTest::newRow("FF is off") << "FF"
                               << "" << -60.5f << 67;
    QTest::newRow("78 is 0 dB") << "78"
                                << "" << 0.0f << 0;
    QTest::newRow("63 is -10.5 dB") << "63"
                                    << "" << -10.5f << -10;
    QTest::newRow("not hexadecimal, ignored") << "zz"
                                              << "" << std::numeric_limits<float>::quiet_NaN() << 0;
    QTest::newRow("typenum 3 reads raw") << "78"
                                         << "3" << 0.0f << 120;
}

void TestTTransform::grpvReply()
{
    QFETCH(QString, reply);
    QFETCH(QString, typenum);
    QFETCH(float, db);
    QFETCH(int, integer);

    m_node.setTypenum(typenum);
    auto transform = make(QStringLiteral("grpV"));
    QSignalSpy ready(transform.get(), &TTransform::replyValueReady);
    transform->setReplyValue(reply);
    QCOMPARE(ready.count(), qIsNaN(db) ? 0 : 1);
    if (qIsNaN(db))
        return;
    float value = 0;
    transform->reply(&value);
    QCOMPARE(value, db);
    int number = 0;
    QCOMPARE(transform->reply(&number), integer);
    QCOMPARE(number, integer);
    m_node.setTypenum(QString());
}

void TestTTransform::grpvValueForms()
{
    auto transform = make(QStringLiteral("grpV"));
    transform->setValue(quint8(3));
    QCOMPARE(transform->valueText(), QStringLiteral("7e"));
    transform->setValue(quint8(20));
    QCOMPARE(transform->valueText(), QStringLiteral("90"));
    transform->setValue(-6);
    QCOMPARE(transform->valueText(), QStringLiteral("6c"));
    QCOMPARE(transform->value(static_cast<quint8 *>(nullptr)), quint8(250)); // -6 as a byte
    transform->setValueText(QStringLiteral("x"));
    transform->TTransform::setValueText(QString()); // base: no effect
    QCOMPARE(transform->valueText(), QStringLiteral("78"));

    m_node.setTypenum(QStringLiteral("3"));
    transform->setValue(-6);
    QCOMPARE(transform->valueText(), QStringLiteral("-6"));
    m_node.setTypenum(QString());
}

void TestTTransform::chrl_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("replyText");

    QTest::newRow("T") << "T" << 2 << "T";
    QTest::newRow("F") << "F" << 0 << "F";
    QTest::newRow("unknown X gives 0") << "X" << 0 << "F";
}

void TestTTransform::chrl()
{
    QFETCH(QString, reply);
    QFETCH(int, index);
    QFETCH(QString, replyText);

    auto transform = make(QStringLiteral("chrL"), QStringLiteral("F,O,T"));
    transform->setValue(quint8(1));
    QCOMPARE(transform->valueText(), QStringLiteral("O"));
    QCOMPARE(transform->value(static_cast<quint8 *>(nullptr)), quint8(1));

    QSignalSpy ready(transform.get(), &TTransform::replyValueReady);
    transform->setReplyValue(reply);
    QCOMPARE(ready.count(), 1);
    quint8 got = 99;
    transform->reply(&got);
    QCOMPARE(int(got), index);
    QCOMPARE(transform->replyText(), replyText);

    transform->setValue(quint8(3));
    QCOMPARE(transform->valueText(), QStringLiteral("?"));
    transform->setValueText(QStringLiteral("T"));
    QCOMPARE(transform->valueText(), QStringLiteral("T"));
}

void TestTTransform::strl()
{
    auto transform = make(QStringLiteral("strL"), QStringLiteral("Low,Mid,High"));
    transform->setValueText(QStringLiteral("High"));
    QCOMPARE(transform->value(static_cast<quint8 *>(nullptr)), quint8(2));
    transform->setValue(quint8(5)); // an empty slot, still inside the eight
    QCOMPARE(transform->valueText(), QString());
    transform->setValue(quint8(8));
    QCOMPARE(transform->valueText(), QStringLiteral("?"));
    transform->setReplyValue(QStringLiteral("Mid"));
    QCOMPARE(transform->replyText(), QStringLiteral("Mid"));
}

void TestTTransform::hexl()
{
    auto transform = make(QStringLiteral("hexL"), QStringLiteral("46,4f,54,zz,41"));
    transform->setValue(quint8(1));
    QCOMPARE(transform->valueText(), QStringLiteral("O"));
    QCOMPARE(transform->value(static_cast<quint8 *>(nullptr)), quint8(0x4f));
    transform->setValue(quint8(3)); // the list stopped at "zz"
    QCOMPARE(transform->valueText(), QStringLiteral("?"));
    QCOMPARE(transform->value(static_cast<quint8 *>(nullptr)), quint8(255));
    transform->setValue(quint8(16));
    QCOMPARE(transform->valueText(), QStringLiteral("?"));

    QSignalSpy ready(transform.get(), &TTransform::replyValueReady);
    transform->setReplyValue(QStringLiteral("T"));
    QCOMPARE(ready.count(), 0);
    QCOMPARE(transform->replyText(), QStringLiteral("F"));
}

void TestTTransform::bin8Text_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stored");

    QTest::newRow("0x1A") << "0x1A" << 26;
    QTest::newRow("70000 out of 16 bits") << "70000" << 0;
    QTest::newRow("-32768") << "-32768" << -32768;
    QTest::newRow("32767") << "32767" << 32767;
    QTest::newRow("32768") << "32768" << 0;
    QTest::newRow("not a number") << "abc" << 0;
}

void TestTTransform::bin8Text()
{
    QFETCH(QString, text);
    QFETCH(int, stored);

    auto transform = make(QStringLiteral("bin8"));
    transform->setValue(7);
    transform->setValueText(text);
    QCOMPARE(transform->value(static_cast<int *>(nullptr)), stored);

    QSignalSpy ready(transform.get(), &TTransform::replyValueReady);
    transform->setReplyValue(QStringLiteral("9"));
    transform->setReplyText(text);
    QCOMPARE(ready.count(), 2);
    int reply = -1;
    transform->reply(&reply);
    QCOMPARE(reply, stored);
    QCOMPARE(transform->replyText(), QString::number(stored));

    transform->setReplyText(QString()); // ignored
    QCOMPARE(ready.count(), 2);
    QCOMPARE(transform->reply(static_cast<int *>(nullptr)), stored);
}

void TestTTransform::bin8None()
{
    auto transform = make(QStringLiteral("bin8"));
    transform->setValue(0);
    QCOMPARE(transform->valueText(), QStringLiteral("0"));
    m_node.none = true;
    QCOMPARE(transform->valueText(), QStringLiteral("N"));
    transform->setValue(quint8(255));
    QCOMPARE(transform->valueText(), QStringLiteral("255"));
    transform->setValue(300);
    QCOMPARE(transform->value(static_cast<quint8 *>(nullptr)), quint8(44));
    m_node.none = false;
}

void TestTTransform::strvValues()
{
    auto transform = make(QStringLiteral("strV"), QString(), QStringLiteral("nn.nn"));
    transform->setValue(3.14159f);
    QCOMPARE(transform->valueText(), QStringLiteral("3.1"));
    float value = 0;
    transform->value(&value);
    QCOMPARE(value, 3.1f);
    QCOMPARE(transform->value(static_cast<int *>(nullptr)), 0); // "3.1" is no integer
    transform->setValue(-12);
    QCOMPARE(transform->valueText(), QStringLiteral("-12"));
    QCOMPARE(transform->value(static_cast<int *>(nullptr)), -12);
    QCOMPARE(transform->value(static_cast<quint8 *>(nullptr)), quint8(0));
    transform->setValue(quint8(200));
    QCOMPARE(transform->value(static_cast<quint8 *>(nullptr)), quint8(200));

    transform->setReplyValue(QStringLiteral("-4.5"));
    transform->reply(&value);
    QCOMPARE(value, -4.5f);
    QCOMPARE(transform->replyText(), QStringLiteral("-4.5"));
}

void TestTTransform::strvDisplay_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("units");
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("display");

    QTest::newRow("2 decimals, pct") << "nn.nn"
                                     << "pct" << 3.14159f << "3.14%";
    QTest::newRow("1 decimal, dB") << "nn.n"
                                   << "dB" << 3.14159f << "3.1";
    QTest::newRow("no decimals") << "nn"
                                 << "" << -7.6f << "-8";
}

void TestTTransform::strvDisplay()
{
    QFETCH(QString, format);
    QFETCH(QString, units);
    QFETCH(float, value);
    QFETCH(QString, display);

    for (const QString &name : {QStringLiteral("strV"), QStringLiteral("grpV")}) {
        auto transform = make(name, QString(), format, units);
        transform->setDisplayValue(value);
        QCOMPARE(transform->displayText(), display);
    }
}

void TestTTransform::passThrough()
{
    auto transform = make(QStringLiteral("passThrough"));
    QCOMPARE(transform->queryText(), QStringLiteral("GRC 3"));
    transform->setValueText(QStringLiteral("SRC 1,2"));
    QCOMPARE(transform->valueText(), QStringLiteral("SRC 1,2"));

    QSignalSpy ready(transform.get(), &TTransform::replyValueReady);
    transform->setReplyValue(QStringLiteral("GRC 3,1"));
    QCOMPARE(m_node.lastReply, QStringLiteral("GRC 3,1"));
    QCOMPARE(transform->replyText(), QStringLiteral("GRC 3,1"));
    QCOMPARE(ready.count(), 1);

    transform->setPollDivider(1);
    QVERIFY(transform->tick());
    m_node.veto = true;
    QVERIFY(!transform->tick());
    m_node.veto = false;
    QVERIFY(transform->tick());
}

void TestTTransform::valueSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");

    QTest::newRow("bin8") << "bin8" << 1;
    QTest::newRow("chrL") << "chrL" << 1;
    QTest::newRow("hexL") << "hexL" << 1;
    QTest::newRow("strL") << "strL" << 1;
    QTest::newRow("strV") << "strV" << 5;
    QTest::newRow("grpV: \"hello\" is 0 dB, \"78\"") << "grpV" << 2;
    QTest::newRow("text") << "text" << 5;
    QTest::newRow("passThrough") << "passThrough" << 0;
}

void TestTTransform::valueSize()
{
    QFETCH(QString, name);
    QFETCH(int, size);

    auto transform = make(name, QStringLiteral("A,B"));
    transform->TTransform::setValueText(QStringLiteral("ignored")); // base: no effect
    static_cast<TTransform *>(transform.get())->setValueText(QStringLiteral("hello"));
    QCOMPARE(transform->valueSize(), size);
}

QTEST_GUILESS_MAIN(TestTTransform)
#include "tst_ttransform.moc"
