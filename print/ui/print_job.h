// The print job frame of both programs: the print dialog on a new printer
// (starting on the default printer), then the modeless printing dialog
// "Impression des inscrits" with its "Annuler" while the document is drawn,
// events being served between entries. One job runs at a time.
#pragma once

#include "print/print_engine.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>

namespace r7t::ui {

// PRINTDLG: "Impression en cours de " and the contest file's title (950);
// "Annuler" (2) sets the job's cancel flag and closes the dialog.
class PrintProgressDialog : public QDialog {
public:
    PrintProgressDialog(QWidget* owner, const QString& fileTitle, bool& userAbort);

    void reject() override; // Esc cancels the job as "Annuler" does
};

// A document drawn on the engine (the job frame has done the print dialog).
using PrintDocument = std::function<PrintOutcome(PrintEngine&)>;

// How a window runs a print job: the platform's frame below, or in tests a
// recording device.
using PrintRunner = std::function<void(QWidget* owner, const PrintDocument& document)>;

// Whether a job is running now.
bool printJobRunning();

// Runs the document on the device with the printing dialog shown. Nothing
// when a job is already running (refused without a message).
std::optional<PrintOutcome> runPrintJobOn(PrintDevice& device, QWidget* owner, const QString& fileTitle,
                                          const PrintDocument& document);

// The whole frame. Nothing when the print dialog is cancelled (nothing is
// printed, nothing said) or a job is already running. fileTitle: the
// contest file's name; the inspection program gives none.
std::optional<PrintOutcome> runPrintJob(QWidget* owner, const QString& fileTitle, const PrintDocument& document);

} // namespace r7t::ui
