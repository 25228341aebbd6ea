// Temporary folders, bounded child runs and program runs for the hostile
// tests.
#include "tests/hostile/HostileUtil.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace pladdo::hostile {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string templ = (fs::temp_directory_path() / "pladdo-hostile-XXXXXX").string();
  if (mkdtemp(templ.data()) == nullptr) {
    throw std::runtime_error("mkdtemp failed");
  }
  m_strPath = templ;
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::remove_all(m_strPath, ec);
}

std::string TempFolder::File(std::string_view name) const {
  return m_strPath + "/" + std::string(name);
}

std::string TempFolder::Write(std::string_view name,
                              std::string_view bytes) const {
  const std::string path = File(name);
  WriteBytes(path, bytes);
  return path;
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    throw std::runtime_error("cannot write " + path);
  }
}

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

using SteadyClock = std::chrono::steady_clock;

int MillisLeft(SteadyClock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - SteadyClock::now());
  return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

// Reads fds until both reach their end or the deadline passes. Returns false
// on the deadline.
bool Drain(int fdA, std::string& a, int fdB, std::string& b,
           SteadyClock::time_point deadline) {
  pollfd fds[2] = {{fdA, POLLIN, 0}, {fdB, POLLIN, 0}};
  std::string* sinks[2] = {&a, &b};
  int open = (fdA >= 0 ? 1 : 0) + (fdB >= 0 ? 1 : 0);
  char buffer[65536];
  while (open > 0) {
    const int ready = poll(fds, 2, MillisLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        fds[i].fd = -1;
        --open;
      }
    }
  }
  return true;
}

}  // namespace

ChildResult RunBounded(int seconds, std::vector<std::string> (*work)(void*),
                       void* context) {
  ChildResult result;
  int channel[2];
  if (pipe(channel) != 0) {
    result.failure = "pipe failed";
    return result;
  }
  const pid_t pid = fork();
  if (pid < 0) {
    result.failure = "fork failed";
    return result;
  }
  if (pid == 0) {
    close(channel[0]);
    const std::vector<std::string> texts = work(context);
    std::string message;
    for (const std::string& text : texts) {
      message += std::to_string(text.size()) + ":" + text;
    }
    _exit(WriteAll(channel[1], message) ? 0 : 1);
  }
  close(channel[1]);
  std::string message;
  std::string unused;
  const auto deadline = SteadyClock::now() + std::chrono::seconds(seconds);
  const bool drained = Drain(channel[0], message, -1, unused, deadline);
  close(channel[0]);
  if (!drained) {
    kill(pid, SIGKILL);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (!drained) {
    result.failure = "did not finish within " + std::to_string(seconds) + " s";
    return result;
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    result.failure = WIFSIGNALED(status)
                         ? "ended by signal " + std::to_string(WTERMSIG(status))
                         : "ended with status " + std::to_string(WEXITSTATUS(status));
    return result;
  }
  std::size_t at = 0;
  while (at < message.size()) {
    const std::size_t colon = message.find(':', at);
    const std::size_t length = std::stoul(message.substr(at, colon - at));
    result.texts.push_back(message.substr(colon + 1, length));
    at = colon + 1 + length;
  }
  result.finished = true;
  return result;
}

std::string PladdoProgram() {
  const std::string path = std::string(PLADDO_BUILD_DIR) + "/pladdo";
  return access(path.c_str(), X_OK) == 0 ? path : std::string();
}

ProgramRun RunProgram(const std::string& program,
                      const std::vector<std::string>& args,
                      std::string_view input, int seconds) {
  ProgramRun run;
  int in[2];
  int out[2];
  int err[2];
  if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return run;
  const pid_t pid = fork();
  if (pid < 0) return run;
  if (pid == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  // A feeder process writes standard input, so that a program that stops
  // reading cannot block the test.
  const std::string copy(input);
  const int inFd = in[1];
  signal(SIGPIPE, SIG_IGN);
  const pid_t feeder = fork();
  if (feeder == 0) {
    close(out[0]);
    close(err[0]);
    _exit(WriteAll(inFd, copy) ? 0 : 1);
  }
  close(in[1]);
  const auto deadline = SteadyClock::now() + std::chrono::seconds(seconds);
  run.finished = Drain(out[0], run.out, err[0], run.err, deadline);
  close(out[0]);
  close(err[0]);
  if (!run.finished) {
    kill(pid, SIGKILL);
    if (feeder > 0) kill(feeder, SIGKILL);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (feeder > 0) waitpid(feeder, nullptr, 0);
  if (run.finished && WIFEXITED(status)) {
    run.exitStatus = WEXITSTATUS(status);
  } else {
    run.finished = false;
  }
  return run;
}

}  // namespace pladdo::hostile
