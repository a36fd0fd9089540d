// The drawing resources shared by the main window and every dialog: the
// screen scale of the 1024 x 768 design, the fonts, the colours and the
// line height of the owner-drawn lists.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

#include <algorithm>
#include <string>

namespace r7t::ui {

// Positions of the main window are given for a 1024 x 768 screen and scaled
// to the real one: x' = x * width / 1024, y' = y * height / 768, truncated.
struct ScreenScale {
    int width = 1024;  // Lecran
    int height = 768;  // Hecran

    int x(int designX) const { return designX * width / 1024; }
    int y(int designY) const { return designY * height / 768; }
    QPoint point(int designX, int designY) const { return {x(designX), y(designY)}; }
    // From (left, top) to (right, bottom), each corner scaled.
    QRect corners(int left, int top, int right, int bottom) const
    {
        return QRect(QPoint(x(left), y(top)), QPoint(x(right) - 1, y(bottom) - 1));
    }
    // At (x, y) with a size, each value scaled separately.
    QRect rect(int designX, int designY, int w, int h) const { return QRect(x(designX), y(designY), x(w), y(h)); }
    // A design font size in points, by the vertical rule.
    int points(int designPoints) const { return std::max(1, designPoints * height / 768); }
};

class DrawingResources {
public:
    explicit DrawingResources(ScreenScale scale);

    ScreenScale scale;

    QFont fontStd;           // hFontStd: the system font, dialogs' lists
    QFont fontDisplay;       // ARIAL 600, 11
    QFont fontDisplaySmall;  // ARIAL 600, 8
    QFont fontMedium;        // ARIAL 700, 14
    QFont fontBig;           // ARIAL 700, 48
    QFont fontMessage;          // ARIAL 600, 14: the message dialog
    QFont fontFixe;          // Courier New 600, 11
    QFont fontEdit;          // the three edit fields of the main window

    QColor background{222, 222, 222}; // BackBrush
    QColor boxFill{190, 240, 250};
    QColor boxPen{0, 204, 255};
    QColor txtBlue{0, 0, 255};        // TxtBLUE
    QColor txtBlack{0, 0, 0};         // TxtBLACK
    QColor txtGris{170, 170, 170};    // TxtGRIS

    int listLineHeight = 17;    // line height of the owner-drawn lists

    QString versionText;     // szVersion: string 37 and the version number
    static constexpr const char* kShortVersion = "V3";
    static constexpr const char* kPrintDocumentName = "Manifestation";
    static constexpr const char* kVersionNumber = "3.0.1";
};

// The program's resources, made from the primary screen on first use.
DrawingResources& resources();
// Replaces them (tests give a screen size; the program calls it at start).
void initResources(ScreenScale scale);
// The primary screen's size.
ScreenScale screenScale();

// A font asked for by face name, weight (100..900) and design size in points.
QFont designFont(const QString& face, int weight, int designPoints, const ScreenScale& scale);

// fontFixe for the lists of the dialogs, whose size does not follow the
// screen: made smaller where the screen scale made it higher than a list
// line, which would cut accents.
QFont fixedListFont();

// A dialog's painted title: blue, in fontMedium, centred vertically in the area.
void paintDialogTitle(QWidget* dialog, const QRect& area, const QString& title, Qt::Alignment horizontal);

// A QString from a table text: "\r" line breaks become "\n".
QString tableText(const std::string& text);
// Table string n + kLanguageOffset as the message buffer holds it, ready to show.
QString messageText(int n);
// Table string n + kLanguageOffset as a control's text.
QString controlString(int n);

// Numeric control ids are kept as object names "id<n>" so code and tests find
// controls by id.
QString controlName(int id);

} // namespace r7t::ui
