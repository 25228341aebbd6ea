// Helpers of the hostile-input tests: a private temporary folder, files
// written as bytes, engine work run in a child process that is killed when it
// does not finish, and runs of the built pladdo program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pladdo::hostile {

// A folder under the system's temporary folder, removed with its content
// when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return m_strPath; }
  // The path of name inside the folder.
  std::string File(std::string_view name) const;
  // Writes bytes to name inside the folder and returns its path.
  std::string Write(std::string_view name, std::string_view bytes) const;

 private:
  std::string m_strPath;
};

// Writes bytes to path, replacing what was there.
void WriteBytes(const std::string& path, std::string_view bytes);

// What a bounded child run gave back: the texts it produced, or why there
// are none.
struct ChildResult {
  bool finished = false;       // the child ended on its own and reported
  std::string failure;         // why not, for the test's message
  std::vector<std::string> texts;
};

// Runs work in a forked child and returns the texts it produced. A child
// still running after seconds is killed: the caller's test then fails with a
// message instead of hanging the suite.
ChildResult RunBounded(int seconds, std::vector<std::string> (*work)(void*),
                       void* context);

template <class F>
ChildResult RunBounded(int seconds, F&& work) {
  return RunBounded(
      seconds,
      [](void* context) { return (*static_cast<F*>(context))(); },
      static_cast<void*>(&work));
}

// The built pladdo program, or "" while it does not exist yet.
std::string PladdoProgram();

struct ProgramRun {
  bool finished = false;  // ended within the time limit
  int exitStatus = -1;    // exit status when it ended normally
  std::string out;        // standard output
  std::string err;        // standard error
};

// Runs program with args, feeding input on standard input; kills it after
// seconds.
ProgramRun RunProgram(const std::string& program,
                      const std::vector<std::string>& args,
                      std::string_view input, int seconds);

}  // namespace pladdo::hostile
