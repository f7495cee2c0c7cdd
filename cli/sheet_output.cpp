#include "cli/sheet_output.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "cli/error_reasons.h"
#include "cli/sheet_target.h"
#include "cli/signals.h"
#include "deduce/explain.h"
#include "sheet/sheet_document.h"

extern char** environ;

namespace zifrel::cli {
namespace {

// Empty when this program cannot tell where it lies: a bare name would be
// looked up in the working directory.
std::string SheetProgram() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !self.has_parent_path()) return "";
  return (self.parent_path() / "zifrel-sheet").string();
}

// A pipe whose ends are not standard streams: with one of those closed, a
// new pipe could take its number, and a child's set-up would clobber it.
bool PipeAbove2(int ends[2]) {
  if (::pipe2(ends, O_CLOEXEC) != 0) return false;
  for (int k = 0; k < 2; ++k) {
    if (ends[k] > 2) continue;
    const int moved = ::fcntl(ends[k], F_DUPFD_CLOEXEC, 3);
    ::close(ends[k]);
    ends[k] = moved;
  }
  return ends[0] >= 0 && ends[1] >= 0;
}

void CloseOnce(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

// What zifrel-sheet left: the PDF on its standard output, what it said on
// its standard error, and how it ended.
struct SheetRun {
  std::string pdf;
  std::string said;  // the first few kilobytes
  int status = 0;    // as waitpid gives it
  int error = 0;     // the errno of a failure to start it
  bool stopped = false;
};

constexpr std::size_t kSaidKept = 4096;

// Runs `program` with `input` on its standard input. A signal to stop kills
// it at once: the drawing has nothing worth waiting for. While it runs,
// SIGINT and SIGTERM are let through only inside ppoll, so that one cannot
// slip in between a look at the stop flag and the wait.
SheetRun RunSheetProgram(const std::string& program, std::string_view input, StopFlag& stop) {
  SheetRun run;
  int toChild[2] = {-1, -1}, fromChild[2] = {-1, -1}, errChild[2] = {-1, -1};
  if (!PipeAbove2(toChild) || !PipeAbove2(fromChild) || !PipeAbove2(errChild)) {
    run.error = errno;
    for (int* fd : {&toChild[0], &toChild[1], &fromChild[0], &fromChild[1], &errChild[0], &errChild[1]}) {
      CloseOnce(*fd);
    }
    return run;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, errChild[1], STDERR_FILENO);
  // zifrel-sheet gets the default for a broken pipe, which we ignore below.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  sigset_t stopSignals, previousMask;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigprocmask(SIG_BLOCK, &stopSignals, &previousMask);
  posix_spawnattr_setsigmask(&attributes, &previousMask);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  std::string programArg = program;
  char* const argv[] = {programArg.data(), nullptr};
  // A parent that ignores SIGCHLD would have the child reaped unseen, and
  // its status lost: for this one child, the default. A zifrel-sheet that
  // ends early must not take zifrel-cli down with a SIGPIPE: its exit
  // status tells.
  const auto previousChild = std::signal(SIGCHLD, SIG_DFL);
  const auto previousPipe = std::signal(SIGPIPE, SIG_IGN);
  pid_t child = 0;
  run.error = posix_spawn(&child, program.c_str(), &actions, &attributes, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  CloseOnce(toChild[0]);
  CloseOnce(fromChild[1]);
  CloseOnce(errChild[1]);
  if (run.error == 0) {
    ::fcntl(toChild[1], F_SETFL, O_NONBLOCK);
    char buffer[1 << 16];
    while (fromChild[0] >= 0 || errChild[0] >= 0) {
      if (stop.IsSet()) {
        ::kill(child, SIGKILL);
        run.stopped = true;
        break;
      }
      pollfd fds[3] = {{toChild[1], POLLOUT, 0}, {fromChild[0], POLLIN, 0}, {errChild[0], POLLIN, 0}};
      if (::ppoll(fds, 3, nullptr, &previousMask) < 0) {
        if (errno == EINTR) continue;  // the flag is looked at above
        run.error = errno;
        ::kill(child, SIGKILL);
        break;
      }
      if (fds[0].revents != 0) {
        const ssize_t written = ::write(toChild[1], input.data(), input.size());
        if (written > 0) input.remove_prefix(static_cast<std::size_t>(written));
        if ((written < 0 && errno != EAGAIN) || input.empty()) CloseOnce(toChild[1]);
      }
      for (const int k : {1, 2}) {
        if (fds[k].revents == 0) continue;
        int& fd = k == 1 ? fromChild[0] : errChild[0];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0) {
          CloseOnce(fd);
        } else if (k == 1) {
          run.pdf.append(buffer, static_cast<std::size_t>(got));
        } else {
          run.said.append(buffer,
                          std::min(static_cast<std::size_t>(got), kSaidKept - std::min(kSaidKept, run.said.size())));
        }
      }
    }
    while (::waitpid(child, &run.status, 0) < 0 && errno == EINTR) {
    }
  }
  for (int* fd : {&toChild[1], &fromChild[0], &errChild[0]}) CloseOnce(*fd);
  std::signal(SIGPIPE, previousPipe);
  std::signal(SIGCHLD, previousChild);
  // A signal that came meanwhile is handled here, and sets the flag.
  sigprocmask(SIG_SETMASK, &previousMask, nullptr);
  if (stop.IsSet()) run.stopped = true;
  return run;
}

// Why zifrel-sheet did not draw the sheet, in zifrel-cli's words: the user
// ran zifrel-cli. Its own lines come first, under zifrel-cli's name.
void ReportSheetFailure(const std::string& program, const SheetRun& run, Io& io) {
  std::istringstream said(run.said);
  bool told = false;
  for (std::string line; std::getline(said, line); told = true) {
    constexpr std::string_view kItsName = "zifrel-sheet: ";
    io.err << "zifrel-cli: " << (line.starts_with(kItsName) ? line.substr(kItsName.size()) : line) << '\n';
  }
  if (run.error != 0) {
    io.err << "zifrel-cli: non riesco ad avviare " << program << ": " << ReadErrorReason(run.error) << '\n';
  } else if (WIFSIGNALED(run.status)) {
    const char* name = sigabbrev_np(WTERMSIG(run.status));
    io.err << "zifrel-cli: zifrel-sheet e' stato terminato dal segnale "
           << (name != nullptr ? "SIG" + std::string(name) : std::to_string(WTERMSIG(run.status)))
           << ": il foglio non e' stato scritto\n";
  } else if (!told) {
    io.err << "zifrel-cli: zifrel-sheet non ha disegnato il foglio (stato " << WEXITSTATUS(run.status) << ")\n";
  }
}

}  // namespace

int WriteSheet(std::span<const GeneratedSchema> schemas, int level, std::int32_t seed, const std::string& file,
               Io& io) {
  // A signal now stops the grading or the drawing, and leaves no file.
  const SearchRunning drawing;
  SheetDocument document{SeedNote(seed), {}};
  for (const GeneratedSchema& generated : schemas) {
    SheetSchema schema{generated.cells, generated.ops, generated.grid, level};
    if (schema.level == 0) {
      const Grading grading = Grade(CellTextsOf(generated.cells), generated.ops, io.stop);
      if (grading.outcome == ExplainOutcome::kStopped) return kExitInterrupted;
      schema.level = grading.level;
    }
    document.schemas.push_back(std::move(schema));
  }
  std::ostringstream text;
  WriteSheetText(document, text);
  io.out.Flush();  // what genera printed comes before anything said about the sheet
  const std::string program = SheetProgram();
  if (program.empty()) {
    io.err << "zifrel-cli: non trovo zifrel-sheet accanto a zifrel-cli\n";
    return kExitIo;
  }
  const SheetRun run = RunSheetProgram(program, text.str(), io.stop);
  if (run.stopped) return kExitInterrupted;
  if (run.error != 0 || !WIFEXITED(run.status) || WEXITSTATUS(run.status) != 0 || run.pdf.empty()) {
    ReportSheetFailure(program, run, io);
    return kExitIo;
  }
  SheetTarget target(file);
  if (target.Open(io.stop) && target.Write(run.pdf, io.stop) && target.Commit()) return kExitSearched;
  if (target.Error() == 0) return kExitInterrupted;
  io.err << "zifrel-cli: non riesco a scrivere " << target.Name() << ": " << WriteErrorReason(target.Error()) << '\n';
  return kExitIo;
}

}  // namespace zifrel::cli
