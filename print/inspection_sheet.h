// The inspection sheet of the glider inspection program: one page per
// competitor whose glider 1 is filled, with each glider's measures, the
// verdict of each check recomputed from the stored values, and a place for
// the pilot's signature.
#pragma once

#include "inspection/glider.h"
#include "print/print_engine.h"

#include <string>

namespace r7t {

// Prints the inspection sheets of competitors firstNumber..lastNumber.
PrintOutcome ImprPlaneur(const Inspection& inspection, PrintEngine& engine, int firstNumber, int lastNumber);

// The printed value of a measure: "?????" when it is 0.
std::string inspectionMass(int32_t grams);     // "%i"
std::string inspectionSpan(float cm);          // "%i" of its integer part
std::string inspectionSection(float cm);       // "%6.1f"

} // namespace r7t
