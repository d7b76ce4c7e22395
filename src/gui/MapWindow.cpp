#include "gui/MapWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>
#include <vector>

#include "gui/MapViewWidget.h"
#include "map/MapScene.h"

namespace tarnwell::gui {

MapWindow::MapWindow(const std::filesystem::path& programFolder, const std::string& setName, QWidget* parent)
    : QWidget(parent, Qt::Window), programFolder_(programFolder), setName_(setName) {
    setWindowTitle(QStringLiteral("Map - ") + QString::fromStdString(setName));
    resize(1100, 760);
    auto* layout = new QVBoxLayout(this);

    MapScene scene;
    try {
        scene = LoadMapScene(programFolder, setName);
    } catch (const std::exception& e) {
        failure_ = QString::fromUtf8(e.what());
        auto* reason = new QLabel(QStringLiteral("The route set cannot be shown:\n") + failure_, this);
        reason->setObjectName(QStringLiteral("mapFailure"));
        reason->setWordWrap(true);
        reason->setAlignment(Qt::AlignCenter);
        layout->addWidget(reason);
        return;
    }

    auto* row = new QHBoxLayout;
    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(QStringLiteral("City pairs with a flight plan:"), this));
    cityPairs_ = new QListWidget(this);
    cityPairs_->setObjectName(QStringLiteral("cityPairList"));
    cityPairs_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (const MapCityPair& pair : scene.cityPairs) {
        const MapAirport& from = scene.airports[pair.originAirport];
        const MapAirport& to = scene.airports[pair.destinationAirport];
        auto* item = new QListWidgetItem(QString::fromStdString(pair.Key()), cityPairs_);
        item->setToolTip(QString::fromStdString(from.name + " - " + to.name));
    }
    cityPairs_->setFixedWidth(170);
    side->addWidget(cityPairs_, 1);
    auto* fit = new QPushButton(QStringLiteral("Fit"), this);
    fit->setObjectName(QStringLiteral("fitButton"));
    side->addWidget(fit);
    row->addLayout(side);
    map_ = new MapViewWidget(this);
    map_->setObjectName(QStringLiteral("mapView"));
    row->addWidget(map_, 1);
    layout->addLayout(row, 1);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("mapStatus"));
    layout->addWidget(status_);
    map_->SetScene(std::move(scene), true);

    connect(fit, &QPushButton::clicked, map_, &MapViewWidget::Fit);
    connect(cityPairs_, &QListWidget::itemSelectionChanged, this, &MapWindow::ShowChosenPlans);
    UpdateStatus();
}

QString MapWindow::StatusText() const { return status_ ? status_->text() : failure_; }

void MapWindow::ShowChosenPlans() {
    std::vector<std::string> chosen;
    for (int row = 0; row < cityPairs_->count(); ++row)
        if (cityPairs_->item(row)->isSelected()) chosen.push_back(cityPairs_->item(row)->text().toStdString());
    try {
        map_->SetScene(LoadMapScene(programFolder_, setName_, chosen), false);
        UpdateStatus();
    } catch (const std::exception& e) {
        status_->setText(QStringLiteral("The plans cannot be shown: ") + QString::fromUtf8(e.what()));
    }
}

void MapWindow::UpdateStatus() {
    const MapScene& scene = map_->Scene();
    QString text = QStringLiteral("%1 airports, %2 routes, %3 city pairs with a plan.")
                       .arg(scene.airports.size())
                       .arg(scene.routes.size())
                       .arg(scene.cityPairs.size());
    for (const MapPlan& plan : scene.plans)
        text += QStringLiteral("  %1: %2 %3.")
                    .arg(QString::fromStdString(plan.pair.Key()))
                    .arg(plan.points.size())
                    .arg(plan.points.size() == 1 ? QStringLiteral("point") : QStringLiteral("points"));
    text += QStringLiteral("  Wheel: zoom; drag: move.");
    status_->setText(text);
}

}  // namespace tarnwell::gui
