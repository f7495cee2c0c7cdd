#include "tests/support/process_run.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace zifrel::testing {
namespace {

using Clock = std::chrono::steady_clock;

int Elapsed(Clock::time_point since) {
  return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

void WriteAll(int fd, const std::string& text, int repeats) {
  for (int r = 0; r < repeats; ++r) {
    for (std::size_t done = 0; done < text.size();) {
      const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
      if (n <= 0) throw std::runtime_error("write");
      done += static_cast<std::size_t>(n);
    }
  }
}

// The input's text in a file of its own, unlinked at once, so that nothing
// is left behind and a large input needs no writer.
int InputFile(const std::string& text, int repeats) {
  char path[] = "/tmp/zifrel_input_XXXXXX";
  const int fd = ::mkstemp(path);
  if (fd < 0) throw std::runtime_error("mkstemp");
  ::unlink(path);
  WriteAll(fd, text, repeats);
  ::lseek(fd, 0, SEEK_SET);
  return fd;
}

void Drain(int& fd, std::string& into) {
  char buffer[65536];
  const ssize_t n = ::read(fd, buffer, sizeof buffer);
  if (n > 0) {
    into.append(buffer, static_cast<std::size_t>(n));
  } else if (n == 0 || errno != EINTR) {
    ::close(fd);  // the end; a terminal's master reads EIO once the slave is gone
    fd = -1;
  }
}

}  // namespace

Finished Run(const Process& process) {
  int stdinFd = -1, silentWriter = -1;
  switch (process.in) {
    case Process::In::kText:
      stdinFd = InputFile(process.input, process.inputRepeats);
      break;
    case Process::In::kDirectory:
      stdinFd = ::open("/", O_RDONLY | O_DIRECTORY);
      break;
    case Process::In::kSilentPipe: {
      int ends[2];
      if (::pipe(ends) != 0) throw std::runtime_error("pipe");
      stdinFd = ends[0], silentWriter = ends[1];
      WriteAll(silentWriter, process.input, process.inputRepeats);  // a pipe holds this much
      break;
    }
    case Process::In::kClosed:
      break;
  }
  int outRead = -1, outWrite = -1;
  switch (process.out) {
    case Process::Out::kPipe:
    case Process::Out::kBrokenPipe: {
      int ends[2];
      if (::pipe(ends) != 0) throw std::runtime_error("pipe");
      outRead = ends[0], outWrite = ends[1];
      if (process.out == Process::Out::kBrokenPipe) ::close(outRead), outRead = -1;
      break;
    }
    case Process::Out::kFull:
      outWrite = ::open("/dev/full", O_WRONLY);
      break;
    case Process::Out::kTerminal:
      if (::openpty(&outRead, &outWrite, nullptr, nullptr, nullptr) != 0) throw std::runtime_error("openpty");
      break;
    case Process::Out::kClosed:
      break;
  }
  int errEnds[2];
  if (::pipe(errEnds) != 0) throw std::runtime_error("pipe");

  std::vector<char*> argv = {const_cast<char*>(process.program.empty() ? ZIFREL_CLI : process.program.c_str())};
  for (const std::string& arg : process.args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  const Clock::time_point start = Clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(errEnds[1], 2);
    if (stdinFd >= 0) {
      ::dup2(stdinFd, 0);
    } else {
      ::close(0);
    }
    if (outWrite >= 0) {
      ::dup2(outWrite, 1);
    } else {
      ::close(1);
    }
    for (int fd = 3; fd < 256; ++fd) ::close(fd);
    for (const int signal : {SIGINT, SIGPIPE, SIGTERM, SIGCHLD}) ::signal(signal, SIG_DFL);
    for (const int signal : process.ignored) ::signal(signal, SIG_IGN);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  for (const int fd : {stdinFd, outWrite, errEnds[1]}) {
    if (fd >= 0) ::close(fd);
  }

  Finished finished{-1, "", "", -1};
  int errRead = errEnds[0];
  bool signalled = process.signal == 0;
  Clock::time_point signalledAt;
  int status = 0;
  for (bool reaped = false; !reaped;) {
    if (!signalled && Elapsed(start) >= process.signalAfterMs) {
      ::kill(pid, process.signal);
      signalled = true;
      signalledAt = Clock::now();
    }
    if (Elapsed(start) > process.timeoutMs) ::kill(pid, SIGKILL);
    pollfd fds[2] = {{outRead, POLLIN, 0}, {errRead, POLLIN, 0}};
    if (::poll(fds, 2, 5) > 0) {
      if (outRead >= 0 && fds[0].revents != 0) Drain(outRead, finished.out);
      if (errRead >= 0 && fds[1].revents != 0) Drain(errRead, finished.err);
    }
    reaped = ::waitpid(pid, &status, WNOHANG) == pid;
  }
  // The rest of what it wrote. Its ends of the pipes are closed now, unless
  // a process it started lives on with them: the end is when that one ends.
  while (outRead >= 0) Drain(outRead, finished.out);
  while (errRead >= 0) Drain(errRead, finished.err);
  if (process.signal != 0) finished.msAfterSignal = Elapsed(signalledAt);
  if (silentWriter >= 0) ::close(silentWriter);
  if (Elapsed(start) > process.timeoutMs) return finished;
  finished.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return finished;
}

}  // namespace zifrel::testing
