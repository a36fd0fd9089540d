// "RANGEFEUILLES" of the inspection program: the pilot numbers whose
// inspection sheets are printed, from 1 to the highest number created.
#pragma once

#include "inspection/glider_entry.h"

#include <QDialog>

#include <optional>

class QLineEdit;

namespace r7t::ui {

class SheetRangeDialog : public QDialog {
    Q_OBJECT
public:
    SheetRangeDialog(int highestNumber, QWidget* parent = nullptr);

    SheetRange range() const;

private:
    QLineEdit* from_;
    QLineEdit* to_;
};

// The range, or nothing after "Abandon".
std::optional<SheetRange> runSheetRangeDialog(int highestNumber, QWidget* owner);

} // namespace r7t::ui
