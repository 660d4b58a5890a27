#include "panelmap.h"

#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>

#include <cmath>

namespace {

// The rows' shares of the canvas height, as the tool bar and status bar documents declare them.
constexpr double ToolBarShare = 0.085;
constexpr double StatusBarShare = 0.08;

QString key(const QString &panel, const QString &control)
{
    return panel + QLatin1Char('\n') + control;
}

} // namespace

bool PanelMap::load(const QString &panelFile, QString *error)
{
    QFile file(panelFile);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    QString panel;
    QString control;
    QStringList path; // below the control
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QString name = xml.name().toString();
            const QString attribute = xml.attributes().value(QLatin1String("name")).toString();
            if (name == QLatin1String("Panel")) {
                panel = attribute;
            } else if (name == QLatin1String("Control")) {
                control = attribute;
                path.clear();
            } else if (!control.isEmpty()) {
                // Property elements are named by their attribute: "widget", "attributes".
                path << (name == QLatin1String("Property") ? attribute : name);
            }
        } else if (token == QXmlStreamReader::Characters && !control.isEmpty() &&
                   !xml.isWhitespace()) {
            m_fields[key(panel, control)][path.join(QLatin1Char('/'))] = xml.text().toString();
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.name() == QLatin1String("Control"))
                control.clear();
            else if (!control.isEmpty() && !path.isEmpty())
                path.removeLast();
        }
    }
    if (xml.hasError()) {
        *error = xml.errorString();
        return false;
    }
    // Every panel of a project has the same size: its Bounds control.
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it) {
        if (it.key().endsWith(QLatin1String("\nBounds"))) {
            const QRect bounds(it->value(QStringLiteral("widget/bounds/x")).toInt(),
                               it->value(QStringLiteral("widget/bounds/y")).toInt(),
                               it->value(QStringLiteral("widget/bounds/width")).toInt(),
                               it->value(QStringLiteral("widget/bounds/height")).toInt());
            // The panel's height counts its top margin twice, once under it.
            m_panelSize = QSize(bounds.width() + 2 * bounds.x(), bounds.height() + 2 * bounds.y());
            break;
        }
    }
    if (m_panelSize.isEmpty()) {
        *error = QStringLiteral("no panel has a Bounds control");
        return false;
    }
    return true;
}

void PanelMap::setWindow(const QRect &window)
{
    m_window = window;
    m_scale = double(controlArea().height()) / m_panelSize.height();
}

QString PanelMap::field(const QString &panel, const QString &control, const QString &path) const
{
    return m_fields.value(key(panel, control)).value(path);
}

QRect PanelMap::partRect(const QString &panel, const QString &control, const QString &part) const
{
    const auto number = [&](const char *name) {
        return field(panel, control, part + QLatin1Char('/') + QLatin1String(name)).toInt();
    };
    return QRect(number("x"), number("y"), number("width"), number("height"));
}

QRect PanelMap::screenRect(const QString &panel, const QString &control, const QString &part) const
{
    return toScreen(partRect(panel, control, part));
}

QRect PanelMap::toScreen(const QRectF &panelRect) const
{
    const QRect area = controlArea();
    const double left = area.x() + (area.width() - m_panelSize.width() * m_scale) / 2;
    return QRect(int(std::lround(left + panelRect.x() * m_scale)),
                 int(std::lround(area.y() + panelRect.y() * m_scale)),
                 int(std::lround(panelRect.width() * m_scale)),
                 int(std::lround(panelRect.height() * m_scale)));
}

QRect PanelMap::controlArea() const
{
    const QRect all = canvas();
    return QRect(all.x(), all.y() + toolBarHeight(), all.width(),
                 all.height() - toolBarHeight() - statusBarHeight());
}

QPoint PanelMap::nextArrow() const
{
    const QRect all = canvas();
    const int bar = statusBarHeight();
    return QPoint(all.right() - bar / 2, all.bottom() - bar / 2);
}

int PanelMap::statusBarHeight() const
{
    return int(canvas().height() * StatusBarShare);
}

int PanelMap::toolBarHeight() const
{
    return int(canvas().height() * ToolBarShare);
}
