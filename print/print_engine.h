// The print engine shared by every printed document: the job steps after
// the print dialog, the line printer with tab stops and styled columns, the
// rules and the page-break convention. Documents own their loops; the
// engine holds the state of the one job it runs.
#pragma once

#include "print/print_device.h"

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace r7t {

// Tab-stop sets, in column units before the left margin is added. On A4
// (the narrowest paper) the rules end at about 107 column units: the last
// columns of the rankings (Points D 85 -> 82, Total 103 -> 91), the round
// sheet's last "Visa" (105 -> 103) and the weighing sheet's masses (60 -> 55)
// stand where their texts end inside the rules.
using TabSet = std::span<const int>;
inline constexpr std::array<int, 6> kStartListTabs{0, 5, 14, 25, 50, 100};
inline constexpr std::array<int, 5> kPilotListTabs{0, 5, 14, 60, 80};
// TabListe with the registered masses' field at 55 (not 60): the weighing
// sheet's line " \t%02u \t %s \t Inscription : pla1 = _______ g      pla2 = _______ g".
inline constexpr std::array<int, 5> kWeighingTabs{0, 5, 14, 55, 80};
inline constexpr std::array<int, 10> kRankingTabs{0, 5, 14, 24, 34, 50, 67, 75, 82, 91};
inline constexpr std::array<int, 8> kRoundSheetTabs{0, 5, 14, 47, 62, 77, 90, 103};
inline constexpr std::array<int, 5> kCompetitorSheetTabs{0, 5, 40, 70, 100};

inline constexpr const char* kDocumentName = "Manifestation";
inline constexpr const char* kInspectionDocumentName = "CTRLR7T";
inline constexpr const char* kVersionTag = "V3"; // page heads
inline constexpr const char* kFontFace = "ARIAL";

inline constexpr int kLeftMargin = 10;     // column units
inline constexpr int kStyledColumn = 5;    // where field 1 of a styled line goes
inline constexpr int kFieldCapacity = 127; // bytes of one field of a line
inline constexpr int kWeightNormal = 400;
inline constexpr int kWeightBold = 700;

// Field 1 of a split line: drawn at its tab stop (0) or by a styled printer.
enum LineStyle { kStylePlain = 0, kStyleLarge = 1, kStyleSmall = 2, kStyleBold = 3 };

// Fixed positions of the layouts (flight sheets, the small font's offset)
// are units of a 300-dpi printer, scaled to the device.
inline constexpr int kLayoutDpi = 300;

// a * b / c rounded to the nearest, halves away from zero (the platform's
// multiply-divide); 0 when c is 0.
int mulDiv(int a, int b, int c);

// How the print dialog opens for every job (printDialogSetup): on a new printer,
// the system's default one (nothing of the last job is kept), without page
// range or selection, one copy. Printing to a file stays offered, so that
// the platform's "print to PDF" works as the printers do.
struct PrintDialogSetup {
    bool defaultPrinter = true;
    bool pageRange = false;
    bool selection = false;
    bool printToFile = true;
    int copies = 1;
};
PrintDialogSetup printDialogSetup();

enum class PrintOutcome {
    Printed,        // the document was ended with at least one page
    NothingPrinted, // no page was opened: nothing was output
    Cancelled,      // the user stopped the job: it was abandoned
    Failed,         // the device refused a step, or a record was missing
};

class PrintEngine {
public:
    explicit PrintEngine(PrintDevice& device);
    ~PrintEngine(); // gives the numeric locale back when endJob did not
    PrintEngine(const PrintEngine&) = delete;
    PrintEngine& operator=(const PrintEngine&) = delete;

    PrintDevice& device() { return device_; }

    // --- Job frame, after the print dialog ---
    // Creates and selects the body font, reads its metrics (linePitch, column
    // unit, large, linesPerPage), clears userAbort and starts the document.
    // Until endJob, numbers are formatted in the C locale ("%7.2f" gives
    // 987.65, "%.3f" 35.010) whatever locale the Qt application took from
    // the user's settings.
    // False when the document could not be started (the job is failed).
    bool startJob(std::string_view documentName, int bodyPoints, int bodyWeight = kWeightNormal);
    // Closes the last page when one is open, then ends the document; or
    // abandons it after a failure, a cancel, or when no page was opened.
    PrintOutcome endJob();

    // Arial of that size: height -(points x LOGPIXELSY / 72).
    DeviceFont font(int points, int weight = kWeightNormal) const;
    void selectFont(const DeviceFont& font);
    const DeviceFont& bodyFont() const { return bodyFont_; }

    // --- Pages ---
    // Before an entry: when no page is open (currentLine 0), starts one and
    // draws the head. False when the job must stop.
    bool openPage(const std::function<void()>& head);
    // After an entry: when currentLine > threshold the page is ended
    // (currentLine 0); pending events are served; false when the job must stop
    // (failure or user cancel).
    bool endEntry(int threshold);
    // For lines printed without the threshold test: when the current line
    // lies below the page, the page is ended and the next one opened with
    // its head, so that no line is lost. False when the job must stop.
    bool keepOnPage(const std::function<void()>& head);
    // Raw page steps (flight sheets, inspection sheets).
    bool startPage();
    bool endPage();
    // Serves pending events (the abort procedure) and tells whether the job
    // may go on.
    bool mayContinue();
    // A record the document needs is missing: the job stops and is abandoned.
    void fail() { failed_ = true; }
    bool failed() const { return failed_; }
    bool pageOpen() const { return pageOpen_; }
    int pagesStarted() const { return pagesStarted_; }

    // --- Lines ---
    // Prints one line at currentLine and advances one line. Split: fields cut
    // at tabs, field i at tab value i; field 1 by the styled printer of the
    // style. Fields beyond the tab set are not drawn; each field is cut to
    // kFieldCapacity bytes. Each field stays in its column: from where it is
    // drawn to where the next field that shows something is drawn (a field
    // of blanks shows nothing), or to the right end of the rules for the
    // last one; a longer text is cut (fitted) so that it ends a field gap
    // before that. A line that is not split is one field up to the rules' end.
    void printLine(std::string_view text, int split, int style, TabSet tabs);
    // Bold printers at column (+ margin), line currentLine; no advance. The
    // text is fitted up to the right end of the rules.
    void printLarge(std::string_view text, int column);  // 20 pt
    void printBold(std::string_view text, int column);   // 12 pt
    void printSmall(std::string_view text, int column);  // 6 pt, 4 layout units lower
    DeviceFont largeFont() const { return font(20, kWeightBold); }
    DeviceFont boldFont() const { return font(12, kWeightBold); }
    DeviceFont smallFont() const { return font(6, kWeightBold); }

    // --- Fitting texts in their columns ---
    // The room left between a column's text and the next column: half a
    // column unit.
    int fieldGap() const { return columnUnit / 2; }
    // The width of the text in the selected font, or in that font.
    int textWidth(std::string_view cp1252) const { return device_.textWidth(cp1252); }
    int textWidth(const DeviceFont& font, std::string_view cp1252);
    // The text cut at the last character that keeps it within width in the
    // selected font (trailing blanks, which show nothing, are not counted;
    // a text that fits keeps them). A number is never cut: a text that could only be cut
    // by taking away one of its digits is given back whole (its column is
    // too narrow: the layout must give it room), and so is a text without a
    // letter.
    std::string_view fitted(std::string_view text, int width) const;
    // The text drawn at (x, y) in the selected font, fitted to end a field
    // gap before right (fixed positions of the flight sheets).
    void textWithin(int x, int y, std::string_view cp1252, int right);

    // --- Rules at line n, from the left margin to large - margin ---
    // The right end of the rules: no text passes it.
    int rulesRight() const { return large - kLeftMargin * columnUnit; }
    void headRule(int line);        // n linePitch + linePitch/3
    void doubleRule(int line);      // the head rule and n linePitch + 2 linePitch/5
    void separatorRule(int line);   // n linePitch + linePitch/2
    void underHeaderRule(int line); // n linePitch + 3 linePitch/4, from 24 column units
    void rule(int x1, int x2, int y);
    void verticalLine(int x, int top, int bottom);
    // The y of the last horizontal rule drawn (the pen position).
    int penY() const { return penY_; }

    void textAt(int x, int y, std::string_view cp1252);
    // x of a column value: (column + margin) x column unit.
    int columnX(int column) const { return (column + kLeftMargin) * columnUnit; }
    // A 300-dpi layout position on this device.
    int layoutX(int units) const;
    int layoutY(int units) const;

    // --- State of the job ---
    int linePitch = 0;         // line pitch: height + external leading of the body font
    int columnUnit = 0;    // average character width of the body font
    int large = 0;         // printable width
    int linesPerPage = 0; // printable height / linePitch
    int currentLine = 0;     // current line; 0 = no page open
    bool userAbort = false;
    // Called between entries to keep the user interface alive (the job
    // frame serves its events there, so that "Annuler" is seen).
    std::function<void()> serveEvents;
    // Told of every field wider than its room, with what is drawn of it: its
    // start when it was cut, the whole when it is a number that is never cut
    // (the page check uses it to find the headings and numbers that a layout
    // leaves too little room).
    std::function<void(std::string_view text, std::string_view drawn)> reportMisfit;

private:
    void styled(const DeviceFont& font, std::string_view text, int column, int yOffset, int right);
    void field(int x, int y, std::string_view text, int right);

    PrintDevice& device_;
    DeviceFont bodyFont_;
    DeviceFont current_;
    std::string savedNumericLocale_;
    bool started_ = false;
    bool failed_ = false;
    bool pageOpen_ = false;
    int pagesStarted_ = 0;
    int penY_ = 0;
};

} // namespace r7t
