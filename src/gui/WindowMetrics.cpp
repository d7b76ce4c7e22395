#include "gui/WindowMetrics.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
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

void PlaceInTwips(QWidget& window, int clientWidth, int clientHeight, std::initializer_list<ControlPlace> controls) {
    const double dpi = LogicalDpi(window);
    window.setFixedSize(TwipsToPixels(clientWidth, clientHeight, dpi));
    for (const ControlPlace& c : controls) c.control->setGeometry(TwipsToPixels(c.place, dpi));
}

QLabel* MakeLabel(const char* text, const char* name, double points, bool bold, const QColor* colour,
                  QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(WindowFont(points, bold));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (colour) SetTextColour(*label, *colour);
    return label;
}

QPushButton* MakeButton(const char* text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace tarnwell::gui
