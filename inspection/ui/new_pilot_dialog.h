// "NEWPILOT": the number of a new pilot, as given at registration, and an
// optional name. A number outside 1..99 is refused and typed again; a
// number already inspected closes the dialog.
#pragma once

#include "inspection/glider.h"

#include <QDialog>

#include <optional>
#include <string>

class QLineEdit;

namespace r7t::ui {

struct NewPilot {
    int32_t number = 0;
    std::string nameCp1252;
};

class NewPilotDialog : public QDialog {
    Q_OBJECT
public:
    explicit NewPilotDialog(const Inspection& inspection, QWidget* parent = nullptr);

    const NewPilot& chosen() const { return chosen_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void confirm();

    const Inspection& inspection_;
    QLineEdit* number_;
    QLineEdit* name_;
    NewPilot chosen_;
};

// The new pilot's number and name, or nothing.
std::optional<NewPilot> runNewPilotDialog(const Inspection& inspection, QWidget* owner);

} // namespace r7t::ui
