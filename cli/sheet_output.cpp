#include "cli/sheet_output.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <sstream>

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

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Runs zifrel-sheet FILE with `input` on its standard input; its messages go
// to our standard error.
int RunSheetProgram(const std::string& file, std::string_view input, Io& io) {
  const std::string program = SheetProgram();
  if (program.empty()) {
    io.err << "zifrel-cli: non trovo zifrel-sheet accanto a zifrel-cli\n";
    return kExitIo;
  }
  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
    io.err << "zifrel-cli: " << std::strerror(errno) << '\n';
    return kExitIo;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], STDIN_FILENO);
  // zifrel-sheet gets the default for a broken pipe, which we ignore below.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  std::string programArg = program;
  std::string fileArg = file;
  char* const argv[] = {programArg.data(), fileArg.data(), nullptr};
  pid_t child = 0;
  // A parent that ignores SIGCHLD would have the child reaped unseen, and
  // its status lost: for this one child, the default.
  const auto previousChild = std::signal(SIGCHLD, SIG_DFL);
  const int started = posix_spawn(&child, program.c_str(), &actions, &attributes, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  ::close(pipeEnds[0]);
  if (started != 0) {
    std::signal(SIGCHLD, previousChild);
    ::close(pipeEnds[1]);
    io.err << "zifrel-cli: non posso avviare " << program << ": " << std::strerror(started) << '\n';
    return kExitIo;
  }
  // A zifrel-sheet that ends early must not take zifrel-cli down with a
  // SIGPIPE: it has said why, and its exit status tells.
  const auto previous = std::signal(SIGPIPE, SIG_IGN);
  WriteAll(pipeEnds[1], input);
  ::close(pipeEnds[1]);
  std::signal(SIGPIPE, previous);
  int status = 0;
  pid_t waited = 0;
  while ((waited = ::waitpid(child, &status, 0)) < 0 && errno == EINTR) {
  }
  std::signal(SIGCHLD, previousChild);
  if (waited != child) {
    io.err << "zifrel-cli: non so come e' finito zifrel-sheet: " << std::strerror(errno) << '\n';
    return kExitIo;
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return kExitSearched;
  if (WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) return kExitInterrupted;
  return kExitIo;  // zifrel-sheet has said why the file could not be written
}

}  // namespace

int WriteSheet(std::span<const GeneratedSchema> schemas, int level, std::int32_t seed, const std::string& file,
               Io& io) {
  SheetDocument document{SeedNote(seed), {}};
  for (const GeneratedSchema& generated : schemas) {
    SheetSchema schema{generated.cells, generated.ops, generated.grid, level};
    if (schema.level == 0) {
      CellTexts cells;
      for (int k = 0; k < kCellCount; ++k) cells.Set(k, generated.cells[k]);
      const Grading grading = Grade(cells, generated.ops, io.stop);
      if (grading.outcome == ExplainOutcome::kStopped) return kExitInterrupted;
      schema.level = grading.level;
    }
    document.schemas.push_back(std::move(schema));
  }
  std::ostringstream text;
  WriteSheetText(document, text);
  io.out.Flush();  // what genera printed comes before anything zifrel-sheet says
  return RunSheetProgram(file, text.str(), io);
}

}  // namespace zifrel::cli
