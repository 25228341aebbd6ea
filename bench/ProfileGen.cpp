// Builds the synthetic profiles and inputs the benchmarks run on.
#include "bench/ProfileGen.h"

#include <cstdio>

namespace pladdo::bench {

std::string KeywordOf(int k) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "keyword%05d", k);
  return buffer;
}

std::string HitInputOf(int k) {
  return "Vad tycker du om " + KeywordOf(k) + " och mig idag?";
}

std::string MakeSyntheticProfile(int groups, bool samples) {
  std::string text;
  text.reserve(static_cast<std::size_t>(groups) * 120 + 1024);
  text += "# Synthetic profile with " + std::to_string(groups) +
          " keyword groups\n";
  text +=
      "[INFO]\nname=Syntet\nversion=1.0\ncreator=Pladdo bench\n"
      "info=Genererad profil f\u00f6r m\u00e4tningar.\nlanguage=svenska\n"
      "[NAME]\n!Syntet\n"
      "[WELCOME]\n!Hej! Jag \u00e4r en syntetisk bot. Vad heter du?\n"
      "[START]\n!Trevligt att tr\u00e4ffas, %NAME_USER%.\n"
      "[REPEAT]\n!Du upprepar dig.\n"
      "[IMITATE]\n!H\u00e4rmar du mig?\n"
      "[SPEAK]\n";
  for (int k = 0; k < groups; ++k) {
    const std::string keyword = KeywordOf(k);
    if (samples) {
      text += "#> " + HitInputOf(k) + "\n";
    }
    text += "?" + keyword + "\n";
    text += "!Svar ett om " + keyword + ", %NAME_USER%.\n";
    text += "!Du s\u00e4ger %FE% om " + keyword + ".\n";
    text += "!Svar tre om " + keyword + ".\n";
  }
  text +=
      "[NOTFOUND]\n!Ber\u00e4tta mer.\n!Jas\u00e5?\n"
      "!Hur menar du, %NAME_USER%?\n";
  return text;
}

std::vector<std::string> HitInputs(int groups, int count) {
  std::vector<std::string> inputs;
  inputs.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    // Even spread from the first group to the last.
    const long long k =
        count > 1 ? static_cast<long long>(i) * (groups - 1) / (count - 1) : 0;
    inputs.push_back(HitInputOf(static_cast<int>(k)));
  }
  return inputs;
}

std::vector<std::string> MissInputs(int count) {
  std::vector<std::string> inputs;
  inputs.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    inputs.push_back("Ber\u00e4tta om v\u00e4dret i stad nummer " +
                     std::to_string(i) + " i morgon");
  }
  return inputs;
}

std::vector<std::string> NearMissInputs(int count) {
  std::vector<std::string> inputs;
  inputs.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    inputs.push_back("Vad tycker du om keyword nummer " + std::to_string(i) +
                     " i morgon?");
  }
  return inputs;
}

std::string MakeDoublingProfile() {
  return "[NAME]\n!Dubbel\n"
         "[WELCOME]\n!%a%\n"
         "[START]\n!%a%\n"
         "[NOTFOUND]\n!%a%\n"
         "[a]\n!%a% %a%\n";
}

}  // namespace pladdo::bench
