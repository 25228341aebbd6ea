// The two line readers of the terminal chat: a plain stream and readline.
#include "ui/terminal/LineReader.h"

#include <stdio.h>
#include <sys/ioctl.h>
#include <unistd.h>
// readline's headers need stdio.h first.
#include <readline/history.h>
#include <readline/readline.h>

#include <algorithm>
#include <cstdlib>
#include <istream>

#include "engine/TextUtil.h"

namespace pladdo {
namespace {

class CStreamReader : public ILineReader {
 public:
  explicit CStreamReader(std::istream& in) : m_in(in) {}
  bool ReadLine(std::string& line, std::string_view,
                std::string_view) override {
    if (!std::getline(m_in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
  }
  bool IsInteractive() const override { return false; }

 private:
  std::istream& m_in;
};

// The suggestion readline types into the next line before the user edits.
std::string g_strSuggestion;

int InsertSuggestion() {
  if (!g_strSuggestion.empty()) {
    rl_insert_text(g_strSuggestion.c_str());
    g_strSuggestion.clear();
  }
  return 0;
}

class CReadlineReader : public ILineReader {
 public:
  explicit CReadlineReader(bool eraseEcho) : m_bEraseEcho(eraseEcho) {
    // The prompt goes to standard error so that standard output stays the
    // transcript, even when it is redirected.
    rl_outstream = stderr;
    rl_startup_hook = InsertSuggestion;
  }

  bool ReadLine(std::string& line, std::string_view prompt,
                std::string_view suggestion) override {
    g_strSuggestion = suggestion;
    const std::string promptText(prompt);
    char* raw = readline(promptText.c_str());
    if (raw == nullptr) {
      std::fputc('\n', stderr);  // leave the shell's prompt on a fresh line
      return false;
    }
    line = raw;
    std::free(raw);
    if (!TrimWhiteSpace(line).empty()) add_history(line.c_str());
    m_nEchoColumns = DisplayWidth(promptText) + DisplayWidth(line);
    return true;
  }

  bool IsInteractive() const override { return true; }

  void ForgetEcho() override {
    if (!m_bEraseEcho) return;
    winsize size{};
    int columns = 80;
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
      columns = size.ws_col;
    }
    const std::size_t rows = std::max<std::size_t>(
        1, (m_nEchoColumns + static_cast<std::size_t>(columns) - 1) /
               static_cast<std::size_t>(columns));
    for (std::size_t i = 0; i < rows; ++i) std::fputs("\x1b[1A\x1b[2K", stderr);
    std::fputc('\r', stderr);
    std::fflush(stderr);
  }

 private:
  // Columns a UTF-8 text takes: one per character (continuation bytes do
  // not count).
  static std::size_t DisplayWidth(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(
        utf8.begin(), utf8.end(),
        [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
  }

  bool m_bEraseEcho;
  std::size_t m_nEchoColumns = 0;
};

}  // namespace

std::unique_ptr<ILineReader> MakeStreamReader(std::istream& in) {
  return std::make_unique<CStreamReader>(in);
}

std::unique_ptr<ILineReader> MakeReadlineReader(bool eraseEcho) {
  return std::make_unique<CReadlineReader>(eraseEcho);
}

}  // namespace pladdo
