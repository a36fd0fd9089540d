#include "cli/competitors/competitor_commands.h"

#include "text/text.h"

namespace r7t::cli {

namespace {

struct FieldOption {
    const char* name;
    const char* value;
    std::string PersonForm::*field;
};

const FieldOption kFieldOptions[] = {
    {"name", "N", &PersonForm::name},           {"freq1", "F", &PersonForm::frequency1},
    {"freq2", "F", &PersonForm::frequency2},    {"licence", "L", &PersonForm::licence},
    {"club", "C", &PersonForm::club},           {"club-number", "K", &PersonForm::clubNumber},
    {"country", "P", &PersonForm::country},     {"remark", "R", &PersonForm::remark},
    {"mass1", "G", &PersonForm::mass1},         {"mass2", "G", &PersonForm::mass2},
};

} // namespace

std::vector<OptionInfo> personFormOptions()
{
    std::vector<OptionInfo> optionList;
    for (const FieldOption& o : kFieldOptions)
        optionList.push_back({o.name, o.value});
    return optionList;
}

std::string personFormSynopsis()
{
    std::string text;
    for (const FieldOption& o : kFieldOptions)
        text += std::string(text.empty() ? "" : " ") + "[--" + o.name + " " + o.value + "]";
    return text;
}

void applyPersonOptions(PersonForm& form, const Arguments& args)
{
    for (const FieldOption& o : kFieldOptions)
        if (args.has(o.name))
            form.*(o.field) = utf8ToCp1252(args.value(o.name));
}

bool hasMassOption(const Arguments& args) { return args.has("mass1") || args.has("mass2"); }

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
