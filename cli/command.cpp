#include "cli/command.h"

#include "text/strings.h"
#include "string_table/formats.h"
#include "contest/atomic_file.h"
#include "contest/contest_file.h"
#include "contest/file_lock.h"
#include "text/text.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace r7t::cli {

namespace {

constexpr int kMessagePasswordNeeded = 521;

const OptionInfo kHelpOption{"help", "", 'h'};

} // namespace

std::optional<Arguments> Arguments::parse(const std::vector<std::string>& args,
                                          const std::vector<OptionInfo>& optionList, std::string& error)
{
    Arguments parsed;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg.size() == 2 && arg[0] == '-' && arg[1] != '-') {
            auto alias = std::find_if(optionList.begin(), optionList.end(), [&](const OptionInfo& s) {
                return s.shortName != '\0' && s.shortName == arg[1];
            });
            if (alias != optionList.end()) {
                if (!alias->takesValue()) {
                    parsed.values_[alias->name] = "";
                } else if (i + 1 < args.size()) {
                    parsed.values_[alias->name] = args[++i];
                } else {
                    error = "l'option " + arg + " attend une valeur";
                    return std::nullopt;
                }
                continue;
            }
        }
        if (optionsEnded || arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            if (arg == "--") {
                optionsEnded = true;
                continue;
            }
            parsed.positional_.push_back(arg);
            continue;
        }
        std::string name = arg.substr(2);
        std::optional<std::string> inlineValue;
        if (auto eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        auto known = std::find_if(optionList.begin(), optionList.end(), [&](const OptionInfo& s) { return s.name == name; });
        if (known == optionList.end()) {
            error = "option inconnue : --" + name;
            return std::nullopt;
        }
        if (!known->takesValue()) {
            if (inlineValue) {
                error = "l'option --" + name + " ne prend pas de valeur";
                return std::nullopt;
            }
            parsed.values_[name] = "";
        } else if (inlineValue) {
            parsed.values_[name] = *inlineValue;
        } else if (i + 1 < args.size()) {
            parsed.values_[name] = args[++i];
        } else {
            error = "l'option --" + name + " attend une valeur";
            return std::nullopt;
        }
    }
    return parsed;
}

std::string Arguments::value(const std::string& name, const std::string& fallback) const
{
    auto it = values_.find(name);
    return it == values_.end() ? fallback : it->second;
}

std::string terminalText(const std::string& tableText)
{
    std::string text = tableText;
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

int Command::execute(const std::vector<std::string>& args, Io io)
{
    std::vector<OptionInfo> optionList = options();
    optionList.push_back(kHelpOption);
    std::string error;
    auto parsed = Arguments::parse(args, optionList, error);
    if (parsed && parsed->has(kHelpOption.name)) {
        printHelp(io.out);
        return kExitOk;
    }
    if (parsed) {
        auto count = static_cast<int>(parsed->positional().size());
        if (count < minPositional())
            error = "argument manquant";
        else if (count > maxPositional())
            error = "argument en trop : " + parsed->positional()[static_cast<size_t>(maxPositional())];
    }
    if (!error.empty())
        return usageError(io, error);
    return run(*parsed, io);
}

void Command::printHelp(std::ostream& out) const
{
    out << usage() << "\n      " << description() << "\n\nOptions :\n";
    std::vector<OptionInfo> optionList = options();
    optionList.push_back(kHelpOption);
    for (const OptionInfo& option : optionList) {
        out << "  ";
        if (option.shortName != '\0')
            out << '-' << option.shortName << ", ";
        out << "--" << option.name;
        if (option.takesValue())
            out << ' ' << option.value;
        out << "\n";
    }
}

int Command::refuse(Io io, const std::string& message) const
{
    warn(io, message);
    return kExitRefused;
}

int Command::usageError(Io io, const std::string& message) const
{
    warn(io, message);
    io.err << usage() << "\n";
    return kExitUsage;
}

void Command::warn(Io io, const std::string& message) const { io.err << "r7t " << name() << ": " << message << "\n"; }

bool Command::confirmed(const Arguments& args, Io io, const std::string& question) const
{
    if (args.has("yes"))
        return true;
    if (!io.terminal) {
        refuse(io, terminalText(question) + " (ajouter --yes pour répondre oui sans terminal)");
        return false;
    }
    io.err << terminalText(question) << " (oui/non) " << std::flush;
    std::string answer;
    std::getline(*io.terminal, answer);
    if (answer == "oui")
        return true;
    refuse(io, "suppression abandonnée");
    return false;
}

std::string ContestCommand::synopsis() const
{
    // At the end of the first line: further lines detail the arguments.
    std::string text = commandSynopsis();
    text.insert(std::min(text.find('\n'), text.size()), " [--password W]");
    return text;
}

std::string refusedFileText(const std::string& path, const std::string& message)
{
    const std::optional<std::string> cause = readFailureCause(path);
    return path + ": " + message + (cause ? " (" + *cause + ")" : "");
}

std::optional<std::string> unstorableText(const Arguments& args, const std::vector<OptionInfo>& optionList)
{
    for (const OptionInfo& option : optionList) {
        if (!option.takesValue() || !args.has(option.name))
            continue;
        if (const std::optional<std::string> character = firstUnencodable(args.value(option.name)))
            return "--" + option.name + " : le caractère « " + *character +
                   " » ne peut pas être enregistré dans le fichier du concours";
    }
    return std::nullopt;
}

std::vector<OptionInfo> ContestCommand::options() const
{
    std::vector<OptionInfo> optionList = commandOptions();
    optionList.push_back({"password", "W"});
    return optionList;
}

int ContestCommand::run(const Arguments& args, Io io)
{
    Contest contest;
    std::optional<std::string> password;
    if (args.has("password"))
        password = args.value("password");
    FileLock lock;
    // No lock file beside a contest that does not exist: the load refuses it.
    // Unavailable (a folder this user cannot write to) goes on: the save says why it fails.
    if (changesContest() && std::filesystem::exists(args.positional()[0])) {
        lock = FileLock::take(args.positional()[0], LockHolder::Command, kLockPatience);
        if (lock.state() == FileLock::State::Busy)
            return refuse(io, args.positional()[0] + ": " + lockRefusalText(lock.holder()));
    }
    if (!openContest(contest, args.positional()[0], password, io, writesContest()))
        return contest.fault() ? reportFault(io, contest) : kExitRefused;
    // The body's output waits for the save: a result is never shown for a
    // change that was not kept.
    std::ostringstream out;
    Outcome outcome = body(contest, args, {out, io.err, io.terminal});
    if (contest.fault())
        return reportFault(io, contest);
    if (outcome.changed && !saveContest(contest, io))
        return kExitRefused;
    io.out << out.str();
    return outcome.exit;
}

int ContestCommand::reportFault(Io io, const Contest& contest) const
{
    return refuse(io, terminalText(formatText(kFaultReport, *contest.fault())));
}

bool Command::openContest(Contest& contest, const std::string& path, const std::optional<std::string>& password,
                          Io io, bool willSave) const
{
    std::error_code missing;
    if (!std::filesystem::exists(path, missing) && !missing) {
        refuse(io, path + ": le fichier n'existe pas");
        return false;
    }
    int skipped = 0;
    contest.setAlertHandler([&](int n) {
        if (n == kMessageOutOfMemory)
            ++skipped;
    });
    contest.setPath(path);
    contest.isOpen = true;
    LoadOutcome loaded = RepriseFic(contest);
    contest.setAlertHandler({});
    if (loaded.status == LoadStatus::Incompatible) {
        refuse(io, refusedFileText(path, terminalText(MajMessage(kMessageIncompatible))));
        return false;
    }
    if (loaded.status == LoadStatus::Damaged) {
        refuse(io, path + ": " + terminalText(MajMessage(kMessageIncompatible)) + " (fichier endommagé, " +
                       loaded.damage + ")");
        return false;
    }
    if (const std::string dropped = droppedRecordsText(loaded, willSave); !dropped.empty())
        warn(io, path + ": " + dropped);
    if (skipped > 0)
        warn(io, path + ": " + terminalText(MajMessage(kMessageOutOfMemory)));
    if (!contest.password.empty() && !(password && passwordMatches(contest, *password))) {
        std::string text = MajMessage(kMessagePasswordNeeded);
        text = text.substr(0, text.find('\r'));
        refuse(io, path + ": " + text + (password ? " (mot de passe incorrect)" : " (--password)"));
        contest.isOpen = false;
        return false;
    }
    return true;
}

bool Command::saveContest(Contest& contest, Io io) const
{
    SaveOutcome saved = MajFichier(contest);
    if (saved.ok())
        return true;
    refuse(io, saved.path + " : enregistrement impossible (" + saved.error + ")");
    return false;
}

const std::vector<std::unique_ptr<Command>>& allCommands()
{
    static const std::vector<std::unique_ptr<Command>> commands = [] {
        std::vector<std::unique_ptr<Command>> list;
        list.push_back(makeNewCommand());
        list.push_back(makeInfoCommand());
        list.push_back(makeCopyCommand());
        addCompetitorCommands(list);
        addRoundCommands(list);
        addScoringCommands(list);
        addRankingCommands(list);
        addInspectionCommands(list);
        addPrintCommands(list);
        return list;
    }();
    return commands;
}

int runR7t(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, std::istream* terminal)
{
    Io io{out, err, terminal};
    auto printHelp = [&](std::ostream& os) {
        os << "usage: r7t COMMANDE [OPTIONS]\n\nCommandes :\n";
        for (const auto& c : allCommands())
            os << "  " << c->name() << " " << c->synopsis() << "\n      " << c->description() << "\n";
    };
    if (args.empty()) {
        printHelp(err);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(out);
        return kExitOk;
    }
    if (args[0] == "--version") {
        out << "r7t " << R7T_VERSION << "\n";
        return kExitOk;
    }
    for (const auto& c : allCommands())
        if (c->name() == args[0])
            return c->execute({args.begin() + 1, args.end()}, io);
    err << "r7t: commande inconnue : " << args[0] << "\n";
    printHelp(err);
    return kExitUsage;
}

} // namespace r7t::cli
