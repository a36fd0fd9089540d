#include "print/ui/print_job.h"

#include "widgets/dialog_units.h"
#include "print/ui/printer_device.h"

#include <QApplication>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace r7t::ui {

namespace {

constexpr int kIdFileTitle = 950;
constexpr int kIdCancel = 2;

bool jobRunning = false;

class RunningJob {
public:
    RunningJob() { jobRunning = true; }
    ~RunningJob() { jobRunning = false; }
    RunningJob(const RunningJob&) = delete;
    RunningJob& operator=(const RunningJob&) = delete;
};

} // namespace

PrintProgressDialog::PrintProgressDialog(QWidget* owner, const QString& fileTitle, bool& userAbort)
    : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Impression des inscrits"));
    setFont(dialogFont(QStringLiteral("MS Sans Serif"), 8));
    setModal(false);
    const DialogUnits units(font());
    setFixedSize(units.size(186, 56));
    addStatic(this, -1, QStringLiteral("Impression en cours de "), units, 14, 10, 76, 13);
    addStatic(this, kIdFileTitle, fileTitle, units, 90, 10, 84, 13);
    QPushButton* cancel = addButton(this, kIdCancel, QStringLiteral("Annuler"), units, 68, 29, 50, 14);
    connect(cancel, &QPushButton::clicked, this, [this, &userAbort] {
        if (userAbort)
            return;
        userAbort = true;
        // The owner stays enabled throughout; the dialog goes at once.
        hide();
    });
}

void PrintProgressDialog::reject()
{
    if (QPushButton* cancel = control<QPushButton>(this, kIdCancel))
        cancel->click();
}

bool printJobRunning() { return jobRunning; }

std::optional<PrintOutcome> runPrintJobOn(PrintDevice& device, QWidget* owner, const QString& fileTitle,
                                          const PrintDocument& document)
{
    if (jobRunning)
        return std::nullopt;
    RunningJob running;
    PrintEngine engine(device);
    QPointer<PrintProgressDialog> dialog = new PrintProgressDialog(owner, fileTitle, engine.userAbort);
    dialog->show();
    engine.serveEvents = [] { QCoreApplication::processEvents(QEventLoop::AllEvents); };
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    const PrintOutcome outcome = document(engine);
    engine.serveEvents = nullptr;
    delete dialog.data();
    return outcome;
}

std::optional<PrintOutcome> runPrintJob(QWidget* owner, const QString& fileTitle, const PrintDocument& document)
{
    if (jobRunning)
        return std::nullopt;
    // A new printer each job: the dialog always opens on the default printer.
    const PrintDialogSetup setup = printDialogSetup();
    QPrinter printer(QPrinter::HighResolution);
    printer.setCopyCount(setup.copies);
    QPrintDialog dialog(&printer, owner);
    QAbstractPrintDialog::PrintDialogOptions options;
    options.setFlag(QAbstractPrintDialog::PrintToFile, setup.printToFile);
    options.setFlag(QAbstractPrintDialog::PrintPageRange, setup.pageRange);
    options.setFlag(QAbstractPrintDialog::PrintSelection, setup.selection);
    dialog.setOptions(options);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    PrinterDevice device(printer);
    return runPrintJobOn(device, owner, fileTitle, document);
}

} // namespace r7t::ui
