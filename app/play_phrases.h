#pragma once

#include <string_view>

// Every fixed text of the Gioca window, in one place. "{}" stands for a
// letter, a digit, a count, a time or a name the window fills in.
namespace zifrel::play {

inline constexpr std::string_view kGioca = "Gioca";
inline constexpr std::string_view kTitle = "Gioca \u2014 {}";  // "Gioca — Livello: 2 (medio)"

// The commands.
inline constexpr std::string_view kControlla = "Controlla";
inline constexpr std::string_view kSuggerimento = "Suggerimento";
inline constexpr std::string_view kAnnulla = "Annulla";
inline constexpr std::string_view kRipeti = "Ripeti";
inline constexpr std::string_view kSoluzione = "Soluzione";
inline constexpr std::string_view kMatita = "Matita";
inline constexpr std::string_view kStop = "Stop";

// The clock, and what Controlla and the end of the game say.
inline constexpr std::string_view kClock = "Tempo: {}";
inline constexpr std::string_view kNoneRight = "Nessuna lettera su {} è giusta.";
inline constexpr std::string_view kOneRight = "Una lettera su {} è giusta.";
inline constexpr std::string_view kSomeRight = "{} lettere su {} sono giuste.";
inline constexpr std::string_view kSolved = "Risolto! Tutte le lettere sono giuste, in {}.";
inline constexpr std::string_view kAskSolution = "Mostrare la soluzione? Il gioco finisce qui.";
inline constexpr std::string_view kSolutionShown = "Ecco la soluzione.";
inline constexpr std::string_view kKeys =
    "Frecce e Tab: da una lettera all'altra; una lettera: la sua casella; una cifra la scrive, Canc la toglie.";

}  // namespace zifrel::play
