// The benchmark program: Google Benchmark's usual command line, then the rules about how costs
// grow, checked on the figures of this run (the median when the run has repetitions).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "bench/flatness.hpp"

namespace bench {
namespace {

std::vector<FlatnessRule>& Rules() {
  static std::vector<FlatnessRule> rules;
  return rules;
}

/// Prints as the console does and keeps, per benchmark, the cost per unit of its run or median.
class Reporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) {
        ++errors_;
        continue;
      }
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      const std::string name = run.run_name.str();
      if (!median && medians_.count(name) != 0) continue;
      const auto per_word = run.counters.find("per_word");
      const double cost = per_word != run.counters.end() ? per_word->second.value : run.GetAdjustedRealTime();
      costs_[name] = cost;
      if (median) medians_[name] = true;
    }
  }
  const std::map<std::string, double>& costs() const { return costs_; }
  /// Runs that stopped with an error (a check that did not find the work right, a failed step).
  int errors() const { return errors_; }

 private:
  std::map<std::string, double> costs_;
  std::map<std::string, bool> medians_;
  int errors_ = 0;
};

}  // namespace

FlatnessRule AddFlatnessRule(FlatnessRule rule) {
  Rules().push_back(rule);
  return rule;
}

const std::vector<FlatnessRule>& FlatnessRules() {
  return Rules();
}

}  // namespace bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  bench::Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  int failed = reporter.errors();
  if (failed != 0) std::printf("FAIL %d benchmark runs stopped with an error\n", failed);
  for (const bench::FlatnessRule& rule : bench::FlatnessRules()) {
    const auto small = reporter.costs().find(rule.small);
    const auto large = reporter.costs().find(rule.large);
    if (small == reporter.costs().end() || large == reporter.costs().end()) continue;  // filtered out
    const double ratio = large->second / small->second;
    const bool holds = ratio <= rule.most;
    std::printf("%-4s %s / %s = %.2f (at most %.2f)\n", holds ? "ok" : "FAIL", rule.large.c_str(),
                rule.small.c_str(), ratio, rule.most);
    failed += holds ? 0 : 1;
  }
  return failed == 0 ? 0 : 1;
}
