#include "gui/AirlineFormWindow.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "common/AnsiText.h"
#include "gui/WindowMetrics.h"

namespace tarnwell::gui {

namespace {

constexpr int ClientWidth = 8535;
constexpr int ClientHeight = 4200;

void Fill(QListWidget& list, const std::vector<PickerEntry>& entries) {
    list.clear();
    for (const PickerEntry& entry : entries) {
        auto* item = new QListWidgetItem(QString::fromStdString(AnsiToUtf8(entry.text)), &list);
        item->setData(Qt::UserRole, entry.itemNumber);
    }
}

// The row the user has selected, if any.
std::optional<std::size_t> SelectedRow(const QListWidget& list) {
    const QListWidgetItem* item = list.currentItem();
    if (!item || !item->isSelected()) return std::nullopt;
    return static_cast<std::size_t>(list.row(item));
}

}  // namespace

AirlineFormWindow::AirlineFormWindow(AirlinePicker& picker)
    : QWidget(nullptr), picker_(picker), form_(picker.Show()) {
    setObjectName(QStringLiteral("AirlineForm"));
    setWindowTitle(QString::fromLatin1(AirlineFormCaption));
    setAttribute(Qt::WA_DeleteOnClose);

    label1_ = MakeLabel("Real World Airilnes", "Label1", LabelFontPoints, true, &HeadingColour, this);
    realLIST_ = new QListWidget(this);
    realLIST_->setObjectName(QStringLiteral("realLIST"));
    label2_ = MakeLabel("Airlines to Add to VA Schedule", "Label2", LabelFontPoints, true, &HeadingColour, this);
    addedLIST_ = new QListWidget(this);
    addedLIST_->setObjectName(QStringLiteral("addedLIST"));
    addAirline_ = MakeButton(">", "AddAirline", this);
    removeAirline_ = MakeButton("<", "RemoveAirline", this);
    command3_ = MakeButton("Finished", "Command3", this);
    for (QListWidget* list : {realLIST_, addedLIST_}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setUniformItemSizes(true);
    }

    setTabOrder(realLIST_, addedLIST_);
    setTabOrder(addedLIST_, addAirline_);
    setTabOrder(addAirline_, removeAirline_);
    setTabOrder(removeAirline_, command3_);

    connect(addAirline_, &QPushButton::clicked, this, &AirlineFormWindow::AddAirline);
    connect(removeAirline_, &QPushButton::clicked, this, &AirlineFormWindow::RemoveAirline);
    connect(command3_, &QPushButton::clicked, this, &AirlineFormWindow::Finish);

    // The left list is already in its sorted order; the list widget keeps it.
    Fill(*realLIST_, form_.RealList());
    ShowAddedList();
    PlaceControls();
    realLIST_->setFocus();
}

AirlineFormWindow::~AirlineFormWindow() { picker_.Close(); }

void AirlineFormWindow::showEvent(QShowEvent* event) {
    PlaceControls();  // the screen may differ from the one the window was made on
    QWidget::showEvent(event);
}

void AirlineFormWindow::PlaceControls() {
    // Positions in twips: left, top, width, height.
    PlaceInTwips(*this, ClientWidth, ClientHeight,
                 {{label1_, {105, 75, 2745, 195}},
                  {realLIST_, {105, 300, 3720, 3180}},
                  {label2_, {4710, 75, 2745, 195}},
                  {addedLIST_, {4710, 300, 3720, 3180}},
                  {addAirline_, {3997, 1155, 540, 390}},
                  {removeAirline_, {3997, 2265, 540, 390}},
                  {command3_, {3090, 3645, 2445, 435}}});
}

void AirlineFormWindow::AddAirline() {
    form_.AddAirline(SelectedRow(*realLIST_));
    ShowAddedList();
}

void AirlineFormWindow::RemoveAirline() {
    form_.RemoveAirline(SelectedRow(*addedLIST_));
    ShowAddedList();
}

void AirlineFormWindow::Finish() {
    picker_.Finish();
    hide();
}

void AirlineFormWindow::ShowAddedList() {
    // After a change nothing is selected on the right, so a second "<" does
    // not remove a neighbour by accident.
    Fill(*addedLIST_, form_.AddedList());
    addedLIST_->setCurrentRow(-1);
}

}  // namespace tarnwell::gui
