// r7t inspection: the gliders of an inspection file (.ctr), each with its
// measures and the verdict of each check, recomputed from the stored values
// as the inspection sheet does. Inspection files have no password.
#include "cli/command.h"

#include "inspection/ctr_file.h"

#include <cmath>
#include <cstdio>
#include <set>

namespace r7t::cli {

namespace {

// The inspection program's texts; its own string table comes with its windows.
constexpr const char* kIncompatible = "Le fichier choisi est incompatible !";
constexpr const char* kOutOfMemory = "Mémoire insuffisante\rCréation impossible !";
constexpr const char* kValid = "Valide";
constexpr const char* kInvalid = "Invalide";
constexpr const char* kGliderValid = "Planeur réglementaire";
constexpr const char* kGliderInvalid = "Planeur non valide";
constexpr const char* kUnknownValue = "?????";

std::string printed(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string measure(float value, bool integerPart)
{
    if (value == 0.0f)
        return kUnknownValue;
    if (integerPart && std::isfinite(value) && std::fabs(value) < 1e15f)
        return std::to_string(static_cast<long long>(value));
    return printed(integerPart ? "%.0f" : "%.1f", value);
}

void printGlider(std::ostream& out, const Glider* p, int glider)
{
    if (!p || !p->filled) {
        out << "Planeur " << glider << "\tPas de planeur " << glider << "\n";
        return;
    }
    const GliderVerdict v = verdictOf(*p);
    auto verdict = [&](int check) { return v.checks[static_cast<size_t>(check - 1)] ? kValid : kInvalid; };
    out << "Planeur " << glider << "\t" << p->model.utf8() << "\t" << p->registration.utf8() << "\n";
    out << "\tMasse en vol ( g )\t" << (p->mass == 0 ? kUnknownValue : std::to_string(p->mass)) << "\t"
        << verdict(kCheckMass) << "\n";
    out << "\tEnvergure totale ( cm )\t" << measure(p->span, true) << "\t" << verdict(kCheckSpan) << "\n";
    out << "\tLargeur maître-couple ( cm )\t" << measure(p->width, false) << "\t" << verdict(kCheckWidth) << "\n";
    out << "\tHauteur maître-couple ( cm )\t" << measure(p->height, false) << "\t" << verdict(kCheckHeight) << "\n";
    out << "\tGarde au sol > 1 cm\t\t" << verdict(kCheckGroundClearance) << "\n";
    out << "\tVerrière transparente\t\t" << verdict(kCheckCanopy) << "\n";
    out << "\t" << (v.valid() ? kGliderValid : kGliderInvalid) << "\n";
}

class InspectionCommand : public Command {
public:
    std::string name() const override { return "inspection"; }
    std::string synopsis() const override { return "FICHIER.ctr"; }
    std::string description() const override { return "affiche le contrôle des planeurs d'un fichier .ctr"; }

protected:
    int run(const Arguments& args, Io io) override
    {
        const std::string& path = args.positional()[0];
        Inspection inspection;
        int skipped = 0;
        inspection.setAlertHandler([&](int n) {
            if (n == kInspectionMessageOutOfMemory)
                ++skipped;
        });
        inspection.filePath = path;
        inspection.isOpen = true;
        InspectionLoadOutcome loaded = RepriseFic(inspection);
        if (loaded.status == InspectionLoadStatus::Incompatible)
            return refuse(io, refusedFileText(path, kIncompatible));
        if (skipped > 0)
            warn(io, path + ": " + terminalText(kOutOfMemory));
        if (loaded.truncated)
            warn(io, path + ": fichier tronqué, dernier enregistrement ignoré");

        std::set<int32_t> pilots;
        for (const Glider& p : inspection.gliders)
            pilots.insert(p.pilot);
        for (int32_t number : pilots) {
            const Glider* first = inspection.findGlider(number, 1);
            const Glider* second = inspection.findGlider(number, 2);
            const Glider* named = first ? first : second;
            char title[32];
            std::snprintf(title, sizeof title, "Pilote N° %02i", number);
            io.out << title;
            if (named && !named->pilotName.empty())
                io.out << "\t" << named->pilotName.utf8();
            io.out << "\n";
            printGlider(io.out, first, 1);
            printGlider(io.out, second, 2);
        }
        return kExitOk;
    }
};

} // namespace

std::unique_ptr<Command> makeInspectionCommand() { return std::make_unique<InspectionCommand>(); }

} // namespace r7t::cli
