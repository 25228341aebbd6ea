// What the test programs share: a temporary folder, files as bytes, and code
// or programs run in a child process that is killed when it hangs.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace pladdo::test {

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

inline void WriteFile(const std::filesystem::path& path,
                      std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  EXPECT_TRUE(out.good()) << "cannot write " << path;
}

// Fixed access and modification times; the change time still moves to now.
inline void SetFixedTimes(const std::string& path) {
  const timespec times[2] = {{1000000000, 5}, {1000000000, 5}};
  EXPECT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

// A fresh folder of its own, removed with everything in it at the end.
class TempDir {
 public:
  TempDir() {
    std::string path =
        (std::filesystem::temp_directory_path() / "pladdo-XXXXXX").string();
    if (mkdtemp(path.data()) == nullptr) ADD_FAILURE() << "no temp folder";
    m_path = path;
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  TempDir(const TempDir&) = delete;  // one removal only
  const std::filesystem::path& Path() const { return m_path; }
  std::string File(std::string_view name) const {
    return (m_path / name).string();
  }
  std::string Write(std::string_view name, std::string_view bytes) const {
    WriteFile(File(name), bytes);
    return File(name);
  }

 private:
  std::filesystem::path m_path;
};

struct ChildRun {
  int status = -1;      // the exit status; -1 when it did not exit
  std::string failure;  // why it did not exit with status 0, or ""
  std::string out, err;
  // What the tests compare: the output, or why there is none.
  std::string Result() const { return failure.empty() ? out : failure; }
};

// Runs body in a forked child, input on its standard input and what it
// returns on its output (files, never pipes); a hang is killed after seconds.
inline ChildRun RunChild(const std::function<std::string()>& body,
                         std::string_view input = "", int seconds = 30) {
  const TempDir dir;
  const std::string in = dir.Write("in", input), out = dir.File("out"),
                    err = dir.File("err");
  std::fflush(nullptr);  // nothing the parent buffered is written twice
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(open(in.c_str(), O_RDONLY), 0);
    dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    std::cout << body() << std::flush;
    _exit(0);
  }
  int raw = 0;
  bool killed = false;
  for (int ms = 0; pid > 0 && waitpid(pid, &raw, WNOHANG) == 0; ms += 5) {
    if (ms > seconds * 1000 && !killed) killed = kill(pid, SIGKILL) == 0;
    usleep(5000);
  }
  ChildRun run{pid > 0 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, "",
               ReadFile(out), ReadFile(err)};
  if (pid < 0) run.failure = "cannot fork";
  if (killed) run.failure = "did not finish within " + std::to_string(seconds);
  if (!killed && WIFSIGNALED(raw))
    run.failure = "signal " + std::to_string(WTERMSIG(raw));
  if (run.status > 0) run.failure = "exit status " + std::to_string(run.status);
  return run;
}

// Runs argv (looked up in the PATH) as RunChild does, in folder unless empty,
// env "NAME=value" set and "NAME" unset; one that cannot start ends with 127.
inline ChildRun RunProgram(std::vector<std::string> argv,
                           std::string_view input = "",
                           std::vector<std::string> env = {},
                           const std::string& folder = "", int seconds = 60) {
  const auto run = [&]() -> std::string {
    for (std::string& entry : env) {
      if (entry.find('=') == std::string::npos)
        unsetenv(entry.c_str());
      else
        putenv(entry.data());
    }
    if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(126);
    std::vector<char*> pointers;
    for (std::string& arg : argv) pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    execvp(pointers[0], pointers.data());
    std::cerr << "cannot start " << argv[0] << std::endl;
    _exit(127);
  };
  return RunChild(run, input, seconds);
}

}  // namespace pladdo::test
