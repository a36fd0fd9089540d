// The r7t command frame: option parsing, help, and the three ways a command
// ends short of success (refusal, usage error, fault report); the base that
// opens a contest file (with its password) and saves it when a command
// changed it. The number readers are in cli/readers.h.
#pragma once

#include "contest/contest.h"

#include <map>
#include <memory>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace r7t::cli {

enum Exit { kExitOk = 0, kExitRefused = 1, kExitUsage = 2 };

struct Io {
    std::ostream& out;
    std::ostream& err;
    // Where a question's answer is read: the terminal, or null when the
    // standard input is none (a script), so that nothing waits for it.
    std::istream* terminal = nullptr;
};

struct OptionInfo {
    std::string name;      // without the leading "--"
    std::string value{};   // what the value stands for in the help ("T", "MANCHE"); empty: the option takes none
    char shortName = '\0'; // '-x' alias, stored under name; '\0' none

    bool takesValue() const { return !value.empty(); }
};

class Arguments {
public:
    // Options may stand anywhere; "--" ends them. A repeated option keeps its last value.
    static std::optional<Arguments> parse(const std::vector<std::string>& args,
                                          const std::vector<OptionInfo>& optionList, std::string& error);

    const std::vector<std::string>& positional() const { return positional_; }
    bool has(const std::string& name) const { return values_.count(name) != 0; }
    std::string value(const std::string& name, const std::string& fallback = {}) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
};

// A table text for the terminal: its line breaks become newlines.
std::string terminalText(const std::string& tableText);

// "PATH: message" for a file that could not be loaded, with the French
// cause when the file could not even be read ("fichier introuvable").
std::string refusedFileText(const std::string& path, const std::string& message);

// The refusal of the first given option among optionList whose text the contest
// file cannot hold as typed (it would be stored with a '?'), naming the
// character; nothing when every such text can be stored.
std::optional<std::string> unstorableText(const Arguments& args, const std::vector<OptionInfo>& optionList);

class Command {
public:
    virtual ~Command() = default;
    virtual std::string name() const = 0;
    virtual std::string synopsis() const = 0;    // the arguments after the name
    virtual std::string description() const = 0; // one line, French
    virtual std::vector<OptionInfo> options() const { return {}; }
    virtual int minPositional() const { return 1; }
    virtual int maxPositional() const { return 1; }

    // With --help or -h anywhere among the options, prints the help instead.
    int execute(const std::vector<std::string>& args, Io io);
    std::string usage() const { return "usage: r7t " + name() + " " + synopsis(); }
    // The usage line, the description and one line per option.
    void printHelp(std::ostream& out) const;

    // Every message goes to the error output as "r7t NAME: message".
    // A refusal: exit 1.
    int refuse(Io io, const std::string& message) const;
    // A usage error, followed by the usage line: exit 2.
    int usageError(Io io, const std::string& message) const;
    // A notice that does not end the command.
    void warn(Io io, const std::string& message) const;
    // The dialogs' question before a deletion: --yes answers it; otherwise
    // the terminal is asked and "oui" confirms. Refuses (and returns false)
    // on any other answer, or without a terminal.
    bool confirmed(const Arguments& args, Io io, const std::string& question) const;

protected:
    virtual int run(const Arguments& args, Io io) = 0;

    // Loads a contest file; refuses (and returns false) when it cannot be
    // opened: missing, incompatible, damaged (naming what contradicts
    // what), wrong or missing password. Records the loader left out are
    // told as a notice; willSave adds that the saved file no longer holds them.
    bool openContest(Contest& contest, const std::string& path, const std::optional<std::string>& password,
                     Io io, bool willSave = false) const;
    // Saves the contest to its own file; refuses naming the file on failure.
    bool saveContest(Contest& contest, Io io) const;
};

// Opens FILE (the first argument) with --password, runs the body, and saves
// the contest atomically when the body says it changed it. A fault raised
// on the contest, at load or in the body, wins over the body's outcome: it
// is reported once, exit 1, and nothing is saved.
class ContestCommand : public Command {
public:
    std::string synopsis() const final;
    std::vector<OptionInfo> options() const final;

protected:
    struct Outcome {
        int exit = kExitOk;
        bool changed = false;
    };
    // What a body returns when it stops at the contest's fault: the frame reports it.
    static Outcome faulted() { return {kExitRefused, false}; }

    virtual std::string commandSynopsis() const = 0; // without --password, which the frame adds
    virtual std::vector<OptionInfo> commandOptions() const { return {}; }
    // A command that may change the contest holds its lock from before the
    // load to after the save, so that no other writer's change is lost in
    // between; one that only reads never waits for the lock.
    virtual bool changesContest() const { return true; }
    // Whether the contest loaded is written somewhere (its own file, or a
    // copy): the notice of records left out at load then says they are not
    // written again.
    virtual bool writesContest() const { return changesContest(); }
    virtual Outcome body(Contest& contest, const Arguments& args, Io io) = 0;
    int run(const Arguments& args, Io io) final;

private:
    int reportFault(Io io, const Contest& contest) const;
};

const std::vector<std::unique_ptr<Command>>& allCommands();

// The whole program: args without the program name; terminal as in Io.
int runR7t(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           std::istream* terminal = nullptr);

// One factory per command file.
std::unique_ptr<Command> makeNewCommand();
std::unique_ptr<Command> makeInfoCommand();
std::unique_ptr<Command> makeCopyCommand();

// Each subsystem appends its commands (cli/<subsystem>/commands.cpp).
using CommandList = std::vector<std::unique_ptr<Command>>;
void addCompetitorCommands(CommandList& list);
void addRoundCommands(CommandList& list);
void addScoringCommands(CommandList& list);
void addRankingCommands(CommandList& list);
void addInspectionCommands(CommandList& list);
void addPrintCommands(CommandList& list);

} // namespace r7t::cli
