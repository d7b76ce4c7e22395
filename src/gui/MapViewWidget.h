#pragma once
// The map of a route set in a widget: painted through QtMapCanvas, zoomed
// by the mouse wheel around the cursor and moved by dragging.

#include <QPoint>
#include <QWidget>
#include <optional>

#include "map/MapScene.h"
#include "map/MapView.h"

namespace tarnwell::gui {

class MapViewWidget : public QWidget {
    Q_OBJECT

public:
    explicit MapViewWidget(QWidget* parent = nullptr);

    // Shows `scene`; with `fit`, fitted to it (else the view stays). Until
    // the map is zoomed or moved, it is fitted again whenever its size changes.
    void SetScene(MapScene scene, bool fit);
    const MapScene& Scene() const { return scene_; }
    const MapView& View() const { return view_; }
    void Fit();
    void Zoom(double factor, QPointF around);
    void Pan(double dx, double dy);

    // What the last paint drew: airport marks, plan point marks, plan legs
    // (airway and point-to-point pieces).
    struct DrawCounts {
        int airports = 0, planPoints = 0, planLines = 0;
    };
    DrawCounts LastDrawn() const { return drawn_; }

signals:
    void ViewChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    MapScene scene_;
    MapView view_;
    std::optional<QPointF> dragFrom_;
    DrawCounts drawn_;
    bool fitted_ = false;  // fitted and not moved since: a new size fits again
};

}  // namespace tarnwell::gui
