// The glider form: what its fields hold as typed, the values the record
// keeps of them, the six lights, and the record's update on "Enregistrer"
// and "N'existe pas". The lights judge the values the record will keep, so
// that a light never promises what the sheet then refuses.
#pragma once

#include "inspection/glider.h"

#include <array>
#include <string>
#include <string_view>

namespace r7t {

// Characters read from a measure field.
inline constexpr int kMeasureLength = 7;
// What the record keeps of the texts.
inline constexpr int kModelLength = 29;
inline constexpr int kRegistrationLength = 9;
// The width and height are judged against this span while none is typed.
inline constexpr float kReferenceSpanWhenEmpty = 100.0f;

struct GliderForm {
    std::string model;        // Windows-1252
    std::string registration; // Windows-1252
    std::string mass, width, span, height; // as typed
    bool groundClearance = false;
    bool canopy = false;
};

// A measure as the record keeps it: the first kMeasureLength characters
// read as a decimal number; a decimal comma counts as the point (12,8 is
// 12.8, as a French hand writes it). 0 when there is no number.
float readMeasure(std::string_view typed);
// The mass as the record keeps it: the integer part of the text.
int32_t readMass(std::string_view typed);

// The six checks, index check number - 1.
struct GliderLights {
    std::array<bool, 6> checks{};
    bool allPass() const;
};
GliderLights lightsOf(const GliderForm& form);

// The form of a record: its values when it is filled, else empty fields.
// An empty span field stands for a span of 0.
GliderForm formOf(const Glider& planeur);
// A stored measure as a field shows it: "%.1f", or more decimals when the
// value has them, so that saving the form again keeps it.
std::string measureText(float value);

// "Enregistrer": the record takes the form's values, filled, and valid when
// all six lights are green.
void storeForm(Glider& planeur, const GliderForm& form);
// "N'existe pas": neither filled nor valid; the measures stay.
void declareAbsent(Glider& planeur);

// The numbers of the inspection sheets' range, as typed: the last one is
// raised to the first when smaller.
struct SheetRange {
    int first = 1;
    int last = 1;
};
SheetRange sheetRange(std::string_view first, std::string_view last);

} // namespace r7t
