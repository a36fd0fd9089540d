// The inspection program's main window: the menu bar, the painted layout,
// the list of pilot numbers with two glider buttons beside each visible
// line (they follow the list's scrolling), "NOUVEAU" and "QUITTER", the
// popup of a pilot, and the commands.
#pragma once

#include "inspection/glider.h"
#include "print/ui/print_job.h"
#include "widgets/design_window.h"

#include <QAbstractButton>
#include <QWidget>

#include <map>
#include <utility>

class QListWidget;
class QMenu;

namespace r7t::ui {

class FileChooser;
class GliderButton;

// The commands of the main window (menu, buttons, popup).
namespace ctrlcmd {
inline constexpr int Glider1 = 5;
inline constexpr int Glider2 = 6;
inline constexpr int DeletePilot = 10;
inline constexpr int NewPilot = 100;
inline constexpr int Quit = 102;
inline constexpr int About = 103;
inline constexpr int PrintSheets = 104;
inline constexpr int Help = 116;
} // namespace ctrlcmd

// "NOUVEAU" and "QUITTER": a raised panel, the label centred in the medium
// font, blue.
class BoardButton : public QAbstractButton {
    Q_OBJECT
public:
    BoardButton(int id, const QString& label, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The client area, drawn at each paint from the 1024 x 768 design.
class InspectionBoard : public QWidget {
    Q_OBJECT
public:
    explicit InspectionBoard(const Inspection& inspection, QWidget* parent = nullptr);

    QListWidget* pilotList() const { return list_; }
    GliderButton* gliderButton(int pilot, int glider) const;
    BoardButton* commandButton(int id) const;

    // A line "%02i" in its sorted place and the pilot's two buttons.
    void addPilot(int number);
    void removePilot(int number);
    // The pilot of the selected line, or 0.
    int selectedPilot() const;
    // The buttons' states from the records.
    void refreshStates();
    // AfficheChild: the buttons of at most 14 lines from the list's top line,
    // beside them; every other button hidden.
    void layoutGliderButtons();
    void setFileTitle(const QString& title);

    static constexpr int kVisibleRows = 14;

Q_SIGNALS:
    void commandClicked(int id);
    void gliderChosen(int pilot, int glider);
    void pilotMenuRequested(int pilot, const QPoint& globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const Inspection& inspection_;
    QListWidget* list_;
    BoardButton* newButton_;
    BoardButton* quitButton_;
    std::map<int, std::pair<GliderButton*, GliderButton*>> buttons_;
    QString fileTitle_;
};

class InspectionWindow : public DesignWindow {
    Q_OBJECT
public:
    InspectionWindow(Inspection& inspection, QWidget* parent = nullptr);

    // Once a file is open: its lines, buttons and name.
    void startInspection();

    void runCommand(int id);
    // A glider button or the popup: SAISPLA, glider 2 only after glider 1.
    void chooseGlider(int pilot, int glider);

    InspectionBoard* board() const { return board_; }
    QMenu* pilotPopup() const { return popup_; }
    Inspection& inspection() { return inspection_; }

    const PrintRunner& printRunner() const { return printRunner_; }
    void setPrintRunner(PrintRunner runner) { printRunner_ = std::move(runner); }

Q_SIGNALS:
    // "&Quitter" went through: the program ends.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenuBar();
    void newPilot();
    void deletePilot(int pilot);
    void printSheets();
    void quit();
    void afterChange();

    Inspection& inspection_;
    InspectionBoard* board_;
    QMenu* popup_;
    PrintRunner printRunner_;
    bool ending_ = false;
};

} // namespace r7t::ui
