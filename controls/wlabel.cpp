#include "controls/wlabel.h"

#include "canvas/ccontrol.h"
#include "formats/xmlwriter.h"
#include "hardware/hnode.h"
#include "util/logcategories.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextFormat>
#include <QUrl>

namespace {

const QString LabelMarker = QStringLiteral("*LABEL*");
// Where the label document resolves the names in its text.
const QUrl LabelDocument(QStringLiteral("qrc:/qmlcontrol/QmlLabel.qml"));

// Parses rich text as the label's document does, noting every resource it asks for instead of
// reading any.
class ResourceRecorder : public QTextDocument
{
public:
    explicit ResourceRecorder(const QString &html) { setHtml(html); }

    // Pictures and style sheets that are not among the program's resources.
    QStringList refused() const
    {
        QStringList names = m_requested;
        for (const QTextFormat &format : allFormats()) {
            if (format.isImageFormat())
                names.append(format.toImageFormat().name());
            if (format.hasProperty(QTextFormat::BackgroundImageUrl))
                names.append(format.stringProperty(QTextFormat::BackgroundImageUrl));
        }
        names.removeIf([](const QString &name) {
            return LabelDocument.resolved(QUrl(name)).scheme() == QLatin1String("qrc");
        });
        names.removeDuplicates();
        return names;
    }

protected:
    QVariant loadResource(int, const QUrl &name) override
    {
        m_requested.append(name.toString());
        return {};
    }

private:
    QStringList m_requested;
};

// The text without the pictures and style sheets that would come from the network or from
// files; Qt's own rewrite of the markup names each in one known form.
QString withoutForeignResources(const QString &html)
{
    if (!html.contains(QLatin1Char('<')))
        return html;
    const ResourceRecorder document(html);
    const QStringList refused = document.refused();
    if (refused.isEmpty())
        return html;
    qCWarning(lcControls) << "Label resources refused:" << refused;
    QString cleaned = document.toHtml();
    for (const QString &name : refused) {
        const QString quoted = QRegularExpression::escape(name.toHtmlEscaped());
        cleaned.remove(QRegularExpression(QStringLiteral("<img src=\"") + quoted +
                                          QStringLiteral("\"[^>]*>")));
        cleaned.remove(
            QRegularExpression(QStringLiteral(" background=\"") + quoted + QStringLiteral("\"")));
        cleaned.remove(QRegularExpression(QStringLiteral("background-image:url\\('?") + quoted +
                                          QStringLiteral("'?\\);?")));
    }
    // Should a name survive in some other form, the label shows its plain text.
    return ResourceRecorder(cleaned).refused().isEmpty() ? cleaned
                                                         : document.toPlainText().toHtmlEscaped();
}

bool isTrue(const QString &value)
{
    return value == QLatin1String("true");
}

QString faceTag(const QString &face)
{
    if (face == QLatin1String("bold"))
        return QStringLiteral("b");
    if (face == QLatin1String("italic"))
        return QStringLiteral("i");
    if (face == QLatin1String("underline"))
        return QStringLiteral("u");
    return QString();
}

} // namespace

WLabel::WLabel(QQuickItem *parent)
    : WWidget(parent)
{}

WLabel::~WLabel() = default;

bool WLabel::processProperty(const QString &name, const QString &value)
{
    return WWidget::processProperty(name, value) || processLabelProperty(name, value);
}

bool WLabel::processLabelProperty(const QString &name, const QString &value)
{
    if (name == QLatin1String("text")) {
        m_text = value;
        m_storedText = value;
        if (m_text.contains(LabelMarker))
            m_text.replace(LabelMarker, controlLabel());
        showText();
    } else if (name == QLatin1String("align")) {
        setItemProperty("horizontalAlignment", horizontalAlignment(value));
    } else if (name == QLatin1String("face")) {
        m_face = value;
        showText();
    } else if (name == QLatin1String("color")) {
        setItemColor("textColor", value);
    } else if (name == QLatin1String("rotation")) {
        setItemProperty("rotation", value.toDouble());
    } else if (name == QLatin1String("scale")) {
        setItemProperty("textScale", value.toDouble());
    } else if (name == QLatin1String("edit")) {
        setItemProperty("enableEdit", isTrue(value));
    } else if (name == QLatin1String("select")) {
        setItemProperty("selEnable", isTrue(value));
    } else if (name == QLatin1String("autosize")) {
        setItemProperty("autoSize", isTrue(value));
    } else {
        qCWarning(lcControls).noquote() << "Unexpected value for WLabel attribute name: " + name;
        return false;
    }
    return true;
}

QString WLabel::controlLabel() const
{
    const CControl *control = owner();
    if (!control) {
        qCWarning(lcControls) << "Null parent found when processing WLabel";
        return QString();
    }
    if (!control->node() || control->node()->label().isEmpty()) {
        qCWarning(lcControls) << "No parent lebel for WLabel";
        return QString();
    }
    const QString label = control->node()->label();
    // A room's name shows only the part after the room-combining group's name.
    const QStringList parts = label.split(QLatin1Char('-'));
    if (control->name() == QLatin1String("Room Name") && parts.size() == 2)
        return QLatin1Char('[') + parts.at(1);
    return label;
}

void WLabel::showText()
{
    const QString tag = faceTag(m_face);
    setItemProperty("textFormat", QStringLiteral("RichText"));
    setText(withoutForeignResources(tag.isEmpty()
                                        ? m_text
                                        : QLatin1Char('<') + tag + QLatin1Char('>') + m_text +
                                              QLatin1String("</") + tag + QLatin1Char('>')));
}

void WLabel::setTitle(const QString &text)
{
    m_text = text;
    m_storedText = text;
    showText();
}

void WLabel::properties()
{
    showProperties();
}

void WLabel::redraw(QQuickItem *parent)
{
    if (auto *item = qobject_cast<QQuickItem *>(quickItem()); item && parent)
        item->setParentItem(parent);
    showText();
}

bool WLabel::save(XmlWriter &writer)
{
    if (!saveStart(writer))
        return false;
    writer.writeText(QStringLiteral("text"), storedText());
    writer.writeText(QStringLiteral("align"),
                     alignmentName(itemProperty("horizontalAlignment").toInt()));
    writer.writeText(QStringLiteral("face"), m_face);
    writer.writeText(QStringLiteral("color"), itemColorName("textColor"));
    writer.writeDouble(QStringLiteral("rotation"), itemProperty("rotation").toDouble());
    // Always with a decimal part, as the design tool writes it.
    const double scale = itemProperty("textScale").toDouble();
    QString scaleText = QString::number(scale, 'g', QLocale::FloatingPointShortest);
    if (!scaleText.contains(QLatin1Char('.')))
        scaleText += QLatin1String(".0");
    writer.writeText(QStringLiteral("scale"), scaleText);
    writer.writeBool(QStringLiteral("edit"), itemProperty("enableEdit").toBool());
    writer.writeBool(QStringLiteral("select"), itemProperty("selEnable").toBool());
    writer.writeBool(QStringLiteral("autosize"), itemProperty("autoSize").toBool());
    writer.writeEndElement();
    return true;
}
