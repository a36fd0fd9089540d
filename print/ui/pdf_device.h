// The PDF file device of r7t print: A4 (or US Letter) at 600 dpi, the same
// engine and layouts as on paper. The interface holds no Qt type, so the command line
// needs no Qt include.
#pragma once

#include "print/print_device.h"

#include <memory>
#include <string>

class QGuiApplication;

namespace r7t {

inline constexpr int kPdfResolution = 600;
// The border a laser printer cannot print on; the layouts start inside it.
inline constexpr double kPdfMarginMillimetres = 5.0;

enum class PdfPaper { A4, Letter };

// Drawing text needs a Qt GUI application. While one of these lives, one
// exists: when there was none, it makes one (on the offscreen platform
// unless QT_QPA_PLATFORM names another) and ends it with itself.
class PrintApplication {
public:
    PrintApplication();
    ~PrintApplication();
    PrintApplication(const PrintApplication&) = delete;
    PrintApplication& operator=(const PrintApplication&) = delete;

private:
    std::unique_ptr<QGuiApplication> application_;
};

// A device writing the PDF file at path (a Qt GUI application must exist). The file is written beside it
// under a temporary name and renamed over path when the document ends;
// nothing is written when the document is abandoned or has no page.
std::unique_ptr<PrintDevice> makePdfDevice(const std::string& path, PdfPaper paper = PdfPaper::A4);

} // namespace r7t
