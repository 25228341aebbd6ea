// Fuzz target: the profile checker on arbitrary file bytes.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/ChatEngine.h"
#include "engine/ProfileStream.h"
#include "engine/Random.h"
#include "fuzz/FuzzFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace pladdo;
  PinRandomSeed(1);
  const std::string path =
      fuzz::WriteScratchFile("checked.ppf", fuzz::AsText(data, size));
  // The file counts as unchanged at once: the checker's many lookups (one per
  // block variable) replay it from memory, which keeps large inputs fast.
  // fuzz_profile compares this way of reading with the direct one.
  CProfileStream::SetCacheMargin(std::chrono::nanoseconds(0));
  CProfileStream::ClearCache();

  CChatEngine engine;
  engine.SetLanguageFile(path);
  engine.SetProfile(path);
  const std::string report = engine.CheckProfile().strReport;

  // Every report names the file first and ends with its verdict line.
  const std::string head = "#FILENAME# " + path + "\n";
  if (report.compare(0, head.size(), head) != 0) std::abort();
  const bool verdict =
      report.ends_with("\n#NOERROR#") || report.ends_with(" #ERRORFOUND#");
  if (!verdict) std::abort();
  return 0;
}
