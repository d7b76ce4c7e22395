#pragma once
// How the windows are measured and dressed: positions in twips (1440 to the
// inch) turned into pixels at the screen's logical resolution, the window
// fonts, and the colours of the labels.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <initializer_list>

class QLabel;
class QPushButton;
class QWidget;

namespace tarnwell::gui {

inline constexpr double TwipsPerInch = 1440.0;

// A control's place in twips: left, top, width, height.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

// Twips to pixels at `dotsPerInch`, rounded to the nearest pixel.
int TwipsToPixels(int twips, double dotsPerInch);
QRect TwipsToPixels(const TwipsRect& r, double dotsPerInch);
QSize TwipsToPixels(int width, int height, double dotsPerInch);

// The logical resolution the widget is shown at.
double LogicalDpi(const QWidget& widget);

// The windows' typeface: Arial, or the metric-compatible Liberation Sans
// where Arial is not installed.
QString WindowFontFamily();
QFont WindowFont(double pointSize, bool bold = false);

inline constexpr double ButtonFontPoints = 9.75;  // the main window's font: buttons and text boxes
inline constexpr double LabelFontPoints = 8.25;   // labels and the picker's headings

inline const QColor StatusColour{0xFF, 0x00, 0x00};      // red
inline const QColor NoteColour{0x00, 0x00, 0xFF};        // blue
inline const QColor RequiredColour{0x00, 0x80, 0x00};    // dark green
inline const QColor HeadingColour{0x40, 0x40, 0x40};     // dark grey

// Sets the colour a label's text is drawn in.
void SetTextColour(QWidget& label, const QColor& colour);

struct ControlPlace {
    QWidget* control;
    TwipsRect place;
};

// Gives the window its fixed client size and each control its place, in
// twips at the window's current resolution.
void PlaceInTwips(QWidget& window, int clientWidth, int clientHeight, std::initializer_list<ControlPlace> controls);

// A label of the window font at `points`, its text at the top left;
// `colour` null keeps the palette's.
QLabel* MakeLabel(const char* text, const char* name, double points, bool bold, const QColor* colour,
                  QWidget* parent);
// A push button that Enter does not press unless it has the focus.
QPushButton* MakeButton(const char* text, const char* name, QWidget* parent);

}  // namespace tarnwell::gui
