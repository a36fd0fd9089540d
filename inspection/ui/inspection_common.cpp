#include "inspection/ui/inspection_common.h"

#include "contest/atomic_file.h"
#include "string_table/formats.h"
#include "text/strings.h"
#include "widgets/drawing_resources.h"
#include "widgets/message_dialog.h"

#include <optional>

namespace r7t::ui {

namespace {

constexpr int kLockedByProgram = 440;
constexpr int kLockedByCommand = 441;
constexpr int kKeptInMemory = 443;
constexpr int kQuitAnyway = 444;

std::string failureHead(const Inspection& inspection, const InspectionSaveOutcome& saved)
{
    std::string text = formatText(kSaveFailed, inspection.filePath);
    if (!saved.error.empty())
        text += "\r(" + saved.error + ")";
    return text;
}

} // namespace

const QStringList& inspectionPictureNames()
{
    static const QStringList names{"IMAGE",      "ZARB",        "CREDITS",   "PIVOLES",   "QUESTION",
                                   "ALERTE",     "VIDE",        "PLANEUROK", "PLANEURBAD", "PLANEURVIDE",
                                   "FEUROUGE",   "FEUVERT",     "ALCYON",    "ICON_R7S"};
    return names;
}

void initInspectionResources(const ScreenScale& scale)
{
    initResources(scale);
    resources().versionText = QString::fromStdString(MajStr(37)) + kInspectionVersionNumber;
}

InspectionSaveOutcome saveInspection(QWidget* owner, const Inspection& inspection)
{
    const InspectionSaveOutcome saved = MajFichier(inspection);
    if (saved.status == InspectionSaveStatus::Failed)
        MessDlg(owner, tableText(failureHead(inspection, saved) + MajStr(kKeptInMemory)), kModeAlert);
    return saved;
}

QString quitUnsavedQuestion(const Inspection& inspection, const InspectionSaveOutcome& saved)
{
    return tableText(failureHead(inspection, saved) + MajStr(kQuitAnyway));
}

void installInspectionHandlers(Inspection& inspection)
{
    inspection.setAlertHandler([&inspection](int n) {
        QString text = messageText(n);
        if (n == kInspectionMessageIncompatible)
            if (const std::optional<std::string> cause = readFailureCause(inspection.filePath))
                text += QStringLiteral("\n(%1)").arg(QString::fromStdString(*cause));
        MessDlg(messageOwner(), text, kModeAlert);
    });
}

QString lockRefusal(LockHolder holder)
{
    return messageText(holder == LockHolder::Program ? kLockedByProgram : kLockedByCommand);
}

} // namespace r7t::ui
