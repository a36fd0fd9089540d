#include "widgets/contest_window.h"

#include "text/strings.h"
#include "widgets/drawing_resources.h"
#include "widgets/message_dialog.h"

namespace r7t::ui {

namespace {

std::function<void()>& countersRedraw()
{
    static std::function<void()> redraw;
    return redraw;
}

} // namespace

SaveOutcome saveContest(QWidget* owner, Contest& contest)
{
    const SaveOutcome saved = MajFichier(contest);
    if (saved.status == SaveStatus::Failed)
        MessDlg(owner, tableText(saveFailedText(saved)), kModeAlert);
    return saved;
}

void redrawCounters()
{
    if (countersRedraw())
        countersRedraw()();
}

void setCountersRedraw(std::function<void()> redraw) { countersRedraw() = std::move(redraw); }

} // namespace r7t::ui
