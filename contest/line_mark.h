// The state pictures drawn in front of the dialogs' list lines.
#pragma once

#include <string>
#include <string_view>

namespace r7t {

enum class LineMark { Vide, FeuVert, FeuOrange, FeuRouge, FeuTempo, Pause, Pause2 };

// The picture's name, as the lists and r7t print it.
constexpr std::string_view lineMarkName(LineMark mark)
{
    switch (mark) {
    case LineMark::Vide: return "VIDE";
    case LineMark::FeuVert: return "FEUVERT";
    case LineMark::FeuOrange: return "FEUORANGE";
    case LineMark::FeuRouge: return "FEUROUGE";
    case LineMark::FeuTempo: return "FEUTEMPO";
    case LineMark::Pause: return "PAUSE";
    case LineMark::Pause2: return "PAUSE2";
    }
    return "VIDE";
}

struct ListLine {
    std::string_view markName() const { return lineMarkName(mark); }
    std::string text; // UTF-8, columns separated by tabs
    LineMark mark = LineMark::Vide;
};

} // namespace r7t
