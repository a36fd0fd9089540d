#include "print/inspection_sheet.h"

#include "text/text.h"

#include <cmath>

namespace r7t {

namespace {

// The inspection program's texts (its own string table comes with its
// windows): 56, 5 and 6, 603..609, 51 and 52, 53 and 54, 55, 57.
constexpr const char* kTitle = "Caractéristiques planeurs du n° ";
constexpr const char* kGlider[] = {"Planeur 1", "Planeur 2"};
constexpr const char* kMassLabel = "Masse en vol ( g )";
constexpr const char* kSpanLabel = "Envergure totale ( cm )";
constexpr const char* kWidthLabel = "Largeur maître-couple ( cm )";
constexpr const char* kHeightLabel = "Hauteur maître-couple ( cm )";
constexpr const char* kGroundLabel = "Garde au sol > 1 cm";
constexpr const char* kCanopyLabel = "Verrière transparente";
constexpr const char* kValid = "Valide";
constexpr const char* kInvalid = "Invalide";
constexpr const char* kGliderValid = "\tPlaneur réglementaire";
constexpr const char* kGliderInvalid = "\tPlaneur non valide";
constexpr const char* kNoGlider2 = "Pas de planeur 2";
constexpr const char* kSignature = "\t\t\tSignature pilote";
constexpr const char* kUnknown = "?????";

std::string ansi(std::string_view utf8) { return utf8ToCp1252(utf8); }

void gliderBlock(PrintEngine& engine, const Glider& p)
{
    engine.printLine(stringPrintf("\t%s - %s\t%s \t%s", kGlider[p.glider == 2 ? 1 : 0],
                                        std::string(p.pilotName.raw()).c_str(), std::string(p.model.raw()).c_str(),
                                        std::string(p.registration.raw()).c_str()),
                           1, kStyleBold, kCompetitorSheetTabs);
    engine.printLine("  ", 0, kStylePlain, kCompetitorSheetTabs);
    const GliderVerdict verdict = verdictOf(p);
    auto line = [&](const char* label, const std::string& value, int check) {
        const char* judged = verdict.checks[static_cast<size_t>(check - 1)] ? kValid : kInvalid;
        engine.printLine(ansi(stringPrintf("\t%s\t", label)) + value + "\t" + judged, 1, kStylePlain,
                               kCompetitorSheetTabs);
    };
    line(kMassLabel, inspectionMass(p.mass), kCheckMass);
    line(kSpanLabel, inspectionSpan(p.span), kCheckSpan);
    line(kWidthLabel, inspectionSection(p.width), kCheckWidth);
    line(kHeightLabel, inspectionSection(p.height), kCheckHeight);
    line(kGroundLabel, "", kCheckGroundClearance);
    line(kCanopyLabel, "", kCheckCanopy);
    engine.printLine(" ", 0, kStylePlain, kCompetitorSheetTabs);
    engine.printLine(ansi(verdict.valid() ? kGliderValid : kGliderInvalid), 1, kStyleBold, kCompetitorSheetTabs);
}

// Two lines down, a double rule, one more line.
void blockEnd(PrintEngine& engine)
{
    engine.currentLine += 2;
    engine.doubleRule(engine.currentLine);
    ++engine.currentLine;
}

} // namespace

std::string inspectionMass(int32_t grams) { return grams == 0 ? kUnknown : stringPrintf("%i", grams); }

std::string inspectionSpan(float cm)
{
    if (cm == 0.0f)
        return kUnknown;
    // The integer part, without the undefined conversion of a value an int cannot hold.
    if (std::isfinite(cm) && std::fabs(cm) < 2.0e9f)
        return stringPrintf("%i", static_cast<int>(cm));
    return stringPrintf("%.0f", double(std::trunc(cm)));
}

std::string inspectionSection(float cm) { return cm == 0.0f ? kUnknown : stringPrintf("%6.1f", double(cm)); }

PrintOutcome ImprPlaneur(const Inspection& inspection, PrintEngine& engine, int firstNumber, int lastNumber)
{
    if (!engine.startJob(kInspectionDocumentName, 11))
        return engine.endJob();
    // Pilot numbers run from 1 to 99, whatever range was typed.
    const int last = lastNumber < 99 ? lastNumber : 99;
    for (int n = firstNumber > 1 ? firstNumber : 1; n <= last; ++n) {
        const Glider* first = inspection.findGlider(n, 1);
        if (!first || !first->filled)
            continue;
        if (!engine.startPage())
            break;
        engine.currentLine = 2;
        engine.printLine(ansi(stringPrintf("\t%s %i\t", kTitle, n)), 1, kStyleLarge, kCompetitorSheetTabs);
        engine.doubleRule(5);
        engine.currentLine = 6;
        gliderBlock(engine, *first);
        blockEnd(engine);
        const Glider* second = inspection.findGlider(n, 2);
        if (second && second->filled) {
            gliderBlock(engine, *second);
        } else {
            engine.printLine(stringPrintf("\t%s \t", kNoGlider2), 1, kStylePlain, kCompetitorSheetTabs);
        }
        blockEnd(engine);
        engine.printLine(kSignature, 1, kStylePlain, kCompetitorSheetTabs);
        engine.currentLine = 0;
        if (!engine.endPage() || !engine.mayContinue())
            break;
    }
    return engine.endJob();
}

} // namespace r7t
