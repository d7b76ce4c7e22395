#pragma once
// The map drawn with a QPainter, in the colours of map/MapStyle.h, counting
// what it draws (for the tests and for the window's status line).

#include <QPainter>
#include <array>

#include "map/MapCanvas.h"

namespace tarnwell::gui {

class QtMapCanvas : public MapCanvas {
public:
    // Fills the painter's `width` x `height` with the sea colour.
    QtMapCanvas(QPainter& painter, int width, int height);

    void Polyline(std::span<const ScreenPoint> points, LineStyle style) override;
    void Mark(ScreenPoint at, MarkStyle style) override;
    void Label(ScreenPoint at, std::string_view text, LabelStyle style) override;

    int Marks(MarkStyle style) const { return marks_[static_cast<std::size_t>(style)]; }
    int Lines(LineStyle style) const { return lines_[static_cast<std::size_t>(style)]; }

private:
    QPainter& painter_;
    std::array<int, 2> marks_{};
    std::array<int, 4> lines_{};
};

}  // namespace tarnwell::gui
