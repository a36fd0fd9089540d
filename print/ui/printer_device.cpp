#include "print/ui/printer_device.h"

#include <QFile>
#include <QPrinter>

namespace r7t {

PrinterDevice::PrinterDevice(QPrinter& printer) : PainterDevice(printer), printer_(printer) {}

int PrinterDevice::startDoc(const std::string& documentName)
{
    printer_.setDocName(QString::fromStdString(documentName));
    return 1;
}

void PrinterDevice::abandonActive() { printer_.abort(); }

// A PDF file cannot be aborted: the part written goes (a file the job
// never opened is left alone).
void PrinterDevice::discardOutput()
{
    if (pagesStarted() > 0 && printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty())
        QFile::remove(printer_.outputFileName());
}

} // namespace r7t
