#include "shell/gui/WindowMetrics.h"

#include <QFontDatabase>
#include <QPalette>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace tarnwell::gui {

int TwipsToPixels(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / TwipsPerInch));
}

QRect TwipsToPixels(const TwipsRect& r, double dotsPerInch) {
    // Left and top edges and right and bottom edges are rounded alike, so
    // neighbouring controls keep their gaps.
    const int left = TwipsToPixels(r.left, dotsPerInch);
    const int top = TwipsToPixels(r.top, dotsPerInch);
    return QRect(left, top, TwipsToPixels(r.left + r.width, dotsPerInch) - left,
                 TwipsToPixels(r.top + r.height, dotsPerInch) - top);
}

QSize TwipsToPixels(int width, int height, double dotsPerInch) {
    return QSize(TwipsToPixels(width, dotsPerInch), TwipsToPixels(height, dotsPerInch));
}

double LogicalDpi(const QWidget& widget) {
    if (const QScreen* screen = widget.screen()) return screen->logicalDotsPerInchX();
    return widget.logicalDpiX();
}

QString WindowFontFamily() {
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* name : {"Arial", "Liberation Sans", "Arimo"})
            if (installed.contains(QString::fromLatin1(name), Qt::CaseInsensitive)) return QString::fromLatin1(name);
        return QStringLiteral("Arial");  // let the font system substitute
    }();
    return family;
}

QFont WindowFont(double pointSize, bool bold) {
    QFont font(WindowFontFamily());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void SetTextColour(QWidget& label, const QColor& colour) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

}  // namespace tarnwell::gui
