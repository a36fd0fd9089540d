// "SAISPLA": one glider's measures and boxes, with a light per check
// repainted as each field is left or a box clicked; "Enregistrer",
// "N'existe pas" (both write the file at once), "Imprimer" (this pilot's
// sheet, from what is stored) and "Abandon".
#pragma once

#include "inspection/glider_entry.h"
#include "print/ui/print_job.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace r7t::ui {

class GliderDialog : public QDialog {
    Q_OBJECT
public:
    GliderDialog(Inspection& inspection, Glider& record, PrintRunner print, QWidget* parent = nullptr);

    // What the fields hold now, and the lights as last repainted.
    GliderForm typedForm() const;
    const GliderLights& lights() const { return lights_; }
    // The lights' area, in client pixels.
    QRect lightArea() const;

    void save();    // "Enregistrer"
    void absent();  // "N'existe pas"
    void printSheet(); // "Imprimer"

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshLights();

    Inspection& inspection_;
    Glider& record_;
    PrintRunner print_;
    QLineEdit* model_;
    QLineEdit* registration_;
    QLineEdit* mass_;
    QLineEdit* width_;
    QLineEdit* span_;
    QLineEdit* height_;
    QCheckBox* groundClearance_;
    QCheckBox* canopy_;
    GliderLights lights_;
    int shift_ = 0; // how far the lights and the right column moved right for wide labels
    int titleX_ = 400;
};

enum class GliderDialogEnd { Saved, Absent, Abandoned, Fault };

// SAISPLA for that glider over the owner. A record that does not exist is
// an inconsistency: the fault report ends the program.
GliderDialogEnd runGliderDialog(Inspection& inspection, int pilot, int glider, const PrintRunner& print,
                                QWidget* owner);

} // namespace r7t::ui
