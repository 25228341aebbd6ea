// Where the terminal chat gets its lines: a plain stream (piped input), or
// GNU readline with line editing and history when a person is typing.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace pladdo {

// Lines are UTF-8 without their line end.
class ILineReader {
 public:
  virtual ~ILineReader() = default;
  // Reads one line. prompt and suggestion are UTF-8; an interactive reader
  // shows the prompt and puts the suggestion into the line for editing.
  // False at the end of the input.
  virtual bool ReadLine(std::string& line, std::string_view prompt,
                        std::string_view suggestion) = 0;
  // Whether a person is typing (questions can be asked, echo to undo).
  virtual bool IsInteractive() const = 0;
  // Called before a typed line is answered, so the reader can take its own
  // echo of the line off the screen.
  virtual void ForgetEcho() {}
};

// Reads lines from a stream; shows no prompt. A CR before the LF is dropped.
std::unique_ptr<ILineReader> MakeStreamReader(std::istream& in);
// GNU readline with line editing and history; prompt on standard error.
// eraseEcho: remove the typed line from the screen once it is answered,
// because the transcript shows it again on the same terminal.
std::unique_ptr<ILineReader> MakeReadlineReader(bool eraseEcho);

}  // namespace pladdo
