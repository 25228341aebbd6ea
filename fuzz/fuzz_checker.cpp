// Fuzz target: the profile checker on arbitrary file bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/ChatEngine.h"
#include "engine/Random.h"
#include "fuzz/FuzzFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace pladdo;
  PinRandomSeed(1);
  const std::string path =
      fuzz::WriteScratchFile("checked.ppf", fuzz::AsText(data, size));

  CChatEngine engine;
  engine.SetLanguageFile(path);
  engine.SetProfile(path);
  const std::string report = engine.CheckProfile();

  // Every report names the file first and ends with its verdict line.
  const std::string head = "#FILENAME# " + path + "\n";
  if (report.compare(0, head.size(), head) != 0) std::abort();
  const bool verdict = report.ends_with("\n#NOERROR#") ||
                       report.ends_with(" #ERRORFOUND#");
  if (!verdict) std::abort();
  return 0;
}
