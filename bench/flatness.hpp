// Rules a benchmark run must satisfy about how a cost grows: the "per_word" counter (or the time)
// of one benchmark within a factor of another's. The benchmark program checks them after the run
// and exits with status 1 when one fails.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct FlatnessRule {
  /// The benchmark measured at the small size and at the large one ("BM_WordWalk/1000").
  std::string small;
  std::string large;
  /// The most the large one's per-unit cost may be, as a multiple of the small one's.
  double most;
};

/// Registers a rule (at static initialisation) and gives it back.
FlatnessRule AddFlatnessRule(FlatnessRule rule);
const std::vector<FlatnessRule>& FlatnessRules();

}  // namespace bench
