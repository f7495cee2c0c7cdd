#pragma once

#include <string_view>

// Every line and caption the system shows, defined once. Both front ends
// print them through the same code, so they cannot drift apart.
namespace zifrel::msg {

inline constexpr std::string_view kProgramTitle = "Zifrel 2";

// Schema solver.
inline constexpr std::string_view kIncomplete = "Problema incompleto!";
inline constexpr std::string_view kTooManySymbols = "Troppi simboli !!";
inline constexpr std::string_view kNoSolution = "Nessuna Soluzione !";
inline constexpr std::string_view kSearchStopped = "Ricerca interrotta !";
inline constexpr std::string_view kOneSolution = "Una sola soluzione:";
inline constexpr std::string_view kSomeSolutionsSuffix = " soluzioni distinte:";
inline constexpr std::string_view kTenOrMoreSolutions = "10 (o piu') soluzioni distinte:";

// Operators that admit no Schema.
inline constexpr std::string_view kNoPossibleSolution = "Nessuna soluzione possibile";

// Window captions.
inline constexpr std::string_view kGo = "Vai";
inline constexpr std::string_view kStop = "Stop";
inline constexpr std::string_view kWait = "Wait";

// An error that carries no text of its own.
inline constexpr std::string_view kUnknownError = "errore sconosciuto";

// The spinner's text: only its first seven characters are ever shown.
inline constexpr std::string_view kSpinnerText = "Zifrel  ";

}  // namespace zifrel::msg
