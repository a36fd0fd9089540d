#include "print/inspection_sheet.h"

#include "support/print_fixture.h"

#include <gtest/gtest.h>

using namespace r7t;
using namespace r7t::fixtures;

using Texts = std::vector<std::string>;

namespace {

Glider& glider(Inspection& inspection, int pilot, int number)
{
    Glider* p = inspection.newGlider();
    p->pilot = pilot;
    p->glider = number;
    p->pilotName.assignUtf8("LEFÈVRE Luc");
    return *p;
}

// The body font is 11 pt: character height 110 at 720 dpi, so linePitch 137
// and a column unit of 44.
constexpr int kSheetLine = 137;
constexpr int kSheetUnit = 44;

} // namespace

TEST(InspectionSheet, OnePagePerFilledGliderOneWithMeasuresAndVerdicts)
{
    Inspection inspection;
    Glider& one = glider(inspection, 3, 1);
    one.model.assignUtf8("Fox Mini");
    one.registration.assignUtf8("F-1234");
    one.mass = 3450;
    one.span = 400.0f;
    one.width = 12.8f;
    one.height = 16.1f;
    one.canopy = 1;
    one.groundClearance = 1;
    one.filled = 1;
    Glider& two = glider(inspection, 3, 2);
    two.model.assignUtf8("Ka 6E");
    two.mass = 1000;
    two.height = 16.0f; // no span: checked against 0, printed "?????"
    two.canopy = 1;
    two.filled = 1;
    // 5 has only glider 2 filled: no page. 7 has glider 1 only.
    glider(inspection, 5, 1);
    glider(inspection, 5, 2).filled = 1;
    Glider& seven = glider(inspection, 7, 1);
    seven.filled = 1;
    glider(inspection, 7, 2);

    RecordingDevice device;
    PrintEngine engine(device);
    ASSERT_EQ(ImprPlaneur(inspection, engine, 1, 99), PrintOutcome::Printed);
    EXPECT_EQ(device.events.front().text, "CTRLR7T");
    ASSERT_EQ(device.pages, 2);
    EXPECT_EQ(engine.linePitch, kSheetLine);
    EXPECT_EQ(engine.columnUnit, kSheetUnit);

    EXPECT_EQ(textsAt(device, 1, 2 * kSheetLine), (Texts{"Caractéristiques planeurs du n°  3"}));
    EXPECT_EQ(textsAt(device, 1, 6 * kSheetLine), (Texts{"Planeur 1 - LEFÈVRE Luc", "Fox Mini ", "F-1234"}));
    EXPECT_EQ(device.findText("Fox Mini ")->x, 50 * kSheetUnit);
    EXPECT_EQ(device.findText("F-1234")->x, 80 * kSheetUnit);
    EXPECT_EQ(textsAt(device, 1, 8 * kSheetLine), (Texts{"Masse en vol ( g )", "3450", "Valide"}));
    EXPECT_EQ(textsAt(device, 1, 9 * kSheetLine), (Texts{"Envergure totale ( cm )", "400", "Valide"}));
    EXPECT_EQ(textsAt(device, 1, 10 * kSheetLine), (Texts{"Largeur maître-couple ( cm )", "  12.8", "Valide"}));
    EXPECT_EQ(textsAt(device, 1, 11 * kSheetLine), (Texts{"Hauteur maître-couple ( cm )", "  16.1", "Valide"}));
    EXPECT_EQ(textsAt(device, 1, 12 * kSheetLine), (Texts{"Garde au sol > 1 cm", "Valide"}));
    EXPECT_EQ(textsAt(device, 1, 13 * kSheetLine), (Texts{"Verrière transparente", "Valide"}));
    EXPECT_EQ(textsAt(device, 1, 15 * kSheetLine), (Texts{"Planeur réglementaire"}));
    EXPECT_EQ(device.findText("Planeur réglementaire")->font.weight, 700);
    // Glider 2 after two lines, a double rule and one more line.
    const int second = 19;
    EXPECT_EQ(textsAt(device, 1, second * kSheetLine), (Texts{"Planeur 2 - LEFÈVRE Luc", "Ka 6E "}));
    EXPECT_EQ(textsAt(device, 1, (second + 2) * kSheetLine), (Texts{"Masse en vol ( g )", "1000", "Invalide"}));
    EXPECT_EQ(textsAt(device, 1, (second + 3) * kSheetLine), (Texts{"Envergure totale ( cm )", "?????", "Invalide"}));
    EXPECT_EQ(textsAt(device, 1, (second + 4) * kSheetLine),
              (Texts{"Largeur maître-couple ( cm )", "?????", "Valide"}));
    EXPECT_EQ(textsAt(device, 1, (second + 5) * kSheetLine),
              (Texts{"Hauteur maître-couple ( cm )", "  16.0", "Valide"}));
    EXPECT_EQ(textsAt(device, 1, (second + 6) * kSheetLine), (Texts{"Garde au sol > 1 cm", "Invalide"}));
    EXPECT_EQ(textsAt(device, 1, (second + 9) * kSheetLine), (Texts{"Planeur non valide"}));
    EXPECT_EQ(textsAt(device, 1, (second + 13) * kSheetLine), (Texts{"Signature pilote"}));
    EXPECT_EQ(device.findText("Signature pilote")->x, 80 * kSheetUnit);

    EXPECT_EQ(textsAt(device, 2, 2 * kSheetLine), (Texts{"Caractéristiques planeurs du n°  7"}));
    EXPECT_NE(device.pageText(2).find("Pas de planeur 2"), std::string::npos);
    EXPECT_NE(device.pageText(2).find("Masse en vol ( g ) | ????? | Invalide"), std::string::npos);

    // A range without a filled glider 1: nothing at all.
    RecordingDevice none;
    PrintEngine noneEngine(none);
    EXPECT_EQ(ImprPlaneur(inspection, noneEngine, 4, 6), PrintOutcome::NothingPrinted);
    EXPECT_EQ(none.pages, 0);
}

TEST(InspectionSheet, MeasureTexts)
{
    EXPECT_EQ(inspectionMass(0), "?????");
    EXPECT_EQ(inspectionMass(3450), "3450");
    EXPECT_EQ(inspectionSpan(0.0f), "?????");
    EXPECT_EQ(inspectionSpan(399.9f), "399");
    EXPECT_EQ(inspectionSpan(1.0e10f), "10000000000");
    EXPECT_EQ(inspectionSection(0.0f), "?????");
    EXPECT_EQ(inspectionSection(12.84f), "  12.8");
}
