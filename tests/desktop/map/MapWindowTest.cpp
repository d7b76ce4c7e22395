// The map window on Qt's offscreen platform, opened on the sample's compiled
// route set (the golden run's files): one mark per airport, zoom and pan,
// the plans of the chosen city pairs, and a screenshot for the README.

#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "TestSupport.h"
#include "gui/MapViewWidget.h"
#include "gui/MapWindow.h"

namespace fs = std::filesystem;
using tarnwell::gui::MapViewWidget;
using tarnwell::gui::MapWindow;

namespace {

const char* const SetName = "Tarnwell Air (Leeds)";

void Select(QListWidget& list, const QString& text) {
    const auto items = list.findItems(text, Qt::MatchExactly);
    QVERIFY(items.size() == 1);
    items.front()->setSelected(true);
    list.scrollToItem(items.front());
}

}  // namespace

class MapWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<tarnwell::testing::TempProgramFolder> folder_;

    // Draws the map at once and gives what it drew.
    static MapViewWidget::DrawCounts Drawn(MapViewWidget& map) {
        map.repaint();
        return map.LastDrawn();
    }

private slots:
    void init() {
        folder_ = std::make_unique<tarnwell::testing::TempProgramFolder>();
        tarnwell::testing::CopyGoldenSample(*folder_, SetName);
    }
    void cleanup() { folder_.reset(); }

    void opensWithOneMarkPerAirportAndZoomsAndPans() {
        MapWindow window(folder_->Root(), SetName);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Map - Tarnwell Air (Leeds)"));
        QVERIFY(window.Failure().isEmpty());
        MapViewWidget& map = *window.Map();
        const auto airports = static_cast<int>(fs::file_size(folder_->Data() / SetName / "index.kr1") / 107);
        QCOMPARE(Drawn(map).airports, airports);
        QCOMPARE(window.CityPairs()->count(), 376);

        const double scale = map.View().Scale();
        QTest::mouseMove(&map, QPoint(100, 100));
        QWheelEvent wheel(QPointF(100, 100), map.mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, 720), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&map, &wheel);
        QVERIFY(std::abs(map.View().Scale() - scale * std::pow(1.25, 6)) < 1e-9);
        QVERIFY(Drawn(map).airports < airports);  // zoomed in, some are outside

        const tarnwell::GeoPoint centre = map.View().Centre();
        QTest::mousePress(&map, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
        QTest::mouseMove(&map, QPoint(260, 230));
        QTest::mouseRelease(&map, Qt::LeftButton, Qt::NoModifier, QPoint(260, 230));
        QVERIFY(map.View().Centre().lon < centre.lon);  // dragged right: the view looks further west
        QVERIFY(map.View().Centre().lat > centre.lat);

        window.findChild<QPushButton*>(QStringLiteral("fitButton"))->click();
        QVERIFY(std::abs(map.View().Scale() - scale) < 1e-9);
        QCOMPARE(Drawn(map).airports, airports);
    }

    void choosingTwoCityPairsDrawsTheirPlansAndSavesAScreenshot() {
        MapWindow window(folder_->Root(), SetName);
        window.resize(1200, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        MapViewWidget& map = *window.Map();
        QCOMPARE(Drawn(map).planPoints, 0);
        Select(*window.CityPairs(), QStringLiteral("LBA-AMS"));
        Select(*window.CityPairs(), QStringLiteral("LBA-DUB"));
        QCOMPARE(map.Scene().plans.size(), std::size_t{2});
        const auto drawn = Drawn(map);
        QCOMPARE(drawn.planPoints, 14 + 1);
        QVERIFY(drawn.planLines >= 14 + 1 + 2);
        QVERIFY(window.StatusText().contains(QStringLiteral("LBA-AMS: 14 points.  LBA-DUB: 1 point.")));

        // Nearer, around Leeds, for the picture.
        const auto& leeds = map.Scene().airports[map.Scene().plans[0].pair.originAirport];
        const tarnwell::ScreenPoint at = map.View().ToScreen(leeds.position);
        map.Zoom(2.5, QPointF(at.x, at.y));
        map.Pan(map.width() / 2.0 - at.x, map.height() / 2.0 - at.y);
        fs::create_directories(TARNWELL_SCREENSHOT_DIR);
        QVERIFY(window.grab().save(QString::fromLatin1(TARNWELL_SCREENSHOT_DIR) + QStringLiteral("/map.png")));
    }

    void aRouteSetThatCannotBeReadShowsWhy() {
        MapWindow window(folder_->Root(), "No Such Set");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.Map() == nullptr);
        QVERIFY(window.Failure().contains(QStringLiteral("no route set folder")));
    }
};

QTEST_MAIN(MapWindowTest)
#include "MapWindowTest.moc"
