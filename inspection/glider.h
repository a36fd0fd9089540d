// The glider inspection's records: two gliders per competitor number, their
// measures, and the six checks that make a glider valid. One Inspection
// object holds the records of one inspection file (inspection/ctr_file.h).
#pragma once

#include "contest/file_lock.h"
#include "text/text.h"

#include <array>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <string_view>

namespace r7t {

inline constexpr int32_t kCtrFileTag = 51245;     // fileTag of the .ctr file
inline constexpr int kInspectionMessageIncompatible = 401; // "Le fichier choisi est incompatible !"
inline constexpr int kInspectionMessageOutOfMemory = 402;  // "Mémoire insuffisante\rCréation impossible !"
inline constexpr int kInspectionMessagePilotExists = 403;  // "Ce pilote existe déjà !"
inline constexpr int kInspectionMessageBadNumber = 404;    // "Numéro incompatible !"

// The checks of checkPasses, in the order of the inspection sheet's lights.
inline constexpr int kCheckMass = 1;
inline constexpr int kCheckSpan = 2;
inline constexpr int kCheckGroundClearance = 3; // the box itself
inline constexpr int kCheckWidth = 4;
inline constexpr int kCheckHeight = 5;
inline constexpr int kCheckCanopy = 6;          // the box itself

// One inspected glider; every field of the 140-byte file record under its
// own name (the link at offset 8 is not kept: the list owns the order).
struct Glider {
    int32_t pilot = 0;            // competitor number, 1..99
    int32_t glider = 0;           // 1 or 2
    FixedText<32> model;          // "Marque ou modèle", at most 29 characters
    FixedText<12> registration;   // "Immatriculation", at most 9
    FixedText<32> pilotName;      // given when the pilot was created, at most 29
    int32_t mass = 0;             // grams, "Masse en vol"
    float span = 0.0f;            // cm, "Envergure totale"
    float width = 0.0f;           // "Largeur maître-couple", same unit as the span
    float height = 0.0f;          // "Hauteur maître-couple"
    std::array<uint8_t, 12> reserved1{};
    int32_t canopy = 0;           // "Verrière transparente" ticked
    int32_t groundClearance = 0;  // "Garde au sol > 1 cm" ticked
    std::array<uint8_t, 4> reserved2{};
    int32_t valid = 0;            // all six checks passed at the last save
    int32_t filled = 0;           // saved with "Enregistrer" (0 again for "N'existe pas")
    std::array<uint8_t, 4> reserved3{};

    bool operator==(const Glider&) const = default;
};

// The records of one inspection and the program's working state.
class Inspection {
public:
    Inspection() = default;
    Inspection(const Inspection&) = delete;
    Inspection& operator=(const Inspection&) = delete;

    int32_t fileTag = kCtrFileTag;
    std::list<Glider> gliders; // creation (or file) order, stable addresses
    int highestNumber = 0;         // highest pilot number 1..99 created or loaded
    int currentPilot = 0;
    int currentGlider = 0;
    bool isOpen = false;         // while an inspection file is open
    std::string filePath;
    // Held while the file is open (inspection/opening.h).
    std::shared_ptr<FileLock> writerLock;

    // Appends a zero-filled record; on exhausted memory raises 402 and
    // returns null.
    Glider* newGlider();
    // The first record of that pilot and glider, or null.
    Glider* findGlider(int32_t pilot, int32_t glider);
    const Glider* findGlider(int32_t pilot, int32_t glider) const;
    // Unlinks and frees exactly that record; an unknown record changes nothing.
    void removeGlider(const Glider* planeur);
    void clearRecords() { gliders.clear(); }

    void setAlertHandler(std::function<void(int)> handler) { alertHandler_ = std::move(handler); }
    void raiseAlert(int stringNumber);
    // Test hook: makes the next record creation fail as if memory were exhausted.
    void failNextAllocationForTest() { failNextAllocation_ = true; }

private:
    std::function<void(int)> alertHandler_;
    bool failNextAllocation_ = false;
};

// 1 when the measure passes the check, else 0 (and 0 for checks 3, 6 and
// unknown numbers: the boxes are judged by their own value). Checks 4 and 5
// compare the measure with the double constant times the reference span,
// the product formed in extended precision.
int checkPasses(const Glider& planeur, int check, float value, float reference);

// The six checks of a stored glider, as the inspection sheet recomputes
// them: the stored measures, the stored span as reference.
struct GliderVerdict {
    std::array<bool, 6> checks{}; // index = check number - 1
    bool valid() const;
};
GliderVerdict verdictOf(const Glider& planeur);

// State of a glider's button: 0 empty, 1 filled but not valid, 2 valid.
int buttonState(const Glider& planeur);

enum class NewPilotStatus {
    Created,
    BadNumber,    // not 1..99: message 404
    Exists,       // glider 1 of that number exists: message 403
    OutOfMemory,  // message 402 was raised; nothing was created
};
// A new pilot: its glider 1 and glider 2 records with the number and the
// name (Windows-1252, cut to 29 characters), everything else zero.
NewPilotStatus createPilot(Inspection& inspection, int32_t number, std::string_view nameCp1252);

// Removes both gliders of the pilot.
void deletePilot(Inspection& inspection, int32_t number);

namespace detail {
// Whether value >= constant x reference, the product taken exactly (two
// doubles through a fused multiply-add).
bool atLeastExactProduct(float value, double constant, float reference);
// The same with the product in long double.
bool atLeastLongDoubleProduct(float value, double constant, float reference);
} // namespace detail

} // namespace r7t
