#include "inspection/glider_entry.h"

#include "text/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace r7t {

namespace {

std::string_view measurePart(std::string_view typed) { return typed.substr(0, kMeasureLength); }

} // namespace

float readMeasure(std::string_view typed)
{
    std::string text(measurePart(typed));
    for (char& c : text)
        if (c == ',')
            c = '.';
    return static_cast<float>(leadingDecimal(text));
}

int32_t readMass(std::string_view typed) { return leadingInt32(measurePart(typed)); }

bool GliderLights::allPass() const
{
    for (bool c : checks)
        if (!c)
            return false;
    return true;
}

GliderLights lightsOf(const GliderForm& form)
{
    const Glider none;
    const float span = readMeasure(form.span);
    const float reference = span == 0.0f ? kReferenceSpanWhenEmpty : span;
    GliderLights lights;
    lights.checks[kCheckMass - 1] = checkPasses(none, kCheckMass, static_cast<float>(readMass(form.mass)), 0.0f) == 1;
    lights.checks[kCheckSpan - 1] = checkPasses(none, kCheckSpan, span, 0.0f) == 1;
    lights.checks[kCheckGroundClearance - 1] = form.groundClearance;
    lights.checks[kCheckWidth - 1] = checkPasses(none, kCheckWidth, readMeasure(form.width), reference) == 1;
    lights.checks[kCheckHeight - 1] = checkPasses(none, kCheckHeight, readMeasure(form.height), reference) == 1;
    lights.checks[kCheckCanopy - 1] = form.canopy;
    return lights;
}

std::string measureText(float value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", double(value));
    if (std::isfinite(value) && static_cast<float>(std::strtod(text, nullptr)) == value)
        return text;
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    return ec == std::errc() ? std::string(text, end) : std::string(text);
}

GliderForm formOf(const Glider& p)
{
    GliderForm form;
    if (!p.filled)
        return form;
    form.model = std::string(p.model.raw());
    form.registration = std::string(p.registration.raw());
    form.mass = std::to_string(p.mass);
    form.span = p.span == 0.0f ? std::string() : measureText(p.span);
    form.width = measureText(p.width);
    form.height = measureText(p.height);
    form.groundClearance = p.groundClearance != 0;
    form.canopy = p.canopy != 0;
    return form;
}

void storeForm(Glider& p, const GliderForm& form)
{
    p.model.assignRaw(std::string_view(form.model).substr(0, kModelLength));
    p.registration.assignRaw(std::string_view(form.registration).substr(0, kRegistrationLength));
    p.mass = readMass(form.mass);
    p.width = readMeasure(form.width);
    p.span = readMeasure(form.span);
    p.height = readMeasure(form.height);
    p.groundClearance = form.groundClearance ? 1 : 0;
    p.canopy = form.canopy ? 1 : 0;
    p.filled = 1;
    p.valid = lightsOf(form).allPass() ? 1 : 0;
}

void declareAbsent(Glider& p)
{
    p.valid = 0;
    p.filled = 0;
}

SheetRange sheetRange(std::string_view first, std::string_view last)
{
    SheetRange range;
    range.first = leadingInt32(first.substr(0, 3));
    range.last = leadingInt32(last.substr(0, 3));
    if (range.last < range.first)
        range.last = range.first;
    return range;
}

} // namespace r7t
