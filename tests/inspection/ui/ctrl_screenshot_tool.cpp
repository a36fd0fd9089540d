// Makes the screenshots of the inspection program's windows into a folder
// (scripts/screenshots runs it under Xvfb at several screen sizes), and a
// page of the inspection sheet through the PDF device.
#include "inspection/glider_entry.h"
#include "inspection/ui/glider_dialog.h"
#include "inspection/ui/inspection_common.h"
#include "inspection/ui/inspection_window.h"
#include "inspection/ui/new_pilot_dialog.h"
#include "inspection/ui/opening_dialog.h"
#include "inspection/ui/sheet_range_dialog.h"
#include "print/inspection_sheet.h"
#include "print/ui/pdf_device.h"
#include "widgets/about_dialog.h"
#include "widgets/drawing_resources.h"
#include "widgets/file_dialogs.h"
#include "widgets/help_window.h"
#include "widgets/message_dialog.h"
#include "widgets/qt_translation.h"
#include "text/strings.h"
#include "text/text.h"

#include "support/screenshots.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <cstdio>

using namespace r7t;
using namespace r7t::ui;
using namespace r7t::fixtures;

namespace {

const char* const kNames[] = {"LEFÈVRE Luc", "DUPONT Anne", "MARTIN Paul", "ROUX Élodie", "GARNIER Marc"};

// Pilot n: glider 1 valid, not valid or left empty in turn; glider 2 valid
// for every third pilot.
void inspectPilots(Inspection& inspection, const std::vector<int>& numbers)
{
    int k = 0;
    for (int n : numbers) {
        createPilot(inspection, n, utf8ToCp1252(kNames[k % 5]));
        GliderForm f;
        f.model = utf8ToCp1252("Fox Mini");
        f.registration = "F-" + std::to_string(1200 + n);
        f.mass = k % 3 == 1 ? "5200" : "3450";
        f.span = "400";
        f.width = "12.8";
        f.height = "16.1";
        f.groundClearance = f.canopy = true;
        if (k % 3 != 2)
            storeForm(*inspection.findGlider(n, 1), f);
        if (k % 3 == 0) {
            f.model = "Ka 6E";
            f.mass = "2800";
            storeForm(*inspection.findGlider(n, 2), f);
        }
        ++k;
    }
}

void openAt(Inspection& inspection)
{
    inspection.filePath = "/home/controleur/Documents/R7T/R7T_06_12_26.ctr";
    inspection.isOpen = false; // nothing is written from here
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (!takeScreenshotFolder(argc, argv))
        return 2;
    installQtFrench();
    initInspectionResources(screenScale());
    setFaultEnding({});
    setHelpFolder(QStringLiteral(R7T_CTRL_HELP));

    {
        Inspection inspection;
        NoFiles files;
        InspectionOpeningDialog dialog(inspection, files);
        shoot(dialog, "ctrl_opening");
    }
    {
        Inspection inspection;
        openAt(inspection);
        inspectPilots(inspection, {3, 7, 12, 21});
        InspectionWindow window(inspection);
        window.startInspection();
        window.showOnScreen();
        (void)QTest::qWaitForWindowExposed(&window);
        shootScreen("ctrl_main_few", 250);

        NewPilotDialog newPilot(inspection, &window);
        shoot(newPilot, "ctrl_newpilot");
        newPilot.hide();

        // Mixed lights: a mass too high, the rest within the rules, one box left.
        Glider& record = *inspection.findGlider(7, 2);
        GliderForm f;
        f.model = "Alcyon";
        f.registration = "F-CTRL";
        f.mass = "5200";
        f.span = "380";
        f.width = "12.5";
        f.height = "14.0";
        f.canopy = true;
        storeForm(record, f);
        GliderDialog glider(inspection, record, {}, &window);
        shoot(glider, "ctrl_saispla");
        glider.hide();

        AboutDialog about(&window);
        shoot(about, "ctrl_about");
        about.hide();
        SheetRangeDialog range(inspection.highestNumber, &window);
        shoot(range, "ctrl_range");
        range.hide();
        MessageDialog alert(messageText(433), kModeAlert, &window);
        shoot(alert, "ctrl_alert");
        alert.hide();
        inspection.currentPilot = 12;
        QMenu* popup = window.pilotPopup();
        popup->popup(window.mapToGlobal(QPoint(200, 400)));
        QTest::qWait(150);
        save(popup->grab(), "ctrl_popup");
        popup->hide();

        // A page of the sheet: pilot 3, both gliders.
        const QString pdf = QDir(screenshotFolder()).filePath("ctrl_sheet.pdf");
        {
            PrintApplication printing;
            std::unique_ptr<PrintDevice> device = makePdfDevice(pdf.toStdString());
            PrintEngine engine(*device);
            ImprPlaneur(inspection, engine, 3, 3);
        }
        QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("70"),
                                                       QStringLiteral("-singlefile"), pdf,
                                                       QDir(screenshotFolder()).filePath(QStringLiteral("ctrl_sheet"))});
        QFile::remove(pdf);
        std::printf("%s\n", qPrintable(QDir(screenshotFolder()).filePath("ctrl_sheet.png")));
    }
    {
        Inspection inspection;
        openAt(inspection);
        std::vector<int> numbers;
        for (int n = 1; n <= 26; ++n)
            numbers.push_back(n + (n > 10 ? 4 : 0));
        inspectPilots(inspection, numbers);
        InspectionWindow window(inspection);
        window.startInspection();
        window.showOnScreen();
        (void)QTest::qWaitForWindowExposed(&window);
        window.board()->pilotList()->verticalScrollBar()->setValue(3);
        window.board()->pilotList()->setCurrentRow(5);
        shootScreen("ctrl_main_many", 250);
    }
    return 0;
}
