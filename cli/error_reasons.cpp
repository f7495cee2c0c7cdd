#include "cli/error_reasons.h"

#include <cerrno>
#include <string_view>

#include "core/messages.h"

namespace zifrel::cli {
namespace {

struct Reason {
  int error;
  std::string_view text;
};

// The errno values a read, a write, an open or a rename of a user's file can
// give; the rest are named by number, in Italian too.
constexpr Reason kReasons[] = {
    {ENOENT, "il file non esiste"},
    {EACCES, "permesso negato"},
    {EPERM, "permesso negato"},
    {EISDIR, "e' una cartella"},
    {ENOTDIR, "una parte del percorso non e' una cartella"},
    {ENAMETOOLONG, "il nome e' troppo lungo"},
    {ELOOP, "troppi collegamenti simbolici"},
    {ENOSPC, "spazio esaurito"},
    {EDQUOT, "quota del disco esaurita"},
    {EFBIG, "il file e' troppo grande"},
    {EROFS, "il disco e' in sola lettura"},
    {EIO, "errore del dispositivo"},
    {ENOMEM, "memoria esaurita"},
    {EMFILE, "troppi file aperti"},
    {ENFILE, "troppi file aperti"},
    {ENXIO, "il dispositivo non c'e'"},
    {ENODEV, "il dispositivo non c'e'"},
    {ETXTBSY, "il file e' in uso"},
    {EBUSY, "il file e' in uso"},
    {EAGAIN, "non pronto, riprova"},
    {EINVAL, "operazione non ammessa su questo file"},
    {ESTALE, "il file remoto non c'e' piu'"},
    {ETIMEDOUT, "tempo scaduto"},
    {ECONNRESET, "connessione interrotta"},
    {ENOTCONN, "connessione interrotta"},
    {EXDEV, "su un altro disco"},
};

std::string Reason(int error) {
  if (error == 0) return std::string(msg::kUnknownError);
  for (const auto& [code, text] : kReasons) {
    if (code == error) return std::string(text);
  }
  return "errore di sistema " + std::to_string(error);
}

}  // namespace

std::string ReadErrorReason(int error) { return error == EBADF ? "non e' aperto" : Reason(error); }

std::string WriteErrorReason(int error) {
  if (error == EBADF) return "l'uscita e' chiusa";
  if (error == EPIPE) return "nessuno legge piu' l'uscita";
  if (error == ENOENT) return "la cartella non esiste";  // a file that is not there is made
  return Reason(error);
}

}  // namespace zifrel::cli
