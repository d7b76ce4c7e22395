#pragma once
// The map window of a route set: its airports and routes over the
// coastlines, zoomed with the mouse wheel and moved by dragging, with a
// list of the city pairs that have a flight plan; the chosen ones' plans
// are drawn. A route set that cannot be read is shown as the reason.

#include <QWidget>
#include <filesystem>
#include <string>

class QLabel;
class QListWidget;
class QPushButton;

namespace tarnwell::gui {

class MapViewWidget;

class MapWindow : public QWidget {
    Q_OBJECT

public:
    MapWindow(const std::filesystem::path& programFolder, const std::string& setName, QWidget* parent = nullptr);

    // For the tests: the map (nullptr when the route set could not be read),
    // the city pair list, the status line and why the set could not be read.
    MapViewWidget* Map() const { return map_; }
    QListWidget* CityPairs() const { return cityPairs_; }
    QString StatusText() const;
    QString Failure() const { return failure_; }

private:
    void ShowChosenPlans();
    void UpdateStatus();

    std::filesystem::path programFolder_;
    std::string setName_;
    MapViewWidget* map_ = nullptr;
    QListWidget* cityPairs_ = nullptr;
    QLabel* status_ = nullptr;
    QString failure_;
};

}  // namespace tarnwell::gui
