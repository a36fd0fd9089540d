// The help viewer: French HTML pages beside the program, opened at their
// contents or at a topic number. One window serves the whole program.
#pragma once

#include <QString>
#include <QWidget>

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

private:
    QString folder_;
    QTextBrowser* browser_;
};

// The help folder: "help" beside the program, unless replaced.
QString helpFolder();
void setHelpFolder(const QString& folder);

// The page of a topic: 0 is the contents.
QString helpPageName(int topic);

// Opens the help at its contents (topic 0) or at a topic; when the page
// cannot be shown, message 431 over the owner. Returns whether it showed.
bool openHelp(QWidget* owner, int topic = 0);
// Closes the help window (quitting the program).
void closeHelp();
// The help window when it is open, else null.
HelpWindow* helpWindow();

} // namespace r7t::ui
