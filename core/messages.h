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

// The text areas' context menus, and what their commands may report.
inline constexpr std::string_view kSpiega = "Spiega";
inline constexpr std::string_view kSuggerimento = "Suggerimento";
inline constexpr std::string_view kLivello = "Livello";
inline constexpr std::string_view kGeneraRelazione = "Genera relazione";
inline constexpr std::string_view kNoWordList = "Nessuna parola adatta in ";
inline constexpr std::string_view kNoNewRelation = "Nessuna nuova relazione con una sola soluzione";
inline constexpr std::string_view kStampa = "Stampa\u2026";

// The printer or the PDF file refused the sheet.
inline constexpr std::string_view kPrintFailed = "Stampa non riuscita";

// An error that carries no text of its own.
inline constexpr std::string_view kUnknownError = "errore sconosciuto";

// The spinner's text: only its first seven characters are ever shown.
inline constexpr std::string_view kSpinnerText = "Zifrel  ";

// Free relations (mode Libero).
inline constexpr std::string_view kLineTooLong = "Max 200 caratteri per formula";
inline constexpr std::string_view kTooManyRelations = "ERRORE: Max 20 relazioni";
inline constexpr std::string_view kErrorHeader = "ERRORE:";
inline constexpr std::string_view kSummaryRule = "------------------";
inline constexpr std::string_view kNoFreeSolution = "Nessuna soluzione";
inline constexpr std::string_view kOneFreeSolution = "1 soluzione";
inline constexpr std::string_view kFreeSolutionsSuffix = " soluzioni";
inline constexpr std::string_view kFreeSearchStopped = "(Ricerca interrotta)";
// The text of each CheckCode 0..8. Those ending in " in" are followed by the
// relation as typed, on the next line; "Troppe variabili" names no relation.
inline constexpr std::string_view kCheckMessages[] = {
    "Ok",
    "Carattere proibito in",
    "Parentesi non bilanciate in",
    "Manca il simbolo di relazione in",
    "Troppi simboli di relazione in",
    "Errore di sintassi in",
    "Errore nelle parentesi in",
    "Troppe variabili (Max 10!)",
    "Nessuna variabile in",
};

}  // namespace zifrel::msg
