// The demonstration archive that the build packs into the program: its layout, the panel
// file's encoding and content, and whether the panel's bindings, links and pictures agree with
// the designer project and with the archive's own entries. Read with plain Qt, so that a fault
// here points at the archive and not at the client's readers.

#include <QFile>
#include <QHash>
#include <QImage>
#include <QRectF>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QXmlStreamReader>
#include <QtEndian>
#include <QtTest>

#include <cmath>

namespace {

const QString ArchivePath = QStringLiteral(":/data/Veloxa/Demo.cpz");
const QStringList EntryNames = {"/Demo.cpf",
                                "/project/Demo.vxj",
                                "/image/VeloxaDemoLogo.png",
                                "/image/TaproomFloorPlan.png",
                                "/image/LoudspeakerIcon.png",
                                "/image/PresetsHeaderBanner.png"};
const QString SceneName = QStringLiteral("Audio Controls");
const QStringList PanelNames = {"Disclaimer", "Volume & Source Control", "System Presets",
                                "Trivia Controls", "System EQ"};
constexpr int CanvasWidth = 317;
constexpr int CanvasHeight = 507;
constexpr qsizetype MaxImageBytes = 30 * 1024;

// Control types whose widgets talk to a device.
const QStringList ValueTypes = {"Slider",      "Button", "DropList",  "TextLink",
                                "LevelButton", "Meter",  "MeterImage"};
const QStringList BindingFields = {"block", "nodeID", "nodeCategory", "connection"};

struct Entry
{
    QString name;
    quint32 offset = 0;
    quint32 size = 0;
    QByteArray block;
};

struct Widget
{
    QString part;
    QHash<QString, QString> leaves;

    QRectF rect() const
    {
        return QRectF(leaves.value("x").toDouble(), leaves.value("y").toDouble(),
                      leaves.value("width").toDouble(), leaves.value("height").toDouble());
    }
};

struct Control
{
    QString panel;
    QString name;
    QString type;
    QStringList fieldOrder; // text children ahead of the properties, in file order
    QHash<QString, QString> fields;
    QList<Widget> widgets;
    QHash<QString, QString> attributes;

    bool isBound() const { return fields.contains("connection"); }
    QRectF rect() const
    {
        QRectF all;
        for (const Widget &widget : widgets)
            all = all.isNull() ? widget.rect() : all.united(widget.rect());
        return all;
    }
    const Widget *part(const QString &name) const
    {
        for (const Widget &widget : widgets) {
            if (widget.part == name)
                return &widget;
        }
        return nullptr;
    }
};

struct PanelFile
{
    QHash<QString, QHash<QString, QString>> connections;
    QHash<QString, QString> canvas;
    QStringList scenes;
    QStringList panels;
    QList<Control> controls;
    QString error;
};

// A node of the designer project as far as the panel names it.
struct DesignerNode
{
    QString element; // "Node", "Group", "ParameterSet", "PanelList"
    QString className;
    QHash<QString, QString> attributes;
    QHash<QString, QString> properties;
};

struct DesignerProject
{
    QString version;
    QList<DesignerNode> nodes;
    QString error;

    const DesignerNode *find(const QString &element, const QString &label) const
    {
        for (const DesignerNode &node : nodes) {
            if (node.element == element && node.properties.value("label") == label)
                return &node;
        }
        return nullptr;
    }
    QList<const DesignerNode *> devices() const
    {
        QList<const DesignerNode *> found;
        for (const DesignerNode &node : nodes) {
            if (node.className.contains(".Devices."))
                found << &node;
        }
        return found;
    }
};

QString nameOf(const QXmlStreamReader &xml, const char *attribute)
{
    return xml.attributes().value(QLatin1String(attribute)).toString();
}

PanelFile readPanelFile(const QByteArray &bytes)
{
    PanelFile file;
    QXmlStreamReader xml(bytes);
    QStringList open;
    QString property;
    QString connection;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::EndElement) {
            open.removeLast();
            continue;
        }
        if (!xml.isStartElement())
            continue;
        const QString name = xml.name().toString();
        const QString parent = open.value(open.size() - 1);
        const QString grandParent = open.value(open.size() - 2);
        Control *control = file.controls.isEmpty() ? nullptr : &file.controls.last();
        const bool inControl = open.contains("Control");

        if (parent == "Property" && grandParent == "Connection") {
            file.connections[connection].insert(name, xml.readElementText());
        } else if (parent == "Property" && grandParent == "Canvas") {
            file.canvas.insert(name, xml.readElementText());
        } else if (inControl && parent == "Control" && name != "Property") {
            control->fieldOrder << name;
            control->fields.insert(name, xml.readElementText());
        } else if (inControl && parent == "Property" && property == "attributes") {
            control->attributes.insert(name, xml.readElementText());
        } else if (inControl && grandParent == "Property" && property == "widget") {
            control->widgets.last().leaves.insert(name, xml.readElementText());
        } else {
            if (name == "Connection" && parent == "Connections") {
                connection = nameOf(xml, "name");
                file.connections.insert(connection, {});
            } else if (name == "Scene" && parent == "Scenes") {
                file.scenes << nameOf(xml, "name");
            } else if (name == "Panel" && parent == "Panels") {
                file.panels << nameOf(xml, "name");
            } else if (name == "Control" && parent == "Controls") {
                Control added;
                added.panel = file.panels.value(file.panels.size() - 1);
                added.name = nameOf(xml, "name");
                added.type = nameOf(xml, "type");
                file.controls << added;
            } else if (name == "Property") {
                property = nameOf(xml, "name");
            } else if (inControl && parent == "Property" && property == "widget") {
                control->widgets << Widget{name, {}};
            }
            open << name;
        }
    }
    if (xml.hasError())
        file.error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    return file;
}

DesignerProject readDesignerProject(QByteArray bytes)
{
    DesignerProject project;
    // Qt's stream reader knows only the Unicode encodings; the file is plain ASCII, which
    // Windows-1252 leaves unchanged, so the declaration can go.
    bytes.replace("encoding=\"Windows-1252\"", "");
    QXmlStreamReader xml(bytes);
    QStringList open;
    qsizetype definitionDepth = -1; // depth of the open definition, -1 outside one
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::EndElement) {
            open.removeLast();
            if (open.size() == definitionDepth)
                definitionDepth = -1;
            continue;
        }
        if (!xml.isStartElement())
            continue;
        const QString name = xml.name().toString();
        const QString parent = open.value(open.size() - 1);
        if (name == "Project" && open.isEmpty())
            project.version = nameOf(xml, "version");
        const bool definition = (name == "Node" && parent == "Nodes") ||
                                (name == "Group" && parent == "Groups") ||
                                (name == "ParameterSet" && parent == "ParameterSets") ||
                                (name == "PanelList" && parent == "ParameterSetLists");
        if (definition) {
            DesignerNode node;
            node.element = name;
            node.className = nameOf(xml, "className");
            for (const QXmlStreamAttribute &attribute : xml.attributes())
                node.attributes.insert(attribute.name().toString(), attribute.value().toString());
            project.nodes << node;
            definitionDepth = open.size();
        } else if (name == "Property" && definitionDepth >= 0) {
            project.nodes.last().properties.insert(nameOf(xml, "name"), nameOf(xml, "value"));
        }
        open << name;
    }
    if (xml.hasError())
        project.error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    return project;
}

// "Chassis|||30216" -> 30216; 0 when the name has another form.
int connectionNumber(const QString &connection)
{
    const QStringList parts = connection.split("|||");
    return parts.size() == 2 && parts.first() == "Chassis" ? parts.last().toInt() : 0;
}

QString fileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

} // namespace

class TestDemoArchive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void archiveLayout();
    void entriesUnpack();
    void entriesMatchTheirSources();
    void panelFileEncoding();
    void panelFileStructure();
    void canvasGivesPortraitWindow();
    void connectionsMatchDesignerDevices();
    void boundControlsMatchDesignerNodes();
    void parameterKinds();
    void fadersHaveTheirFourParts();
    void geometryFitsCanvas();
    void linksReachEveryPanel();
    void imagesAreNamedAndDecode();
    void designerProjectHeader();

private:
    const Entry *entry(const QString &name) const;

    QByteArray m_archive;
    QList<Entry> m_entries;
    quint32 m_count = 0;
    QByteArray m_panelBytes;
    PanelFile m_panel;
    QByteArray m_designerBytes;
    DesignerProject m_designer;
};

const Entry *TestDemoArchive::entry(const QString &name) const
{
    for (const Entry &candidate : m_entries) {
        if (candidate.name == name)
            return &candidate;
    }
    return nullptr;
}

void TestDemoArchive::initTestCase()
{
    QFile file(ArchivePath);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    m_archive = file.readAll();
    QVERIFY(m_archive.size() >= 8);

    const auto *bytes = reinterpret_cast<const uchar *>(m_archive.constData());
    const qsizetype end = m_archive.size();
    m_count = qFromBigEndian<quint32>(bytes + 4);
    qsizetype at = 8;
    for (quint32 i = 0; i < m_count; ++i) {
        QVERIFY2(at + 4 <= end, "entry header runs past the end");
        const quint32 length = qFromBigEndian<quint32>(bytes + at);
        at += 4;
        QVERIFY2(at + 2 * qsizetype(length) + 8 <= end, "entry header runs past the end");
        Entry read;
        for (quint32 unit = 0; unit < length; ++unit)
            read.name += QChar(qFromLittleEndian<quint16>(bytes + at + 2 * unit));
        at += 2 * length;
        read.offset = qFromBigEndian<quint32>(bytes + at);
        read.size = qFromBigEndian<quint32>(bytes + at + 4);
        at += 8;
        QVERIFY2(qsizetype(read.offset) + read.size <= end, qPrintable(read.name));
        read.block = m_archive.mid(read.offset, read.size);
        m_entries << read;
    }

    const Entry *panel = entry("/Demo.cpf");
    const Entry *designer = entry("/project/Demo.vxj");
    QVERIFY(panel && designer);
    m_panelBytes = qUncompress(panel->block);
    m_designerBytes = qUncompress(designer->block);
    m_panel = readPanelFile(m_panelBytes);
    m_designer = readDesignerProject(m_designerBytes);
}

void TestDemoArchive::archiveLayout()
{
    QCOMPARE(m_archive.left(4), QByteArray("\x10\x00\x00\x00", 4));
    QCOMPARE(m_count, quint32(EntryNames.size()));

    QStringList names;
    qsizetype headerEnd = 8;
    for (const Entry &read : std::as_const(m_entries)) {
        names << read.name;
        headerEnd += 12 + 2 * read.name.size();
    }
    QCOMPARE(names, EntryNames);
    QCOMPARE(headerEnd, 348);

    // Data blocks follow the headers without gaps, in entry order, up to the end of the file.
    quint32 expected = quint32(headerEnd);
    for (const Entry &read : std::as_const(m_entries)) {
        QCOMPARE(read.offset, expected);
        expected += read.size;
    }
    QCOMPARE(qsizetype(expected), m_archive.size());
}

void TestDemoArchive::entriesUnpack()
{
    for (const Entry &read : std::as_const(m_entries)) {
        QVERIFY2(read.size > 4, qPrintable(read.name));
        const quint32 announced =
            qFromBigEndian<quint32>(reinterpret_cast<const uchar *>(read.block.constData()));
        const QByteArray unpacked = qUncompress(read.block);
        QVERIFY2(!unpacked.isEmpty(), qPrintable(read.name));
        QCOMPARE(quint32(unpacked.size()), announced);
    }
}

void TestDemoArchive::entriesMatchTheirSources()
{
    const QString sources = QStringLiteral(VELOXA_DEMO_SOURCE_DIR);
    for (const Entry &read : std::as_const(m_entries)) {
        const QString path =
            sources + (read.name == "/Demo.cpf" ? QStringLiteral("/Demo.cpf.xml") : read.name);
        QFile source(path);
        QVERIFY2(source.open(QIODevice::ReadOnly), qPrintable(path));
        QByteArray expected = source.readAll();
        if (read.name == "/Demo.cpf") {
            QStringEncoder toUtf16(QStringEncoder::Utf16BE);
            expected = QByteArray("\xFE\xFF", 2) + QByteArray(toUtf16(QString::fromUtf8(expected)));
        }
        QVERIFY2(qUncompress(read.block) == expected, qPrintable(read.name));
    }
}

void TestDemoArchive::panelFileEncoding()
{
    QVERIFY(m_panelBytes.startsWith("\xFE\xFF"));
    QStringDecoder fromUtf16(QStringDecoder::Utf16BE);
    const QString text = fromUtf16(m_panelBytes.mid(2));
    QVERIFY(!fromUtf16.hasError());
    QVERIFY(text.startsWith("<?xml "));
    const QString declaration = text.left(text.indexOf("?>"));
    QVERIFY2(declaration.contains(R"(encoding="UTF-16")"), qPrintable(declaration));
    // The ampersand of the second panel is written as a character reference.
    QVERIFY(text.contains(R"(<Panel name="Volume &#38; Source Control")"));
}

void TestDemoArchive::panelFileStructure()
{
    QVERIFY2(m_panel.error.isEmpty(), qPrintable(m_panel.error));
    QCOMPARE(m_panel.scenes, QStringList{SceneName});
    QCOMPARE(m_panel.panels, PanelNames);
    QCOMPARE(m_panel.controls.size(), 53);
    for (const Control &control : std::as_const(m_panel.controls)) {
        QVERIFY2(!control.name.isEmpty() && !control.type.isEmpty(), qPrintable(control.panel));
        QVERIFY2(!control.widgets.isEmpty(), qPrintable(control.name));
    }

    bool ok = false;
    QCOMPARE(m_panel.canvas.value("size").toDouble(&ok), 6.238);
    QVERIFY(ok);
    QCOMPARE(m_panel.canvas.value("aspect").toDouble(&ok), 1.6);
    QVERIFY(ok);
    QCOMPARE(m_panel.canvas.value("orientation").toInt(&ok), 1);
    QVERIFY(ok);
}

void TestDemoArchive::canvasGivesPortraitWindow()
{
    // The client's pixel size at 96 dpi, worked out from the stored screen diagonal and aspect.
    const double size = m_panel.canvas.value("size").toDouble();
    const double aspect = m_panel.canvas.value("aspect").toDouble();
    const float shortSide = float(std::sqrt(size * size / (aspect * aspect + 1.0)) * 96.0);
    QCOMPARE(int(shortSide), CanvasWidth);
    QCOMPARE(int(shortSide * float(aspect)), CanvasHeight);
}

void TestDemoArchive::connectionsMatchDesignerDevices()
{
    QVERIFY2(m_designer.error.isEmpty(), qPrintable(m_designer.error));
    const QList<const DesignerNode *> devices = m_designer.devices();
    QCOMPARE(m_panel.connections.size(), devices.size());

    QSet<QString> ports;
    for (auto it = m_panel.connections.cbegin(); it != m_panel.connections.cend(); ++it) {
        const int number = connectionNumber(it.key());
        QVERIFY2(number > 0, qPrintable(it.key()));
        const DesignerNode *device = nullptr;
        for (const DesignerNode *candidate : devices) {
            if (candidate->properties.value("nodeID").toInt() == number)
                device = candidate;
        }
        QVERIFY2(device, qPrintable(it.key()));
        const QHash<QString, QString> &attributes = it.value();
        QCOMPARE(attributes.value("title"), device->properties.value("title"));
        QCOMPARE(attributes.value("ipaddress"), device->properties.value("ipAddress"));
        QCOMPARE(attributes.value("serialport"), device->properties.value("serialPortNumber"));
        QVERIFY2(device->properties.value("deviceType").startsWith(attributes.value("platform")),
                 qPrintable(it.key()));
        QVERIFY(!attributes.value("platform").isEmpty());
        ports.insert(attributes.value("serialport"));
    }
    QCOMPARE(ports.size(), m_panel.connections.size());
}

void TestDemoArchive::boundControlsMatchDesignerNodes()
{
    QString mainConnection;
    for (const DesignerNode *device : m_designer.devices()) {
        if (device->properties.value("isMainNVA") == "True")
            mainConnection = "Chassis|||" + QString::number(device->properties["nodeID"].toInt());
    }
    QVERIFY(!mainConnection.isEmpty());

    const QHash<QString, QString> definitionOf = {
        {"Groups", "Group"}, {"ParameterSets", "ParameterSet"}, {"ParameterSetLists", "PanelList"}};
    int bound = 0;
    for (const Control &control : std::as_const(m_panel.controls)) {
        const QString what = control.panel + " / " + control.name;
        QCOMPARE(control.isBound(), ValueTypes.contains(control.type));
        if (!control.isBound())
            continue;
        ++bound;
        QCOMPARE(control.fieldOrder.mid(0, 4), BindingFields);
        const QString connection = control.fields.value("connection");
        QVERIFY2(m_panel.connections.contains(connection), qPrintable(what));

        const QString label = control.fields.value("block");
        const QString category = control.fields.value("nodeCategory");
        const int nodeId = control.fields.value("nodeID").toInt();
        if (definitionOf.contains(category)) {
            // Designer-wide definitions have no node number and live on the main processor.
            QVERIFY2(m_designer.find(definitionOf[category], label), qPrintable(what));
            QCOMPARE(nodeId, 0);
            QCOMPARE(connection, mainConnection);
        } else {
            const DesignerNode *node = m_designer.find("Node", label);
            QVERIFY2(node, qPrintable(what));
            QCOMPARE(node->properties.value("nodeID").toInt(), nodeId);
            const QString device =
                node->attributes.value("nvaNodeID", node->attributes.value("brambleNodeID"));
            QCOMPARE(device.toInt(), connectionNumber(connection));
        }
    }
    QVERIFY(bound > 0);
}

void TestDemoArchive::parameterKinds()
{
    for (const Control &control : std::as_const(m_panel.controls)) {
        if (!control.isBound())
            continue;
        const QString what = control.panel + " / " + control.name;
        const QString category = control.fields.value("nodeCategory");
        const QHash<QString, QString> &attributes = control.attributes;
        const QString transform = attributes.value("transform");
        QVERIFY2(!attributes.value("struct").isEmpty() && !transform.isEmpty(), qPrintable(what));
        if (category == "Groups")
            QVERIFY2(attributes["struct"] == "5" && transform == "grpV", qPrintable(what));
        if (category == "ParameterSets")
            QVERIFY2(attributes["struct"] == "4" && transform == "bin8", qPrintable(what));
        if (control.type == "Meter" || control.type == "MeterImage")
            QVERIFY2(attributes["struct"] == "10", qPrintable(what));
        if (control.type == "Slider" || control.type == "LevelButton") {
            const double minimum = attributes.value("minimum").toDouble();
            const double maximum = attributes.value("maximum").toDouble();
            const double step = attributes.value("step").toDouble();
            QVERIFY2(minimum < maximum && step > 0, qPrintable(what));
            const double steps = (maximum - minimum) / step;
            QVERIFY2(std::abs(steps - std::round(steps)) < 1e-9, qPrintable(what));
        }
        if (control.type == "DropList" && attributes.value("struct") == "1") {
            const Widget *list = control.part("droplist");
            QVERIFY(list);
            if (list->leaves.contains("msg")) {
                QCOMPARE(list->leaves["msg"].split(',').size(),
                         list->leaves.value("index").split(',').size());
            }
        }
    }
}

void TestDemoArchive::fadersHaveTheirFourParts()
{
    int faders = 0;
    for (const Control &control : std::as_const(m_panel.controls)) {
        if (control.type != "Slider")
            continue;
        ++faders;
        const Widget *frame = control.part("frame");
        const Widget *slider = control.part("slider");
        const Widget *box = control.part("textedit");
        const Widget *caption = control.part("label");
        QVERIFY2(frame && slider && box && caption, qPrintable(control.name));
        QCOMPARE(slider->leaves.value("id"), QString("1"));
        QCOMPARE(slider->leaves.value("link"), box->leaves.value("id"));
        QCOMPARE(box->leaves.value("link"), slider->leaves.value("id"));
        for (const Widget *inside : {slider, box, caption})
            QVERIFY2(frame->rect().contains(inside->rect()), qPrintable(control.name));
    }
    QVERIFY(faders > 0);
}

void TestDemoArchive::geometryFitsCanvas()
{
    const QRectF canvas(0, 0, CanvasWidth, CanvasHeight);
    for (const Control &control : std::as_const(m_panel.controls)) {
        const QRectF whole = control.rect();
        QVERIFY2(canvas.contains(whole), qPrintable(control.name));
        for (const Widget &widget : control.widgets) {
            // The fractions place each part within the control's rectangle as the file says.
            const auto &leaf = widget.leaves;
            const QRectF placed(whole.x() + whole.width() * leaf.value("xfract").toDouble(),
                                whole.y() + whole.height() * leaf.value("yfract").toDouble(),
                                whole.width() * leaf.value("widthfract").toDouble(),
                                whole.height() * leaf.value("heightfract").toDouble());
            const QRectF stored = widget.rect();
            const QString what = control.name + " / " + widget.part;
            QVERIFY2(std::abs(placed.x() - stored.x()) < 0.5, qPrintable(what));
            QVERIFY2(std::abs(placed.y() - stored.y()) < 0.5, qPrintable(what));
            QVERIFY2(std::abs(placed.width() - stored.width()) < 0.5, qPrintable(what));
            QVERIFY2(std::abs(placed.height() - stored.height()) < 0.5, qPrintable(what));
        }
    }

    // Controls of one panel do not overlap, except the outline, frames around their content
    // and a region lying on its floor plan.
    for (const Control &a : std::as_const(m_panel.controls)) {
        for (const Control &b : std::as_const(m_panel.controls)) {
            if (&a >= &b || a.panel != b.panel || !a.rect().intersects(b.rect()))
                continue;
            const bool allowed =
                a.type == "Bounds" || b.type == "Bounds" ||
                (a.type == "Frame" && a.rect().contains(b.rect())) ||
                (b.type == "Frame" && b.rect().contains(a.rect())) ||
                (a.type == "Image" && b.type == "Region" && a.rect().contains(b.rect())) ||
                (b.type == "Image" && a.type == "Region" && b.rect().contains(a.rect()));
            QVERIFY2(allowed, qPrintable(a.panel + ": " + a.name + " overlaps " + b.name));
        }
    }
}

void TestDemoArchive::linksReachEveryPanel()
{
    QSet<QString> reached;
    int links = 0;
    for (const Control &control : std::as_const(m_panel.controls)) {
        for (const Widget &widget : control.widgets) {
            if (widget.part != "panellink" && widget.part != "region")
                continue;
            ++links;
            const QStringList path = widget.leaves.value("path").split('\\');
            QCOMPARE(path.size(), 3);
            QCOMPARE(path.at(0), fileNameOf(EntryNames.first()));
            QCOMPARE(path.at(1), SceneName);
            QVERIFY2(m_panel.panels.contains(path.at(2)), qPrintable(path.at(2)));
            QVERIFY2(path.at(2) != control.panel, qPrintable(control.name));
            reached.insert(path.at(2));
        }
    }
    QVERIFY(links > 0);
    QCOMPARE(reached.size(), m_panel.panels.size());
}

void TestDemoArchive::imagesAreNamedAndDecode()
{
    QSet<QString> pictures;
    for (const Entry &read : std::as_const(m_entries)) {
        if (!read.name.startsWith("/image/"))
            continue;
        const QByteArray png = qUncompress(read.block);
        QVERIFY2(png.size() < MaxImageBytes, qPrintable(read.name));
        QVERIFY2(!QImage::fromData(png, "PNG").isNull(), qPrintable(read.name));
        pictures.insert(fileNameOf(read.name));
    }
    QCOMPARE(pictures.size(), 4);

    QSet<QString> shown;
    for (const Control &control : std::as_const(m_panel.controls)) {
        const Widget *image = control.part("image");
        if (!image)
            continue;
        // The client matches a picture by the file name after the last "/".
        const QString path = image->leaves.value("path");
        QVERIFY2(path.contains('/'), qPrintable(control.name));
        QVERIFY2(pictures.contains(fileNameOf(path)), qPrintable(path));
        shown.insert(fileNameOf(path));
    }
    QCOMPARE(shown, pictures);
}

void TestDemoArchive::designerProjectHeader()
{
    QVERIFY(!m_designerBytes.isEmpty());
    for (const char byte : std::as_const(m_designerBytes))
        QVERIFY2(uchar(byte) < 0x80, "the designer project is plain ASCII");
    const QByteArray declaration = m_designerBytes.left(m_designerBytes.indexOf("?>"));
    QVERIFY(declaration.contains(R"(encoding="Windows-1252")"));
    QVERIFY2(m_designer.error.isEmpty(), qPrintable(m_designer.error));
    QVERIFY2(m_designer.version.toDouble() >= 4.2, qPrintable(m_designer.version));
}

QTEST_GUILESS_MAIN(TestDemoArchive)
#include "tst_demoarchive.moc"
