// The help viewer: French HTML pages beside the program, opened at their
// contents or at a topic number. One window serves the whole program; it
// stays usable while a modal dialog runs (see Help in ARCHITECTURE.md).
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace r7t::ui {

// Message shown when a help page cannot be opened.
inline constexpr int kMessageHelpMissing = 431;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& folder);

    // Shows a page of the folder; false when the file is missing.
    bool showPage(const QString& fileName);
    QString currentPage() const;
    QTextBrowser* browser() const { return browser_; }
    QPushButton* closeButton() const { return closeButton_; }

    // Follows the open modal dialog: a dialog window of its own, transient
    // for it, so that the dialog neither blocks it nor covers it; a plain
    // window when no modal dialog is open.
    void followModal();
    // The modal dialog followed, or null.
    QWidget* followed() const { return followed_.data(); }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void scheduleFollow();

    QString folder_;
    QTextBrowser* browser_;
    QPushButton* closeButton_;
    QPointer<QWidget> followed_;
    bool followPending_ = false;
};

// The help folder: "help" beside the program, unless replaced.
QString helpFolder();
void setHelpFolder(const QString& folder);

// The page of a topic: 0 is the contents.
QString helpPageName(int topic);

// Opens the help at its contents (topic 0) or at a topic, above the open
// modal dialog if any; when the page cannot be shown, message 431 over the
// owner. Returns whether it showed.
bool openHelp(QWidget* owner, int topic = 0);

class DialogUnits;

// A dialog's "?" button opening its topic, with F1 doing the same; its
// accessible name says what the lone "?" does not.
QPushButton* addHelpButton(QWidget* dialog, int id, const DialogUnits& units, int x, int y, int width, int height,
                           int topic);
// Closes the help window (quitting the program).
void closeHelp();
// The help window when it is open, else null.
HelpWindow* helpWindow();

} // namespace r7t::ui
