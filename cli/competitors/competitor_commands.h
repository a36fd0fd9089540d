// The competitor commands of r7t and what they share.
#pragma once

#include "cli/command.h"
#include "cli/readers.h"
#include "competitors/pilot_entry.h"

namespace r7t::cli {

std::unique_ptr<Command> makePilotsCommand();
std::unique_ptr<Command> makeAddPilotCommand();
std::unique_ptr<Command> makeEditPilotCommand();
std::unique_ptr<Command> makeDeletePilotCommand();
std::unique_ptr<Command> makeImportCommand();
std::unique_ptr<Command> makeChangeFrequencyCommand();

// The options of the person form: --name, --freq1, --freq2, --licence,
// --club, --club-number, --country, --remark, --mass1, --mass2.
std::vector<OptionInfo> personFormOptions();
std::string personFormSynopsis();

// Writes the given options (UTF-8) into the form's fields (Windows-1252);
// the other fields keep their text.
void applyPersonOptions(PersonForm& form, const Arguments& args);

// Whether a mass option was given (tow pilots have no glider masses).
bool hasMassOption(const Arguments& args);

// What the frequency change did: "Manches annulées : 4 5" or "Aucune manche annulée".
std::string cancelledRoundsText(const std::vector<int>& rounds);

// A pilot list line (Windows-1252) for the terminal.
std::string terminalLine(const std::string& cp1252);

} // namespace r7t::cli
