// What the tests of the shipped bots share: paths, word lists, an engine set
// up as the controller sets up its two, and a profile's rows.
#pragma once

#include <algorithm>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/Codepage.h"
#include "engine/ProfileStream.h"

namespace pladdo {

inline const std::string kProfiles = std::string(PLADDO_PROFILES) + "/";
inline const std::string kPladdo = kProfiles + "pladdo.ppf";
inline const std::string kRimbus = kProfiles + "rimbus.ppf";

// Emergency, care advice, Mind Självmordslinjen, BRIS for the young.
constexpr const char* kHelpNumbers[] = {"112", "1177", "90101", "116 111"};

inline bool NamesHelp(const std::string& text) {
  return std::ranges::any_of(
      kHelpNumbers, [&](const char* n) { return text.find(n) != text.npos; });
}

// Windows-1252 to UTF-8, so that failure messages read right.
inline std::string U8(std::string_view cp1252) { return Cp1252ToUtf8(cp1252); }

// The non-blank lines of a list of tests/fixtures/bots, in Windows-1252.
inline std::vector<std::string> ReadList(const std::string& file) {
  std::ifstream in(std::string(PLADDO_FIXTURES) + "/bots/" + file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (line.find_first_not_of(' ') != line.npos) {
      lines.push_back(Utf8ToCp1252(line));
    }
  }
  return lines;
}

// An engine after its first turn as the controller leaves it: engine 1 has
// heard the user's name, engine 2 (speaking as user to "Pladdo") no input.
inline CChatEngine Started(const std::string& profile, const std::string& user,
                           bool engine2 = false) {
  CChatEngine engine;
  engine.SetLanguageFile(kProfiles + "language.dat");
  engine.SetProfile(profile);
  engine.Reset();
  engine.SetBotName();
  if (engine2) {
    engine.SetBotName(user);
    engine.SetUserName("Pladdo");
  } else {
    (void)engine.GetWelcome();
    engine.SetUserName(user);
    engine.SetInput(user);
  }
  (void)engine.GetReply();
  return engine;
}

inline std::string Reply(CChatEngine& engine, const std::string& line) {
  engine.SetInput(line);
  return std::string(engine.GetReply());
}

// The non-empty rows of a profile as the engine reads them.
inline std::vector<std::string> Rows(const std::string& profile) {
  CProfileStream stream;
  std::vector<std::string> rows;
  std::string_view row;
  for (bool open = stream.Open(profile); open && !stream.AtEnd();) {
    if (stream.ReadRowView(row) && !row.empty()) rows.emplace_back(row);
  }
  return rows;
}

// The answers (without their "!") of the block called name.
inline std::vector<std::string> Block(const std::string& profile,
                                      const std::string& name) {
  std::vector<std::string> answers;
  bool in = false;
  for (const std::string& row : Rows(profile)) {
    if (row[0] == '[') in = row == "[" + name + "]";
    if (in && row[0] == '!') answers.push_back(row.substr(1));
  }
  return answers;
}

}  // namespace pladdo
