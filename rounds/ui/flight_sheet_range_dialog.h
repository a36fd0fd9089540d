// "RANGEFEUILLES": which competitor numbers get a flight sheet printed on
// the pre-printed forms.
#pragma once

#include "contest/contest.h"
#include "rounds/weighing.h"

#include <QDialog>

#include <optional>

class QLineEdit;

namespace r7t::ui {

// Fields 731 and 732 propose 1 and the number of registered competitors;
// "O.K." gives the range (a last number below the first becomes the
// first), "Abandon" and Esc give nothing.
class FlightSheetRangeDialog : public QDialog {
    Q_OBJECT
public:
    explicit FlightSheetRangeDialog(const Contest& contest, QWidget* parent = nullptr);

    FlightSheetRange range() const;

private:
    QLineEdit* from_;
    QLineEdit* to_;
};

// The range to print, or nothing after "Abandon".
std::optional<FlightSheetRange> runFlightSheetRangeDialog(const Contest& contest, QWidget* owner);

} // namespace r7t::ui
