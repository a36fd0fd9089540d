#include "inspection/glider.h"

#include "contest/records.h"

#include <cmath>
#include <limits>
#include <new>

namespace r7t {

namespace {

constexpr double kWidthFactor = 0.032;
constexpr double kHeightFactor = 0.04;
constexpr float kMassMin = 1000.0f;  // excluded
constexpr float kMassMax = 5000.0f;  // included
constexpr float kSpanMin = 350.0f;
constexpr size_t kPilotNameLength = 29;

// The limits of checks 4 and 5 were set with the product of a double
// constant (slightly above 0.032 and 0.04) and a float span held in an x87
// register: a 64-bit mantissa. A measure exactly at the decimal limit then
// usually fails (16 for a span of 400), where a double product would let it
// pass. Where long double has that 64-bit mantissa (x86 and x86-64 with GCC
// or Clang) the product is formed in it. Elsewhere long double is either
// double (MSVC, 32-bit ARM), which would change such outcomes, or IEEE quad
// (AArch64): there the comparison uses the exact product instead, which
// gives the extended outcome for every float span from 0.001 to 1e6 and the
// floats nearest the product (checked exhaustively on x86-64); a float can
// only differ from it when it lies within 2^-64 of the product.
bool atLeastProduct(float value, double constant, float reference)
{
    if constexpr (std::numeric_limits<long double>::digits == 64)
        return detail::atLeastLongDoubleProduct(value, constant, reference);
    else
        return detail::atLeastExactProduct(value, constant, reference);
}

} // namespace

namespace detail {

bool atLeastExactProduct(float value, double constant, float reference)
{
    const double high = constant * static_cast<double>(reference);
    const double v = value;
    if (!std::isfinite(high))
        return v >= high;
    if (v != high)
        return v > high; // the rounding error is below one unit of high
    return std::fma(constant, static_cast<double>(reference), -high) <= 0.0;
}

bool atLeastLongDoubleProduct(float value, double constant, float reference)
{
    return static_cast<long double>(value) >= static_cast<long double>(constant) * static_cast<long double>(reference);
}

} // namespace detail

void Inspection::raiseAlert(int stringNumber)
{
    if (alertHandler_)
        alertHandler_(stringNumber);
}

Glider* Inspection::newGlider()
{
    try {
        if (failNextAllocation_) {
            failNextAllocation_ = false;
            throw std::bad_alloc();
        }
        return &gliders.emplace_back();
    } catch (const std::bad_alloc&) {
        raiseAlert(kInspectionMessageOutOfMemory);
        return nullptr;
    }
}

Glider* Inspection::findGlider(int32_t pilot, int32_t glider)
{
    for (Glider& p : gliders)
        if (p.pilot == pilot && p.glider == glider)
            return &p;
    return nullptr;
}

const Glider* Inspection::findGlider(int32_t pilot, int32_t glider) const
{
    for (const Glider& p : gliders)
        if (p.pilot == pilot && p.glider == glider)
            return &p;
    return nullptr;
}

void Inspection::removeGlider(const Glider* planeur)
{
    for (auto it = gliders.begin(); it != gliders.end(); ++it)
        if (&*it == planeur) {
            gliders.erase(it);
            return;
        }
}

int checkPasses(const Glider&, int check, float value, float reference)
{
    // Checks 1 and 2 compare with constants exact in any precision.
    switch (check) {
    case kCheckMass: return value > kMassMin && value <= kMassMax ? 1 : 0;
    case kCheckSpan: return value >= kSpanMin ? 1 : 0;
    case kCheckWidth: return atLeastProduct(value, kWidthFactor, reference) ? 1 : 0;
    case kCheckHeight: return atLeastProduct(value, kHeightFactor, reference) ? 1 : 0;
    default: return 0;
    }
}

bool GliderVerdict::valid() const
{
    for (bool c : checks)
        if (!c)
            return false;
    return true;
}

GliderVerdict verdictOf(const Glider& p)
{
    GliderVerdict v;
    v.checks[kCheckMass - 1] = checkPasses(p, kCheckMass, static_cast<float>(p.mass), 0.0f) == 1;
    v.checks[kCheckSpan - 1] = checkPasses(p, kCheckSpan, p.span, 0.0f) == 1;
    v.checks[kCheckGroundClearance - 1] = p.groundClearance != 0;
    v.checks[kCheckWidth - 1] = checkPasses(p, kCheckWidth, p.width, p.span) == 1;
    v.checks[kCheckHeight - 1] = checkPasses(p, kCheckHeight, p.height, p.span) == 1;
    v.checks[kCheckCanopy - 1] = p.canopy != 0;
    return v;
}

int buttonState(const Glider& p)
{
    if (p.valid)
        return 2;
    return p.filled ? 1 : 0;
}

NewPilotStatus createPilot(Inspection& inspection, int32_t number, std::string_view nameCp1252)
{
    if (!isCompetitorNumber(number))
        return NewPilotStatus::BadNumber;
    if (inspection.findGlider(number, 1))
        return NewPilotStatus::Exists;
    Glider* first = inspection.newGlider();
    if (!first)
        return NewPilotStatus::OutOfMemory;
    Glider* second = inspection.newGlider();
    if (!second) {
        // A pilot with one glider would break the two-records rule.
        inspection.removeGlider(first);
        return NewPilotStatus::OutOfMemory;
    }
    const std::string_view name = nameCp1252.substr(0, kPilotNameLength);
    for (int g = 1; g <= 2; ++g) {
        Glider& p = g == 1 ? *first : *second;
        p.pilot = number;
        p.glider = g;
        p.pilotName.assignRaw(name);
    }
    inspection.currentPilot = number;
    if (number > inspection.highestNumber)
        inspection.highestNumber = number;
    return NewPilotStatus::Created;
}

void deletePilot(Inspection& inspection, int32_t number)
{
    for (int g = 1; g <= 2; ++g)
        inspection.removeGlider(inspection.findGlider(number, g));
}

} // namespace r7t
