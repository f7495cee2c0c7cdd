#pragma once

#include <string_view>

// Every fixed text of a printed sheet, in one place. "{}" stands for a
// number or a name the sheet fills in.
namespace zifrel::sheet_phrase {

inline constexpr std::string_view kTitle = "Zifrel \u2014 Schemi";
inline constexpr std::string_view kSeed = "Seme {}";
inline constexpr std::string_view kDate = "{} {} {}";  // "6 dicembre 2025"
inline constexpr std::string_view kSchema = "Schema {}";
inline constexpr std::string_view kAnswers = "Soluzioni";
inline constexpr std::string_view kPage = "Pagina {} di {}";
inline constexpr std::string_view kKeyEntry = "{}={}";  // "A=7"
inline constexpr std::string_view kMonths[] = {"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                                               "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};

}  // namespace zifrel::sheet_phrase
