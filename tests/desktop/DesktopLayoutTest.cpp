// Where the desktop windows' controls are, in twips, with their texts,
// fonts, colours and focus order.

#include <QApplication>
#include <QMenuBar>
#include <initializer_list>

#include "DesktopTest.h"
#include "gui/WindowMetrics.h"

namespace tarnwell::gui::testing {

namespace {

bool IsWindowFont(const QFont& f, double points, bool bold) {
    return QStringList({"Arial", "Liberation Sans", "Arimo"}).contains(f.family()) && f.pointSizeF() == points &&
           f.bold() == bold;
}

QColor TextColour(const QWidget& w) { return w.palette().color(QPalette::WindowText); }

struct Control { const char* name; TwipsRect place; const char* text; bool heading = false; };

// Every control within one pixel of its place in twips, at the window's
// resolution, with its text (none for a list); labels in the label font (bold
// for headings), the other controls in `otherPoints` when given.
void ExpectControls(const QWidget& window, std::optional<double> otherPoints, std::initializer_list<Control> controls) {
    const double pixelsPerTwip = LogicalDpi(window) / TwipsPerInch;
    for (const Control& c : controls) {
        const QWidget& w = Child<QWidget>(window, c.name);
        const QRect g = w.geometry();
        const int pixels[] = {g.left(), g.top(), g.width(), g.height()};
        const int twips[] = {c.place.left, c.place.top, c.place.width, c.place.height};
        for (int i = 0; i < 4; ++i) QVERIFY2(std::abs(pixels[i] - twips[i] * pixelsPerTwip) <= 1.0, c.name);
        QCOMPARE(w.property("text").toString(), QString::fromLatin1(c.text));
        const bool label = qobject_cast<const QLabel*>(&w) != nullptr;
        if (label || otherPoints) QVERIFY2(IsWindowFont(w.font(), label ? 8.25 : *otherPoints, c.heading), c.name);
    }
}

// The widgets Tab visits from `first`, `count` of them (hidden and disabled ones are passed by).
QStringList FocusChain(QWidget* first, int count) {
    QStringList names;
    for (QWidget* w = first; names.size() < count; w = w->nextInFocusChain())
        if (w->focusPolicy() != Qt::NoFocus && w->isEnabled() && w->isVisible()) names << w->objectName();
    return names;
}

}  // namespace

void DesktopTest::windowsShowEveryControlAsLaidOut() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("Tarnwell"));
    // The offscreen screen has 96 dots per inch: 15 twips to the pixel. At 144,
    // edges are rounded alike so that neighbours keep their gaps.
    QCOMPARE(LogicalDpi(*window_), 96.0);
    // The form keeps its client size inside the main window, which adds the
    // menu bar above and the status bar below it.
    QCOMPARE(Form().size(), QSize(312, 423));
    QVERIFY(window_->width() >= 312 && window_->height() > 423);
    QCOMPARE(Form().mapTo(window_.get(), QPoint(0, 0)).y(), window_->menuBar()->height());
    QCOMPARE(TwipsToPixels(TwipsRect{713, 5790, 3255, 390}, 144.0), QRect(71, 579, 326, 39));
    ExpectControls(Form(), 9.75,
                   {{"Label1", {135, 135, 4410, 255}, "Status", true},
                    {"statusLABEL", {135, 390, 4410, 255}, ""},
                    {"Label2", {135, 960, 4410, 255}, "Airline IATA Code - USE A 3 LETTER IDENTIFIER", true},
                    {"airlineIATA", {135, 1215, 645, 360}, "TWL"},
                    {"Label3", {135, 1635, 4410, 255}, "Airline Name", true},
                    {"airlineNAME", {135, 1890, 3825, 360}, "Tarnwell Air"},
                    {"Label4", {135, 2310, 4410, 255}, "Final Data Directory (Route Set Name in Kestrune)", true},
                    {"setName", {135, 2565, 3825, 360}, "Tarnwell Air (Leeds)"},
                    {"Label5", {773, 3195, 3135, 390},
                     "Step 1 is OPTIONAL, use it to add up to 10 real world airline schedules to your list."},
                    {"Command3", {713, 3660, 3255, 390}, "1.  Add Real World Airlines to List"},
                    {"Label6", {773, 4305, 3135, 390},
                     "Step 2 is OPTIONAL, use it to get the real world airline data you added to your list."},
                    {"Command2", {713, 4815, 3255, 390}, "2.  Get Real World Airline Data"},
                    {"Label7", {773, 5355, 3135, 390},
                     "Step 3 is the only required step.  When ready select your krx file and compile."},
                    {"Command1", {713, 5790, 3255, 390}, "3.  Compile Schedule"}});
    // The note's text is drawn whole in its two lines.
    const QLabel& note = Child<QLabel>(*window_, "Label6");
    QVERIFY(note.heightForWidth(note.width()) <= note.height());

    const std::pair<const char*, QColor> colours[] = {
        {"statusLABEL", QColor(255, 0, 0)}, {"Label5", Qt::blue}, {"Label6", Qt::blue}, {"Label7", QColor(0, 128, 0)}};
    for (const auto& [name, colour] : colours) QCOMPARE(TextColour(Child<QLabel>(*window_, name)), colour);

    // "3.  Compile Schedule" holds the focus when the window opens; Tab goes
    // on from there (Cancel, disabled, and the hidden log are passed by).
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    QCOMPARE(QApplication::focusWidget(), &Button("Command1"));
    QCOMPARE(FocusChain(&Button("Command1"), 7),
             QStringList({"Command1", "airlineIATA", "airlineNAME", "setName", "Command2", "Command3", "Command1"}));

    AirlineFormWindow& picker = OpenPicker();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QCOMPARE(picker.windowTitle(), QStringLiteral("Add Real World Airilne"));
    QVERIFY(picker.parentWidget() == nullptr && picker.isWindow());
    QCOMPARE(picker.size(), TwipsToPixels(8535, 4200, LogicalDpi(picker)));
    // The picker keeps the application's font but for its headings.
    ExpectControls(picker, std::nullopt,
                   {{"Label1", {105, 75, 2745, 195}, "Real World Airilnes", true},
                    {"realLIST", {105, 300, 3720, 3180}, ""},
                    {"Label2", {4710, 75, 2745, 195}, "Airlines to Add to VA Schedule", true},
                    {"addedLIST", {4710, 300, 3720, 3180}, ""},
                    {"AddAirline", {3997, 1155, 540, 390}, ">"},
                    {"RemoveAirline", {3997, 2265, 540, 390}, "<"},
                    {"Command3", {3090, 3645, 2445, 435}, "Finished"}});
    for (const char* heading : {"Label1", "Label2"})
        QCOMPARE(TextColour(Child<QLabel>(picker, heading)), QColor(0x40, 0x40, 0x40));
    QCOMPARE(FocusChain(&picker.RealList(), 6),
             QStringList({"realLIST", "addedLIST", "AddAirline", "RemoveAirline", "Command3", "realLIST"}));
}

}  // namespace tarnwell::gui::testing
