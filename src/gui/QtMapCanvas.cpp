#include "gui/QtMapCanvas.h"

#include <QFont>
#include <QPainterPath>
#include <QPolygonF>

#include "map/MapStyle.h"

namespace tarnwell::gui {

namespace {

QColor ToQt(Rgb c) { return QColor(c.r, c.g, c.b); }

}  // namespace

QtMapCanvas::QtMapCanvas(QPainter& painter, int width, int height) : painter_(painter) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.fillRect(0, 0, width, height, ToQt(SeaColour));
    QFont font = painter_.font();
    font.setPixelSize(11);
    painter_.setFont(font);
}

void QtMapCanvas::Polyline(std::span<const ScreenPoint> points, LineStyle style) {
    const LineLook look = LookOf(style);
    QPen pen(ToQt(look.colour), look.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (look.dashed) pen.setDashPattern({DashOn / look.width, DashOff / look.width});
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    QPolygonF line;
    for (const ScreenPoint& p : points) line << QPointF(p.x, p.y);
    painter_.drawPolyline(line);
    ++lines_[static_cast<std::size_t>(style)];
}

void QtMapCanvas::Mark(ScreenPoint at, MarkStyle style) {
    const MarkLook look = LookOf(style);
    painter_.setPen(QPen(Qt::white, 1.0));
    painter_.setBrush(ToQt(look.fill));
    const QPointF centre(at.x, at.y);
    if (style == MarkStyle::Airport)
        painter_.drawEllipse(centre, look.radius, look.radius);
    else
        painter_.drawRect(QRectF(at.x - look.radius, at.y - look.radius, 2 * look.radius, 2 * look.radius));
    ++marks_[static_cast<std::size_t>(style)];
}

void QtMapCanvas::Label(ScreenPoint at, std::string_view text, LabelStyle style) {
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetricsF metrics(painter_.font());
    QPointF origin(at.x + 5, at.y - 4);
    if (style == LabelStyle::Airway) origin = QPointF(at.x - metrics.horizontalAdvance(shown) / 2, at.y + 4);
    QPainterPath path;
    path.addText(origin, painter_.font(), shown);
    painter_.setPen(QPen(ToQt(HaloColour), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPath(path);
    painter_.fillPath(path, ToQt(ColourOf(style)));
}

}  // namespace tarnwell::gui
