// The automatic dialogue of the shipped bots, run through the real
// controller and the terminal window as `pladdo --auto --names` runs it.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Codepage.h"
#include "engine/Random.h"
#include "ui/ChatDlg.h"
#include "ui/terminal/TerminalWindow.h"

namespace pladdo {
namespace {

const std::string kProfiles = std::string(PLADDO_PROFILES) + "/";
constexpr unsigned kSeeds[] = {1, 4711, 31337, 65521, 100003, 271828, 314159};

// Windows-1252 to UTF-8, so that failure messages read right.
std::string U8(std::string_view cp1252) { return Cp1252ToUtf8(cp1252); }

// Marks of a variable left unexpanded, a message code or an error note.
constexpr const char* kMarkup = "%#[";

TEST(AutomaticDialogue, FiftyExchangesStayFreeOfCodesAndMostlyDistinct) {
  for (unsigned seed : {kSeeds[0], kSeeds[1], kSeeds[2], kSeeds[3]}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    PinRandomSeed(seed);
    std::ostringstream out, err;
    CTerminalWindow window(out, err, "1");
    CChatDlg dialog(window);
    dialog.Start({kProfiles + "pladdo.ppf", kProfiles + "rimbus.ppf",
                  kProfiles + "language.dat", true, true});
    for (int i = 0; i < 51; ++i) dialog.OnAnswer();  // the first sends a name
    std::vector<std::string> lines;
    std::istringstream transcript(dialog.m_strTranscript);
    for (std::string line; std::getline(transcript, line, '\n');) {
      lines.push_back(line.substr(0, line.find('\r')));
    }
    // The welcome, the name and its answer, then two lines per exchange.
    ASSERT_EQ(lines.size(), 1u + 2u * 51u);
    EXPECT_EQ(lines[1], "Rimbus: Rimbus");
    std::map<std::string, int> counts;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i].find_first_of(kMarkup), lines[i].npos) << U8(lines[i]);
      EXPECT_TRUE(i < 3 ||
                  lines[i].starts_with(i % 2 ? "Rimbus: " : "Pladdo: "))
          << "line " << i << " has the wrong speaker: " << U8(lines[i]);
      EXPECT_LE(++counts[lines[i]], 5) << "a bot is stuck on " << U8(lines[i]);
    }
    EXPECT_GE(counts.size() * 10, lines.size() * 6)
        << counts.size() << " distinct of " << lines.size();
  }
  UnpinRandomSeed();
}

}  // namespace
}  // namespace pladdo
