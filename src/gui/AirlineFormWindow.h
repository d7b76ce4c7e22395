#pragma once
// The airline picker window: every real-world airline by name on the left,
// the chosen ones on the right, ">" and "<" between them and "Finished"
// below. The lists themselves are the picker's logic (AirlinePicker); this
// window shows them and turns clicks into its operations.

#include <QWidget>

#include "realworld/AirlinePicker.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace tarnwell::gui {

inline constexpr const char* AirlineFormCaption = "Add Real World Airilne";

class AirlineFormWindow : public QWidget {
    Q_OBJECT
public:
    // A top-level window without an owner. It loads its lists from `picker`,
    // which must outlive it; the close box destroys it and closes the picker.
    explicit AirlineFormWindow(AirlinePicker& picker);
    ~AirlineFormWindow() override;

    QListWidget& RealList() const { return *realLIST_; }
    QListWidget& AddedList() const { return *addedLIST_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void PlaceControls();
    void AddAirline();
    void RemoveAirline();
    void Finish();
    void ShowAddedList();

    AirlinePicker& picker_;
    AirlineForm& form_;
    QLabel* label1_;
    QListWidget* realLIST_;
    QLabel* label2_;
    QListWidget* addedLIST_;
    QPushButton* addAirline_;
    QPushButton* removeAirline_;
    QPushButton* command3_;
};

}  // namespace tarnwell::gui
