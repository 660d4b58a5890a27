#include "iconpainter.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {
// Shapes are drawn in a unit square; the stroke width is a share of it.
constexpr qreal kStroke = 0.085;

const QColor kNeutral(0x6D, 0x6E, 0x71);
const QColor kAccentBlue(0x1D, 0x98, 0xD5);
const QColor kGreen(0x3D, 0xAE, 0x49);
const QColor kRed(0xE0, 0x3C, 0x31);
const QColor kYellow(0xF2, 0xC5, 0x00);
const QColor kOrange(0xF3, 0x8B, 0x1F);
const QColor kGrey(0xA8, 0xAA, 0xAD);

QPen strokePen(const QColor &colour, qreal width = kStroke)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void unitSquare(QPainter &p, const QSizeF &size)
{
    p.scale(size.width(), size.height());
}

void chevron(QPainter &p, const QColor &ink, qreal angle)
{
    p.translate(0.5, 0.5);
    p.rotate(angle);
    p.setPen(strokePen(ink, 0.1));
    p.drawPolyline(QPolygonF{{-0.1, -0.26}, {0.14, 0.0}, {-0.1, 0.26}});
}

void menuLines(QPainter &p, const QColor &ink)
{
    p.setPen(strokePen(ink, 0.08));
    for (qreal y : {0.3, 0.5, 0.7})
        p.drawLine(QPointF(0.22, y), QPointF(0.78, y));
}

// A lit or dull lamp: a radial body, a darker rim and a soft highlight.
void lamp(QPainter &p, const QColor &colour, bool lit)
{
    const QColor body = lit ? colour : colour.darker(260);
    QRadialGradient fill(QPointF(0.42, 0.38), 0.5);
    fill.setColorAt(0.0, lit ? body.lighter(135) : body.lighter(130));
    fill.setColorAt(1.0, lit ? body : body.darker(130));
    p.setPen(QPen(body.darker(lit ? 140 : 120), 0.04));
    p.setBrush(fill);
    p.drawEllipse(QPointF(0.5, 0.5), 0.38, 0.38);
    QRadialGradient shine(QPointF(0.42, 0.32), 0.22);
    shine.setColorAt(0.0, QColor(255, 255, 255, lit ? 170 : 60));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(QPointF(0.42, 0.34), 0.2, 0.14);
}

// The connection indicator: a flat dot inside a ring of the same colour.
void indicator(QPainter &p, const QColor &colour)
{
    p.setPen(QPen(colour, 0.06));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0.5, 0.5), 0.36, 0.36);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(0.5, 0.5), 0.22, 0.22);
}

QPainterPath speakerBody()
{
    QPainterPath path;
    path.moveTo(0.12, 0.39);
    path.lineTo(0.28, 0.39);
    path.lineTo(0.5, 0.2);
    path.lineTo(0.5, 0.8);
    path.lineTo(0.28, 0.61);
    path.lineTo(0.12, 0.61);
    path.closeSubpath();
    return path;
}

// Loudspeaker: with sound waves when live, with a cross when muted.
void speaker(QPainter &p, const QColor &ink, bool muted)
{
    p.setPen(strokePen(ink, 0.06));
    p.setBrush(ink);
    p.drawPath(speakerBody());
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(ink, 0.075));
    if (muted) {
        p.drawLine(QPointF(0.63, 0.38), QPointF(0.87, 0.62));
        p.drawLine(QPointF(0.87, 0.38), QPointF(0.63, 0.62));
        return;
    }
    for (qreal r : {0.14, 0.28})
        p.drawArc(QRectF(0.5 - r, 0.5 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
}

// Microphone of the dialer: slashed through when muted.
void microphone(QPainter &p, const QColor &ink, bool muted)
{
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(0.38, 0.12, 0.24, 0.44), 0.12, 0.12);
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(ink, 0.07));
    p.drawArc(QRectF(0.26, 0.22, 0.48, 0.46), 180 * 16, 180 * 16);
    p.drawLine(QPointF(0.5, 0.68), QPointF(0.5, 0.82));
    p.drawLine(QPointF(0.36, 0.84), QPointF(0.64, 0.84));
    if (muted) {
        p.setPen(strokePen(kRed, 0.08));
        p.drawLine(QPointF(0.2, 0.16), QPointF(0.8, 0.86));
    }
}

// Telephone receiver: a curved grip between two cups.
void handset(QPainter &p, const QColor &ink)
{
    p.translate(0.5, 0.56);
    p.setPen(strokePen(ink, 0.12));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-0.3, -0.24, 0.6, 0.48), 25 * 16, 130 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    for (int side : {-1, 1}) {
        p.save();
        p.translate(side * 0.3, -0.02);
        p.rotate(side * 30);
        p.drawRoundedRect(QRectF(-0.14, -0.06, 0.28, 0.19), 0.07, 0.07);
        p.restore();
    }
}

void bolt(QPainter &p, const QColor &ink)
{
    p.setPen(strokePen(ink, 0.04));
    p.setBrush(ink);
    p.drawPolygon(QPolygonF{
        {0.56, 0.1}, {0.26, 0.56}, {0.48, 0.56}, {0.42, 0.9}, {0.74, 0.42}, {0.52, 0.42}});
}

void pauseBars(QPainter &p, const QColor &ink)
{
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(0.28, 0.22, 0.14, 0.56), 0.05, 0.05);
    p.drawRoundedRect(QRectF(0.58, 0.22, 0.14, 0.56), 0.05, 0.05);
}

void backspace(QPainter &p, const QColor &ink)
{
    p.setPen(strokePen(ink, 0.07));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF{{0.1, 0.5}, {0.32, 0.24}, {0.88, 0.24}, {0.88, 0.76}, {0.32, 0.76}});
    p.drawLine(QPointF(0.47, 0.39), QPointF(0.69, 0.61));
    p.drawLine(QPointF(0.69, 0.39), QPointF(0.47, 0.61));
}

// Stacked cards: the scene collection.
void cards(QPainter &p, const QColor &ink)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(ink, 0.06));
    p.drawLine(QPointF(0.3, 0.18), QPointF(0.82, 0.18));
    p.drawLine(QPointF(0.82, 0.18), QPointF(0.82, 0.6));
    p.drawLine(QPointF(0.22, 0.28), QPointF(0.72, 0.28));
    p.drawLine(QPointF(0.72, 0.28), QPointF(0.72, 0.7));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(0.14, 0.38, 0.48, 0.46), 0.06, 0.06);
}

// A framed landscape: shown where a picture cannot be found.
void picture(QPainter &p, const QColor &ink)
{
    p.setPen(strokePen(ink, 0.06));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(0.12, 0.2, 0.76, 0.6), 0.06, 0.06);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(0.66, 0.38), 0.07, 0.07);
    p.drawPolygon(QPolygonF{{0.18, 0.74}, {0.4, 0.44}, {0.56, 0.64}, {0.64, 0.56}, {0.82, 0.74}});
}

void circularArrow(QPainter &p, const QColor &ink)
{
    p.setPen(strokePen(ink, 0.08));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(0.2, 0.2, 0.6, 0.6), 60 * 16, 290 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(QPolygonF{{0.52, 0.06}, {0.74, 0.22}, {0.5, 0.34}});
}

void checkAll(QPainter &p, const QColor &ink)
{
    p.setPen(strokePen(ink, 0.07));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(0.16, 0.16, 0.68, 0.68), 0.12, 0.12);
    p.setPen(strokePen(ink, 0.09));
    p.drawPolyline(QPolygonF{{0.32, 0.52}, {0.45, 0.65}, {0.7, 0.36}});
}

// One lit segment of an image meter.
void meterSegment(QPainter &p, const QSizeF &size, const QColor &colour)
{
    QLinearGradient fill(0, 0, size.width(), 0);
    fill.setColorAt(0.0, colour.darker(115));
    fill.setColorAt(0.45, colour.lighter(115));
    fill.setColorAt(1.0, colour.darker(115));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(QPointF(1, 1), size - QSizeF(2, 2)), 3, 3);
}

QFont wordmarkFont(qreal pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void text(QPainter &p, const QRectF &box, const QString &line, const QFont &font, const QColor &ink)
{
    p.setFont(font);
    p.setPen(ink);
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, line);
}

// The product mark: level bars in a rounded square beside the name.
void productLogo(QPainter &p, const QSizeF &size, const QColor &ink)
{
    const qreal h = size.height();
    p.setPen(Qt::NoPen);
    p.setBrush(kAccentBlue);
    p.drawRoundedRect(QRectF(0, 0, h, h), h * 0.2, h * 0.2);
    p.setBrush(Qt::white);
    const qreal bars[] = {0.45, 0.7, 0.95, 0.6};
    for (int i = 0; i < 4; ++i) {
        const qreal barHeight = h * 0.62 * bars[i];
        p.drawRoundedRect(QRectF(h * (0.2 + i * 0.16), h * 0.81 - barHeight, h * 0.1, barHeight),
                          h * 0.04, h * 0.04);
    }
    text(p, QRectF(h * 1.25, 0, size.width() - h * 1.25, h * 0.66), QStringLiteral("Veloxa"),
         wordmarkFont(h * 0.5, true), ink);
    text(p, QRectF(h * 1.27, h * 0.56, size.width() - h * 1.25, h * 0.4), QStringLiteral("REMOTE"),
         wordmarkFont(h * 0.24, false), kAccentBlue);
}

// The maker's mark: a ring around a dot, then the name.
void makerLogo(QPainter &p, const QSizeF &size, const QColor &ink)
{
    const qreal h = size.height();
    p.setPen(QPen(ink, h * 0.1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(h * 0.5, h * 0.5), h * 0.36, h * 0.36);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccentBlue);
    p.drawEllipse(QPointF(h * 0.5, h * 0.5), h * 0.14, h * 0.14);
    text(p, QRectF(h * 1.15, 0, size.width() - h * 1.15, h), QStringLiteral("ORVIK"),
         wordmarkFont(h * 0.55, true), ink);
}
} // namespace

IconPainter::IconPainter()
{
    addCommon();
    addSkin(QStringLiteral("Light"), QColor(0x4D, 0x4D, 0x4F), QColor(0x23, 0x1F, 0x20));
    addSkin(QStringLiteral("Dark"), QColor(0xD1, 0xD3, 0xD4), QColor(0xF3, 0xF3, 0xF3));
    const QList<QPair<QString, QColor>> accents{
        {QStringLiteral("Black"), QColor(0x23, 0x1F, 0x20)},
        {QStringLiteral("Blue"), kAccentBlue},
        {QStringLiteral("Green"), kGreen},
        {QStringLiteral("Pink"), QColor(0xE0, 0x56, 0x9B)},
        {QStringLiteral("Red"), kRed},
        {QStringLiteral("White"), QColor(0xFF, 0xFF, 0xFF)},
        {QStringLiteral("Yellow"), kYellow},
    };
    for (const auto &accent : accents)
        addAccent(accent.first, accent.second);
}

void IconPainter::add(const QString &path, QSize size,
                      std::function<void(QPainter &, const QSizeF &)> draw)
{
    m_icons.append(Icon{path, size, std::move(draw)});
}

void IconPainter::addCommon()
{
    const QSize icon(48, 48);
    auto square = [](auto shape) {
        return [shape](QPainter &p, const QSizeF &size) {
            unitSquare(p, size);
            shape(p);
        };
    };
    add(QStringLiteral("default.png"), icon, square([](QPainter &p) { picture(p, kGrey); }));
    add(QStringLiteral("Collections.png"), icon,
        square([](QPainter &p) { cards(p, kAccentBlue); }));
    add(QStringLiteral("flash.png"), icon, square([](QPainter &p) { bolt(p, kNeutral); }));
    add(QStringLiteral("hold.png"), icon, square([](QPainter &p) { pauseBars(p, kNeutral); }));
    add(QStringLiteral("phone.png"), icon, square([](QPainter &p) { handset(p, kGreen); }));
    add(QStringLiteral("ic_backspace.png"), icon,
        square([](QPainter &p) { backspace(p, kNeutral); }));
    add(QStringLiteral("mute_off.png"), icon,
        square([](QPainter &p) { microphone(p, kNeutral, false); }));
    add(QStringLiteral("mute_on.png"), icon,
        square([](QPainter &p) { microphone(p, kNeutral, true); }));

    const QSize led(32, 32);
    add(QStringLiteral("ledOffGreen.png"), led,
        square([](QPainter &p) { lamp(p, kGreen, false); }));
    add(QStringLiteral("ledOffRed.png"), led, square([](QPainter &p) { lamp(p, kRed, false); }));
    add(QStringLiteral("ledOn.png"), led, square([](QPainter &p) { lamp(p, kGreen, true); }));
    add(QStringLiteral("ledRed.png"), led, square([](QPainter &p) { lamp(p, kRed, true); }));

    const QSize segment(24, 12);
    const QList<QPair<QString, QColor>> meters{{QStringLiteral("meterGrey.png"), kGrey},
                                               {QStringLiteral("meterGreen.png"), kGreen},
                                               {QStringLiteral("meterYellow.png"), kYellow},
                                               {QStringLiteral("meterOrange.png"), kOrange}};
    for (const auto &meter : meters) {
        const QColor colour = meter.second;
        add(meter.first, segment,
            [colour](QPainter &p, const QSizeF &size) { meterSegment(p, size, colour); });
    }
}

void IconPainter::addSkin(const QString &skin, const QColor &ink, const QColor &text)
{
    const QString folder = QStringLiteral("skins/") + skin + QLatin1Char('/');
    const QSize icon(48, 48);
    auto square = [ink](auto shape) {
        return [ink, shape](QPainter &p, const QSizeF &size) {
            unitSquare(p, size);
            shape(p, ink);
        };
    };
    add(folder + QStringLiteral("arrow_left.png"), icon,
        square([](QPainter &p, const QColor &c) { chevron(p, c, 180); }));
    add(folder + QStringLiteral("arrow_right.png"), icon,
        square([](QPainter &p, const QColor &c) { chevron(p, c, 0); }));
    add(folder + QStringLiteral("menu.png"), icon, square(menuLines));
    add(folder + QStringLiteral("mute_off.png"), icon,
        square([](QPainter &p, const QColor &c) { speaker(p, c, false); }));
    add(folder + QStringLiteral("mute_on.png"), icon,
        square([](QPainter &p, const QColor &c) { speaker(p, c, true); }));
    add(folder + QStringLiteral("resetAll.png"), icon, square(circularArrow));
    add(folder + QStringLiteral("setAll.png"), icon, square(checkAll));

    const QList<QPair<QString, QColor>> indicators{{QStringLiteral("indicator_red.png"), kRed},
                                                   {QStringLiteral("indicator_ylw.png"), kYellow},
                                                   {QStringLiteral("indicator_grn.png"), kGreen}};
    for (const auto &entry : indicators) {
        const QColor colour = entry.second;
        add(folder + entry.first, icon, [colour](QPainter &p, const QSizeF &size) {
            unitSquare(p, size);
            indicator(p, colour);
        });
    }

    add(folder + QStringLiteral("logo_vxm.png"), QSize(200, 48),
        [text](QPainter &p, const QSizeF &size) { productLogo(p, size, text); });
    add(folder + QStringLiteral("logo_orvik.png"), QSize(160, 48),
        [text](QPainter &p, const QSizeF &size) { makerLogo(p, size, text); });
}

void IconPainter::addAccent(const QString &accent, const QColor &colour)
{
    const QString folder = QStringLiteral("skins/Accent/") + accent + QLatin1Char('/');
    const QSize icon(48, 48);
    add(folder + QStringLiteral("arrow_down.png"), icon, [colour](QPainter &p, const QSizeF &size) {
        unitSquare(p, size);
        chevron(p, colour, 90);
    });
    add(folder + QStringLiteral("mute_on.png"), icon, [colour](QPainter &p, const QSizeF &size) {
        unitSquare(p, size);
        speaker(p, colour, true);
    });
    add(folder + QStringLiteral("mute_off.png"), icon, [colour](QPainter &p, const QSizeF &size) {
        unitSquare(p, size);
        speaker(p, colour, false);
    });
}

QImage IconPainter::render(const Icon &icon, int scale)
{
    QImage image(icon.size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    icon.draw(painter, QSizeF(icon.size));
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}
