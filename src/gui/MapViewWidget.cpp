#include "gui/MapViewWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "gui/QtMapCanvas.h"
#include "map/DrawMap.h"

namespace tarnwell::gui {

MapViewWidget::MapViewWidget(QWidget* parent) : QWidget(parent), view_(width(), height()) {
    setMinimumSize(320, 240);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::OpenHandCursor);
}

void MapViewWidget::SetScene(MapScene scene, bool fit) {
    scene_ = std::move(scene);
    if (fit) Fit();
    update();
}

void MapViewWidget::Fit() {
    view_.Resize(width(), height());
    view_.Fit(SceneExtent(scene_));
    fitted_ = true;
    update();
    emit ViewChanged();
}

void MapViewWidget::Zoom(double factor, QPointF around) {
    view_.Zoom(factor, {around.x(), around.y()});
    fitted_ = false;
    update();
    emit ViewChanged();
}

void MapViewWidget::Pan(double dx, double dy) {
    view_.Pan(dx, dy);
    fitted_ = false;
    update();
    emit ViewChanged();
}

void MapViewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QtMapCanvas canvas(painter, width(), height());
    DrawMap(scene_, view_, canvas);
    drawn_ = {canvas.Marks(MarkStyle::Airport), canvas.Marks(MarkStyle::PlanPoint),
              canvas.Lines(LineStyle::PlanAirway) + canvas.Lines(LineStyle::PlanDirect)};
}

void MapViewWidget::resizeEvent(QResizeEvent*) {
    // A fitted map is fitted anew; a moved one keeps its centre and scale.
    if (fitted_)
        Fit();
    else
        view_.Resize(width(), height());
}

void MapViewWidget::wheelEvent(QWheelEvent* event) {
    // One notch (120) zooms by a quarter.
    Zoom(std::pow(1.25, event->angleDelta().y() / 120.0), event->position());
    event->accept();
}

void MapViewWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragFrom_ = event->position();
    setCursor(Qt::ClosedHandCursor);
}

void MapViewWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!dragFrom_) return;
    const QPointF now = event->position();
    Pan(now.x() - dragFrom_->x(), now.y() - dragFrom_->y());
    dragFrom_ = now;
}

void MapViewWidget::mouseReleaseEvent(QMouseEvent*) {
    dragFrom_.reset();
    setCursor(Qt::OpenHandCursor);
}

}  // namespace tarnwell::gui
