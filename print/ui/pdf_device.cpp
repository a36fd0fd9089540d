#include "print/ui/pdf_device.h"

#include "print/ui/painter_device.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include <clocale>

namespace r7t {

namespace {

// Qt's start-up notes (no runtime folder, and so on) are noise on a command
// line; only real errors are shown.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// Built before the painter device that draws on the writer.
struct PdfOutput {
    PdfOutput(const std::string& path, PdfPaper paper) : file(QString::fromStdString(path)), writer(&file)
    {
        writer.setResolution(kPdfResolution);
        writer.setPageSize(QPageSize(paper == PdfPaper::Letter ? QPageSize::Letter : QPageSize::A4));
        writer.setPageMargins(QMarginsF(kPdfMarginMillimetres, kPdfMarginMillimetres, kPdfMarginMillimetres,
                                        kPdfMarginMillimetres),
                              QPageLayout::Millimeter);
        writer.setCreator(QStringLiteral("r7t"));
    }
    QSaveFile file;
    QPdfWriter writer;
};

class PdfDevice : private PdfOutput, public PainterDevice {
public:
    PdfDevice(const std::string& path, PdfPaper paper) : PdfOutput(path, paper), PainterDevice(writer) {}

    int startDoc(const std::string& documentName) override
    {
        writer.setTitle(QString::fromStdString(documentName));
        return 1;
    }

protected:
    bool openOutput() override { return file.open(QIODevice::WriteOnly); }
    bool commitOutput() override { return file.commit(); }
    void discardOutput() override
    {
        if (file.isOpen())
            file.cancelWriting();
    }
};

} // namespace

PrintApplication::PrintApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    static int argc = 1;
    static char name[] = "r7t";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QGuiApplication>(argc, argv);
    // The application took the user's number format; r7t writes points.
    std::setlocale(LC_NUMERIC, "C");
}

PrintApplication::~PrintApplication()
{
    if (!application_)
        return;
    application_.reset();
    qInstallMessageHandler(nullptr);
}

std::unique_ptr<PrintDevice> makePdfDevice(const std::string& path, PdfPaper paper)
{
    return std::make_unique<PdfDevice>(path, paper);
}

} // namespace r7t
