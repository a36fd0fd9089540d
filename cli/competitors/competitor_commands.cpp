#include "cli/competitors/competitor_commands.h"

#include "text/text.h"

#include <charconv>

namespace r7t::cli {

namespace {

struct FieldOption {
    const char* name;
    std::string PersonForm::*field;
};

const FieldOption kFieldOptions[] = {
    {"name", &PersonForm::name},           {"freq1", &PersonForm::frequency1},
    {"freq2", &PersonForm::frequency2},    {"licence", &PersonForm::licence},
    {"club", &PersonForm::club},           {"club-number", &PersonForm::clubNumber},
    {"country", &PersonForm::country},     {"remark", &PersonForm::remark},
    {"mass1", &PersonForm::mass1},         {"mass2", &PersonForm::mass2},
};

} // namespace

std::vector<OptionSpec> personFormOptions()
{
    std::vector<OptionSpec> specs;
    for (const FieldOption& o : kFieldOptions)
        specs.push_back({o.name, true});
    return specs;
}

std::string personFormSynopsis()
{
    return "[--name N] [--freq1 F] [--freq2 F] [--licence L] [--club C] [--club-number K] [--country P] "
           "[--remark R] [--mass1 G] [--mass2 G]";
}

void applyPersonOptions(PersonForm& form, const Arguments& args)
{
    for (const FieldOption& o : kFieldOptions)
        if (args.has(o.name))
            form.*(o.field) = utf8ToCp1252(args.value(o.name));
}

bool hasMassOption(const Arguments& args) { return args.has("mass1") || args.has("mass2"); }

std::optional<int32_t> parseNumberArgument(const std::string& text)
{
    int32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string cancelledRoundsText(const std::vector<int>& rounds)
{
    if (rounds.empty())
        return "Aucune manche annulée";
    std::string text = rounds.size() == 1 ? "Manche annulée :" : "Manches annulées :";
    for (int r : rounds)
        text += " " + std::to_string(r);
    return text;
}

std::string terminalLine(const std::string& cp1252) { return cp1252ToUtf8(cp1252); }

} // namespace r7t::cli
