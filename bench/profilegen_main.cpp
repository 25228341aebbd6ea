// pladdo-profilegen N [samples]: writes a synthetic profile of N keyword
// groups, with a sample line above each group when asked (or, with
// "doubling", the doubling-variable profile) to standard output.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "bench/ProfileGen.h"

int main(int argc, char** argv) {
  const bool samples = argc == 3 && std::string(argv[2]) == "samples";
  if (argc != 2 && !samples) {
    std::cerr
        << "Anv\u00e4ndning: pladdo-profilegen ANTAL [samples] | doubling\n";
    return 2;
  }
  const std::string arg = argv[1];
  if (arg == "doubling") {
    std::cout << pladdo::bench::MakeDoublingProfile();
    return 0;
  }
  char* end = nullptr;
  const long groups = std::strtol(argv[1], &end, 10);
  if (*end != '\0' || groups < 0 || groups > 10000000) {
    std::cerr << "Ogiltigt antal grupper: " << arg << "\n";
    return 2;
  }
  std::cout << pladdo::bench::MakeSyntheticProfile(static_cast<int>(groups),
                                                   samples);
  return 0;
}
