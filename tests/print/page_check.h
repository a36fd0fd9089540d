// The page check: every document of the longest contest (and the
// inspection sheet) printed to PDF, each text box read back with
// `pdftotext -bbox` (poppler), and held to three rules: no two boxes
// overlap, none leaves the printable area, none passes the right end of
// the rules.
#pragma once

#include "print/ui/pdf_device.h"

#include <optional>
#include <string>
#include <vector>

namespace r7t::page_check {

// One word of the PDF's text layer, in points from the page's top left.
struct TextBox {
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    std::string word; // UTF-8
};

struct PdfPage {
    double width = 0, height = 0; // points
    std::vector<TextBox> boxes;
};

// Whether pdftotext can be run.
bool pdftotextAvailable();

// The pages of the PDF with their text boxes; nothing when pdftotext could
// not read it.
std::optional<std::vector<PdfPage>> readTextBoxes(const std::string& pdf);

// Where texts may stand on a page, in points.
struct PageFrame {
    double margin = 0;     // the unprintable border on each side
    double rulesRight = 0; // the right end of the rules, from the page's left edge
};

// Font boxes run from the font's ascent to its descent, which is taller than
// the ink: boxes of two lines overlapping by less than this share of the
// lower box's height are two lines one above the other, not texts printed
// over each other. Horizontal overlaps are never allowed.
inline constexpr double kLineOverlapAllowance = 0.25;
// Rounding of the PDF's coordinates.
inline constexpr double kTolerance = 0.05;

// The faults of the pages, one line each ("page 3: ..."); empty when the
// pages pass.
std::vector<std::string> checkPages(const std::vector<PdfPage>& pages, const PageFrame& frame);

// One document printed and checked.
struct DocumentCheck {
    std::string name;  // "competitors", "ranking-final", ...
    std::string pdf;   // the file written
    int pages = 0;
    std::vector<std::string> faults; // empty when it passes
};

const char* paperName(PdfPaper paper); // "A4", "Letter"

// Prints every document of the longest contest, and the inspection sheet of
// the longest inspection file, to PDF files in folder (named
// <document>-<paper>.pdf) and checks them. A Qt GUI application must exist
// (PrintApplication). A document that cannot be read back has a fault.
std::vector<DocumentCheck> checkEveryDocument(const std::string& folder, PdfPaper paper);

} // namespace r7t::page_check
