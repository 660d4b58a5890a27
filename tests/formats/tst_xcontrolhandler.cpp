#include "canvas/ccanvas.h"
#include "canvas/ccomposite.h"
#include "comm/ttransform.h"
#include "controls/wdropsite.h"
#include "controls/widgettestenv.h"
#include "controls/wwidget.h"
#include "formats/xcontrolhandler.h"
#include "formats/xmlguard.h"
#include "formats/xmlhandler.h"
#include "hardware/hblock.h"
#include "hardware/hnode.h"
#include "hardware/hroot.h"
#include "model/mmodel.h"
#include "model/mproject.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString ChassisName = QStringLiteral("Chassis|||30216");

enum class Encoding { Utf16BE, Utf16LE, Utf8 };

QString control(const QString &name, const QString &type, const QString &body)
{
    return QStringLiteral("<Control name=\"%1\" type=\"%2\">%3</Control>").arg(name, type, body);
}

QString panel(const QString &name, const QString &type, const QString &controls)
{
    return QStringLiteral("<Panel name=\"%1\" type=\"%2\"><Controls>%3</Controls></Panel>")
        .arg(name, type, controls);
}

QString scenes(const QString &panels)
{
    return QStringLiteral("<Scenes><Scene name=\"S\"><Panels>%1</Panels></Scene></Scenes>")
        .arg(panels);
}

QString canvasElement(const QString &leaves)
{
    return QStringLiteral("<Canvas><Property name=\"attributes\">%1</Property></Canvas>")
        .arg(leaves);
}

QString connection(const QString &name, const QString &leaves = QString())
{
    return QStringLiteral("<Connections><Connection name=\"%1\"><Property name=\"attributes\">%2"
                          "</Property></Connection></Connections>")
        .arg(name, leaves);
}

QString widgetProperty(const QString &parts)
{
    return QStringLiteral("<Property name=\"widget\">%1</Property>").arg(parts);
}

QString attributesProperty(const QString &leaves)
{
    return QStringLiteral("<Property name=\"attributes\">%1</Property>").arg(leaves);
}

QString leaf(const QString &name, const QString &text)
{
    return QStringLiteral("<%1>%2</%1>").arg(name, text);
}

// Temporary panel files in the encodings the design tool and hand edits produce.
class PanelFiles
{
public:
    QString write(const QString &body, Encoding encoding = Encoding::Utf16BE,
                  const QString &lineBreak = QStringLiteral("\n"), const QString &prolog = {})
    {
        const bool utf8 = encoding == Encoding::Utf8;
        const QString xml =
            QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>%2%4<VXB>%2%3%2</VXB>%2")
                .arg(utf8 ? QStringLiteral("UTF-8") : QStringLiteral("UTF-16"), lineBreak, body,
                     prolog);
        return writeBytes(encode(xml, encoding));
    }

    QString writeBytes(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("panel%1.cpf").arg(m_count++));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return QString();
        return path;
    }

private:
    static QByteArray encode(const QString &xml, Encoding encoding)
    {
        switch (encoding) {
        case Encoding::Utf16BE:
            return QStringEncoder(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom)
                .encode(xml);
        case Encoding::Utf16LE:
            return QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)
                .encode(xml);
        case Encoding::Utf8:
            break;
        }
        return xml.toUtf8();
    }

    QTemporaryDir m_dir;
    int m_count = 0;
};

// What one read produces.
struct Loaded
{
    Loaded()
        : root(QStringLiteral("Root"), QStringLiteral("Scenes"))
    {
        root.setCanvas(&canvas);
    }

    bool load(const QString &path, const QString &filter = QString(), MModel *model = nullptr,
              QString *error = nullptr)
    {
        return root.load(path, &hardware, filter, model, error);
    }

    CComposite *panelAt(int scene, int index) const
    {
        auto *sceneRecord = qobject_cast<CComposite *>(root.child(scene));
        return sceneRecord ? qobject_cast<CComposite *>(sceneRecord->child(index)) : nullptr;
    }

    CControl *controlAt(int index) const
    {
        const CComposite *first = panelAt(0, 0);
        return first ? first->child(index) : nullptr;
    }

    HRoot hardware;
    CCanvas canvas;
    CComposite root;
};

} // namespace

class TestXControlHandler : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void encodings_data();
    void encodings();
    void defaultCanvas();
    void canvasElementStartsFromDefaults();
    void canvasOrientation_data();
    void canvasOrientation();
    void spaceRule_data();
    void spaceRule();
    void propertyOutsideSectionIsNotRemembered();
    void elementsOutsideTheirContainers();
    void panelType_data();
    void panelType();
    void nameFilter();
    void hostileFilesAreRefused_data();
    void hostileFilesAreRefused();
    void geometryIsHeldToTheScreen();
    void deeperThanKeptLevels();
    void unreadablePath();
    void binding_data();
    void binding();
    void bindingWithoutDevice();
    void connectionAttributes();
    void widgets();
    void controlAttributes();
    void controlId_data();
    void controlId();
    void project();

private:
    std::unique_ptr<WidgetTestEnv> m_widgets;
};

void TestXControlHandler::initTestCase()
{
    m_widgets = std::make_unique<WidgetTestEnv>();
}

void TestXControlHandler::cleanupTestCase()
{
    m_widgets.reset();
}

void TestXControlHandler::encodings_data()
{
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("lineBreak");

    QTest::newRow("UTF-16 big-endian") << int(Encoding::Utf16BE) << "\n";
    QTest::newRow("UTF-16 little-endian") << int(Encoding::Utf16LE) << "\n";
    QTest::newRow("UTF-16 big-endian, CR LF") << int(Encoding::Utf16BE) << "\r\n";
    QTest::newRow("UTF-16 little-endian, CR LF") << int(Encoding::Utf16LE) << "\r\n";
    QTest::newRow("UTF-8") << int(Encoding::Utf8) << "\n";
}

void TestXControlHandler::encodings()
{
    QFETCH(int, encoding);
    QFETCH(QString, lineBreak);

    const QString body =
        QStringLiteral("<Version>%1</Version>")
            .arg(leaf(QStringLiteral("appVersion"), QStringLiteral("3.0.1")) +
                 leaf(QStringLiteral("fileVersion"), QStringLiteral("3.1"))) +
        lineBreak +
        canvasElement(leaf(QStringLiteral("size"), QStringLiteral("6.238")) + lineBreak +
                      leaf(QStringLiteral("aspect"), QStringLiteral("1.6")) + lineBreak +
                      leaf(QStringLiteral("orientation"), QStringLiteral("1"))) +
        lineBreak +
        scenes(panel(QStringLiteral("Volume &#38; Source"), QStringLiteral("complete"),
                     control(QStringLiteral("Fader 1"), QStringLiteral("Slider"), QString()) +
                         lineBreak +
                         control(QStringLiteral("Caption"), QStringLiteral("Label"), QString())) +
               panel(QStringLiteral("Presets"), QStringLiteral("complete"), QString()));
    PanelFiles files;
    Loaded loaded;

    QVERIFY(loaded.load(files.write(body, Encoding(encoding), lineBreak)));

    QCOMPARE(loaded.root.childCount(), 1);
    QCOMPARE(loaded.root.child(0)->name(), QStringLiteral("S"));
    QCOMPARE(loaded.root.fileVersion(), QStringLiteral("3.1"));
    QCOMPARE(loaded.panelAt(0, 0)->name(), QStringLiteral("Volume & Source"));
    QCOMPARE(loaded.panelAt(0, 1)->name(), QStringLiteral("Presets"));
    QCOMPARE(loaded.panelAt(0, 0)->childCount(), 2);
    QCOMPARE(loaded.controlAt(0)->name(), QStringLiteral("Fader 1"));
    QCOMPARE(loaded.controlAt(0)->childKind(), QStringLiteral("Slider"));
    QCOMPARE(loaded.controlAt(0)->kind(), QStringLiteral("Control"));
    QCOMPARE(loaded.canvas.size(), 6.238f);
    QCOMPARE(loaded.canvas.aspect(), 1.6f);
    QCOMPARE(CCanvas::pixelSize(loaded.canvas.size(), loaded.canvas.aspect(),
                                loaded.canvas.orientation(), 96.0),
             QSize(317, 507));
}

void TestXControlHandler::defaultCanvas()
{
    PanelFiles files;
    Loaded loaded;
    QVERIFY(loaded.load(files.write(scenes(QString()))));

    QCOMPARE(CCanvas::pixelSize(loaded.canvas.size(), loaded.canvas.aspect(),
                                loaded.canvas.orientation(), 96.0),
             QSize(282, 502));
}

void TestXControlHandler::canvasElementStartsFromDefaults()
{
    PanelFiles files;
    Loaded loaded;
    loaded.canvas.setAttribute(QStringLiteral("size"), QStringLiteral("10"));
    loaded.canvas.setAttribute(QStringLiteral("multiplyScaleFactor"), QString());

    QVERIFY(loaded.load(
        files.write(canvasElement(leaf(QStringLiteral("skin"), QStringLiteral("Dark"))))));

    QCOMPARE(loaded.canvas.size(), CCanvas().size());
    QVERIFY(!loaded.canvas.multiplyScaleFactor());
}

void TestXControlHandler::canvasOrientation_data()
{
    QTest::addColumn<QString>("orientation");
    QTest::addColumn<bool>("portrait");

    QTest::newRow("portrait") << "1" << true;
    QTest::newRow("landscape") << "0" << false;
}

void TestXControlHandler::canvasOrientation()
{
    QFETCH(QString, orientation);
    QFETCH(bool, portrait);

    PanelFiles files;
    Loaded loaded;
    QVERIFY(loaded.load(
        files.write(canvasElement(leaf(QStringLiteral("size"), QStringLiteral("6.238")) +
                                  leaf(QStringLiteral("aspect"), QStringLiteral("1.6")) +
                                  leaf(QStringLiteral("orientation"), orientation)))));

    const QSize size = CCanvas::pixelSize(loaded.canvas.size(), loaded.canvas.aspect(),
                                          loaded.canvas.orientation(), 96.0);
    const QSize upright = CCanvas::pixelSize(6.238f, 1.6f, 1, 96.0);
    QCOMPARE(size, portrait ? upright : upright.transposed());
}

void TestXControlHandler::spaceRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("spaces around two words") << "  two words  "
                                             << "  two words  ";
    QTest::newRow("one word and a line break") << "word\n"
                                               << "word";
    QTest::newRow("space and marker text") << "a &amp;sp;b"
                                           << "a  b";
    QTest::newRow("indentation only") << "\n    "
                                      << "";
}

void TestXControlHandler::spaceRule()
{
    QFETCH(QString, text);

    PanelFiles files;
    Loaded loaded;
    QVERIFY(loaded.load(files.write(
        scenes(panel(QStringLiteral("P"), QStringLiteral("complete"),
                     control(QStringLiteral("c"), QStringLiteral("Label"),
                             attributesProperty(leaf(QStringLiteral("format"), text))))))));

    QTEST(loaded.controlAt(0)->attributes().format(), "expected");
}

void TestXControlHandler::propertyOutsideSectionIsNotRemembered()
{
    // Were the widget property remembered, the control's id would be taken for widget data.
    const QString body =
        QStringLiteral(
            "<Scenes><Scene name=\"S\"><Panels><Panel name=\"P\" type=\"complete\">"
            "<Property name=\"widget\"/><Controls>%1</Controls></Panel></Panels></Scene></Scenes>")
            .arg(control(QStringLiteral("c"), QStringLiteral("Label"),
                         leaf(QStringLiteral("id"), QStringLiteral("7"))));
    PanelFiles files;
    Loaded loaded;
    QVERIFY(loaded.load(files.write(body)));

    QCOMPARE(loaded.controlAt(0)->id(), quint64(7));
    QVERIFY(loaded.controlAt(0)->widgetKind().isEmpty());
}

void TestXControlHandler::elementsOutsideTheirContainers()
{
    const QString stray = control(QStringLiteral("stray"), QStringLiteral("Label"), QString());
    const QString body =
        QStringLiteral("<Scene name=\"lost scene\"/>"
                       "<Connection name=\"%1\"/>"
                       "<Scenes><Scene name=\"S\">"
                       "<Panel name=\"lost panel\"/>%2"
                       "<Panels><Panel name=\"P\" type=\"complete\">%2<Controls>%3</Controls>"
                       "</Panel></Panels></Scene></Scenes>")
            .arg(ChassisName, stray,
                 control(QStringLiteral("kept"), QStringLiteral("Label"), QString()));
    PanelFiles files;
    Loaded loaded;
    QVERIFY(loaded.load(files.write(body)));

    QCOMPARE(loaded.root.childCount(), 1);
    const auto *scene = qobject_cast<CComposite *>(loaded.root.child(0));
    QCOMPARE(scene->childCount(), 1);
    QCOMPARE(loaded.panelAt(0, 0)->childCount(), 1);
    QCOMPARE(loaded.controlAt(0)->name(), QStringLiteral("kept"));
    QVERIFY(!loaded.hardware.findChassis(ChassisName));
}

void TestXControlHandler::panelType_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("parts"); // one control per entry, drawn by that widget part
    QTest::addColumn<int>("expected");

    const QStringList two = {QStringLiteral("frame"), QStringLiteral("label")};
    const QStringList one = {QStringLiteral("frame")};
    const QStringList withDropSite = {QStringLiteral("frame"), QStringLiteral("dropsite")};

    QTest::newRow("complete") << "complete" << one << int(CComposite::Complete);
    QTest::newRow("template") << "template" << two << int(CComposite::Template);
    QTest::newRow("custom") << "custom" << two << int(CComposite::Custom);
    QTest::newRow("unknown text keeps the default") << "other" << one << int(CComposite::Complete);
    QTest::newRow("empty, a drop site") << "" << withDropSite << int(CComposite::Template);
    QTest::newRow("empty, one control") << "" << one << int(CComposite::Custom);
    QTest::newRow("empty, two controls") << "" << two << int(CComposite::Complete);
}

void TestXControlHandler::panelType()
{
    QFETCH(QString, type);
    QFETCH(QStringList, parts);

    QString controls;
    for (const QString &part : parts)
        controls +=
            control(part, QStringLiteral("Frame"),
                    widgetProperty(leaf(part, leaf(QStringLiteral("x"), QStringLiteral("1")))));
    PanelFiles files;
    Loaded loaded;
    QVERIFY(loaded.load(files.write(scenes(panel(QStringLiteral("P"), type, controls)))));

    QTEST(loaded.panelAt(0, 0)->panelType(), "expected");
}

void TestXControlHandler::nameFilter()
{
    const QString controls = control(QStringLiteral("A"), QStringLiteral("Label"),
                                     leaf(QStringLiteral("id"), QStringLiteral("1"))) +
                             control(QStringLiteral("B"), QStringLiteral("Label"),
                                     leaf(QStringLiteral("id"), QStringLiteral("2"))) +
                             control(QStringLiteral("C"), QStringLiteral("Label"),
                                     leaf(QStringLiteral("id"), QStringLiteral("3")));
    PanelFiles files;
    const QString path =
        files.write(scenes(panel(QStringLiteral("P"), QStringLiteral("complete"), controls)));

    Loaded filtered;
    QVERIFY(filtered.load(path, QStringLiteral("B")));
    QCOMPARE(filtered.panelAt(0, 0)->childCount(), 1);
    QCOMPARE(filtered.controlAt(0)->name(), QStringLiteral("B"));
    QCOMPARE(filtered.controlAt(0)->id(), quint64(2));

    Loaded all;
    QVERIFY(all.load(path));
    QCOMPARE(all.panelAt(0, 0)->childCount(), 3);
}

void TestXControlHandler::hostileFilesAreRefused_data()
{
    QTest::addColumn<QString>("prolog");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("reason"); // empty: the file loads

    const auto label = [](const QString &text) {
        return scenes(panel("P", "complete", control("c", "Label", text)));
    };
    const auto nest = [](int n) {
        return QString("<a>").repeated(n) + QString("</a>").repeated(n);
    };
    const QString doctype = "declares a document type";
    const QString tooLong = "longer than 65536";
    const qsizetype cap = XmlGuard::MaxValueLength;
    QTest::newRow("256 levels") << "" << nest(255) << "";
    QTest::newRow("257 levels") << "" << nest(256) << "deeper than 256 levels";
    QTest::newRow("entity 200,000 times")
        << "<!DOCTYPE VXB [<!ENTITY e \"" + QString(4000, 'x') + "\">]>"
        << label(QString("&e;").repeated(200000)) << doctype;
    QTest::newRow("external entity")
        << "<!DOCTYPE VXB [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>" << label("&e;") << doctype;
    QTest::newRow("2 MB text") << "" << label(QString(2 << 20, 't')) << tooLong;
    QTest::newRow("text in CDATA pieces")
        << "" << label(QString("<![CDATA[%1]]>").arg(QString(cap / 2 + 1, 't')).repeated(2))
        << tooLong;
    QTest::newRow("huge attribute")
        << "" << scenes(panel(QString(cap + 1, 'n'), "", "")) << tooLong;
    QTest::newRow("too many elements")
        << "" << QString("<a/>").repeated(XmlGuard::MaxElements) << "more than 500000 elements";
    QTest::newRow("too many controls")
        << "" << label(control("c", "Label", "").repeated(XControlHandler::MaxControls))
        << "more than 10000 controls";
    QTest::newRow("cut short") << ""
                               << "<Scenes>"
                               << "not well-formed XML";
}

void TestXControlHandler::hostileFilesAreRefused()
{
    QFETCH(QString, prolog);
    QFETCH(QString, body);
    QFETCH(QString, reason);
    PanelFiles files;
    Loaded loaded;
    QString error;

    QCOMPARE(loaded.load(files.write(body, Encoding::Utf16BE, "\n", prolog), "", nullptr, &error),
             reason.isEmpty());
    QVERIFY2(reason.isEmpty() ? error.isEmpty() : error.contains(reason), qPrintable(error));
    QCOMPARE(loaded.root.childCount(), reason.isEmpty() && body.startsWith("<Scenes") ? 1 : 0);
}

void TestXControlHandler::deeperThanKeptLevels()
{
    // Wrappers push the control so deep that its widget parts and leaves lie beyond the kept
    // levels, while its id leaf is still kept.
    QString open;
    QString close;
    for (int i = 0; i < 4; ++i) {
        open += QStringLiteral("<wrap%1>").arg(i);
        close.prepend(QStringLiteral("</wrap%1>").arg(i));
    }
    const QString deepControl =
        control(QStringLiteral("deep"), QStringLiteral("Frame"),
                leaf(QStringLiteral("id"), QStringLiteral("9")) +
                    widgetProperty(leaf(QStringLiteral("frame"),
                                        leaf(QStringLiteral("x"), QStringLiteral("5")))));
    const QString body =
        open + scenes(panel(QStringLiteral("P"), QStringLiteral("complete"), deepControl)) + close;
    PanelFiles files;
    Loaded loaded;
    QVERIFY(loaded.load(files.write(body)));

    const CControl *record = loaded.controlAt(0);
    QVERIFY(record);
    QCOMPARE(record->id(), quint64(9));
    QVERIFY(record->widgetKind().isEmpty());
    QVERIFY(!record->widget());
}

void TestXControlHandler::unreadablePath()
{
    QTemporaryDir dir;
    Loaded loaded;
    QVERIFY(!loaded.load(dir.filePath(QStringLiteral("missing.cpf"))));
    QCOMPARE(loaded.root.childCount(), 0);
}

void TestXControlHandler::binding_data()
{
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("nodeID");
    QTest::addColumn<QString>("nodeCategory");
    QTest::addColumn<QString>("label");

    QTest::newRow("by category and number") << "Gain"
                                            << "5"
                                            << "Blocks"
                                            << "Five";
    QTest::newRow("nodeID 0 by block label") << "Gain"
                                             << "0"
                                             << "Blocks"
                                             << "Gain";
    QTest::newRow("no category by block label") << "Gain"
                                                << "5"
                                                << ""
                                                << "Gain";
    QTest::newRow("existing label") << "Zero"
                                    << "0"
                                    << "Blocks"
                                    << "Zero";
}

void TestXControlHandler::binding()
{
    QFETCH(QString, block);
    QFETCH(QString, nodeID);
    QFETCH(QString, nodeCategory);

    Loaded loaded;
    HNode *chassis = loaded.hardware.resolveConnection(ChassisName);
    QVERIFY(chassis);
    for (const auto &[number, label] :
         {std::pair(0, QStringLiteral("Zero")), std::pair(5, QStringLiteral("Five"))}) {
        auto *node = new HBlock;
        node->setNodeNumber(number);
        node->setLabel(label);
        QVERIFY(chassis->addNode(node));
    }
    const QString fields = leaf(QStringLiteral("block"), block) +
                           leaf(QStringLiteral("nodeID"), nodeID) +
                           leaf(QStringLiteral("nodeCategory"), nodeCategory) +
                           leaf(QStringLiteral("connection"), ChassisName);
    PanelFiles files;
    QVERIFY(loaded.load(files.write(
        connection(ChassisName) +
        scenes(panel(QStringLiteral("P"), QStringLiteral("complete"),
                     control(QStringLiteral("c"), QStringLiteral("Slider"), fields))))));

    const HNode *node = loaded.controlAt(0)->node();
    QVERIFY(node);
    QTEST(node->label(), "label");
    QCOMPARE(node->parentNode(), chassis);
    QVERIFY(node->isReferenced());
}

void TestXControlHandler::bindingWithoutDevice()
{
    const QString fields = leaf(QStringLiteral("block"), QStringLiteral("Gain")) +
                           leaf(QStringLiteral("connection"), QStringLiteral("Chassis|||99"));
    PanelFiles files;
    Loaded loaded;
    QVERIFY(loaded.load(files.write(
        connection(ChassisName) +
        scenes(panel(QStringLiteral("P"), QStringLiteral("complete"),
                     control(QStringLiteral("c"), QStringLiteral("Slider"), fields))))));

    QVERIFY(!loaded.controlAt(0)->node());
}

void TestXControlHandler::connectionAttributes()
{
    PanelFiles files;
    Loaded loaded;
    QVERIFY(loaded.load(files.write(
        connection(ChassisName, leaf(QStringLiteral("title"), QStringLiteral("Main rack"))))));

    const HNode *chassis = loaded.hardware.findChassis(ChassisName);
    QVERIFY(chassis);
    QCOMPARE(chassis->title(), QStringLiteral("Main rack"));
}

void TestXControlHandler::widgets()
{
    const QString parts =
        leaf(QStringLiteral("frame"), leaf(QStringLiteral("x"), QStringLiteral("10")) +
                                          leaf(QStringLiteral("y"), QStringLiteral("20")) +
                                          leaf(QStringLiteral("width"), QStringLiteral("30")) +
                                          leaf(QStringLiteral("height"), QStringLiteral("40"))) +
        leaf(QStringLiteral("label"), leaf(QStringLiteral("xfract"), QStringLiteral("0.25"))) +
        leaf(QStringLiteral("dropsite"), leaf(QStringLiteral("x"), QStringLiteral("1")));
    PanelFiles files;
    Loaded loaded;
    QVERIFY(loaded.load(files.write(scenes(
        panel(QStringLiteral("P"), QStringLiteral("complete"),
              control(QStringLiteral("c"), QStringLiteral("Slider"), widgetProperty(parts)))))));

    const CControl *record = loaded.controlAt(0);
    QCOMPARE(record->widgetKind(), QStringLiteral("frame"));
    QCOMPARE(record->widgets().size(), 3);
    QCOMPARE(record->widget()->type(), QStringLiteral("frame"));
    QCOMPARE(record->widget()->rect(), QRectF(10, 20, 30, 40));
    QCOMPARE(record->widget()->owner(), record);
    const WWidget *label = record->widgets().at(1);
    QCOMPARE(label->type(), QStringLiteral("label"));
    QCOMPARE(label->xfract(), 0.25);
    QCOMPARE(label->widthfract(), 0.75);

    // A drop site that a user filled earlier holds the control its "child" names.
    const QString site = leaf("dropsite", leaf("width", "100") + leaf("child", "42"));
    Loaded filled;
    QVERIFY(filled.load(files.write(scenes(
        panel("T", "template",
              control("Site", "DropSite", widgetProperty(site)) +
                  control("Mute", "Button",
                          leaf("id", "42") + widgetProperty(leaf("button", leaf("x", "5")))))))));
    const auto *holder = qobject_cast<WDropSite *>(filled.controlAt(0)->widget());
    QVERIFY(holder);
    QCOMPARE(holder->droppedControls(), QList<CControl *>{filled.controlAt(1)});
}

void TestXControlHandler::geometryIsHeldToTheScreen()
{
    const QString leaves = leaf("x", "nan") + leaf("y", "-1e12") + leaf("width", "-inf") +
                           leaf("height", "1e12") + leaf("imagesize", "1e12");
    PanelFiles files;
    Loaded loaded;
    QVERIFY(loaded.load(files.write(scenes(
        panel("P", "complete", control("c", "Image", widgetProperty(leaf("image", leaves))))))));

    const WWidget *image = loaded.controlAt(0)->widget();
    QCOMPARE(image->rect(), QRectF(0, -16384, 0, 16384));
    QCOMPARE(image->itemProperty("imageSize").toDouble(), 4.0);
}

void TestXControlHandler::controlAttributes()
{
    const QString leaves =
        leaf(QStringLiteral("struct"), QStringLiteral("0x10")) +
        leaf(QStringLiteral("limits"), leaf(QStringLiteral("minimum"), QStringLiteral("-10")));
    PanelFiles files;
    Loaded loaded;
    QVERIFY(loaded.load(files.write(scenes(panel(
        QStringLiteral("P"), QStringLiteral("complete"),
        control(QStringLiteral("c"), QStringLiteral("Slider"), attributesProperty(leaves)))))));

    const CAttributes &attributes = loaded.controlAt(0)->attributes();
    QCOMPARE(attributes.structure(), quint32(16));
    QCOMPARE(attributes.minimum(), -10.0f);
    QCOMPARE(attributes.value(QStringLiteral("Property"), QStringLiteral("struct")),
             QStringLiteral("0x10"));
    QCOMPARE(attributes.value(QStringLiteral("limits"), QStringLiteral("minimum")),
             QStringLiteral("-10"));
}

void TestXControlHandler::controlId_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<quint64>("expected");

    const QString frame = widgetProperty(
        leaf(QStringLiteral("frame"), leaf(QStringLiteral("id"), QStringLiteral("5"))));
    QTest::newRow("decimal") << leaf(QStringLiteral("id"), QStringLiteral("1234567"))
                             << quint64(1234567);
    QTest::newRow("not a number") << leaf(QStringLiteral("id"), QStringLiteral("x1")) << quint64(0);
    QTest::newRow("after a property")
        << frame + leaf(QStringLiteral("id"), QStringLiteral("42")) << quint64(42);
}

void TestXControlHandler::controlId()
{
    QFETCH(QString, body);

    PanelFiles files;
    Loaded loaded;
    QVERIFY(loaded.load(
        files.write(scenes(panel(QStringLiteral("P"), QStringLiteral("complete"),
                                 control(QStringLiteral("c"), QStringLiteral("Label"), body))))));

    QTEST(loaded.controlAt(0)->id(), "expected");
}

void TestXControlHandler::project()
{
    MModel model;
    model.init();
    const QString body =
        QStringLiteral("<Project><Property name=\"attributes\"><Facility>%1</Facility>"
                       "</Property></Project>")
            .arg(leaf(QStringLiteral("name"), QStringLiteral("Civic Hall")));
    PanelFiles files;
    Loaded loaded;
    QVERIFY(loaded.load(files.write(body), QString(), &model));

    QCOMPARE(model.project()->facilityName(), QStringLiteral("Civic Hall"));
    QCOMPARE(loaded.root.model(), &model);
}

QTEST_MAIN(TestXControlHandler)
#include "tst_xcontrolhandler.moc"
