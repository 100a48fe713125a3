// Each exercise's check in its right-answer state, and its whole session (InitQuestion, the
// learner's work, TestePoint, Fermer, Quitter), with the object-model calls the module makes in
// each. A session is timed over the host's calls only: the learner's actions and the desktop's
// making are not the module's time.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/right_answer.hpp"
#include "player/right_answer.hpp"
#include "player/runner.hpp"

namespace {

using scenario::StatementKind;

bool IsHostCall(StatementKind kind) {
  return kind == StatementKind::kInitQuestion || kind == StatementKind::kTestePoint ||
         kind == StatementKind::kFermer || kind == StatementKind::kQuitter;
}

void BM_Check(benchmark::State& state) {
  bench::RightAnswer right(static_cast<int>(state.range(0)));
  const std::uint64_t before = right.Calls();
  for (auto _ : state) right.host().TestePoint();
  state.counters["calls"] =
      static_cast<double>(right.Calls() - before) / static_cast<double>(state.iterations());
  const player::VerdictReading verdict = right.host().ReadVerdict();
  const bool is_right = !verdict.erreur_generale && (verdict.cause_erreur.empty() ||
                                                     (state.range(0) == 207 && verdict.cause_erreur == "C"));
  if (!is_right) state.SkipWithError(("not right: " + verdict.cause_erreur).c_str());
}

void BM_Session(benchmark::State& state) {
  const scenario::Scenario session = player::RightAnswerSession(static_cast<int>(state.range(0)));
  double calls = 0;
  for (auto _ : state) {
    player::TrainingPlayer host;
    player::Runner runner(host);
    player::ScenarioResult result;
    std::chrono::duration<double> module_time{};
    const auto total = [&] {
      double made = 0;
      for (const auto& [member, count] : host.Calls()) made += static_cast<double>(count);
      return made;
    };
    for (const auto& statement : session.statements) {
      const bool host_call = IsHostCall(statement.kind);
      const double calls_before = host_call ? total() : 0;
      const auto start = std::chrono::steady_clock::now();
      const auto failure = runner.Step(statement, false, result);
      if (host_call) {
        module_time += std::chrono::steady_clock::now() - start;
        calls += total() - calls_before;
      }
      if (failure) state.SkipWithError(failure->c_str());
    }
    state.SetIterationTime(module_time.count());
  }
  state.counters["calls"] = calls / static_cast<double>(state.iterations());
}

BENCHMARK(BM_Check)->DenseRange(201, 224)->Unit(benchmark::kMicrosecond);
// A session makes a whole desktop, which costs far more than the module's own time: a fixed number
// of sessions keeps the run short.
BENCHMARK(BM_Session)->DenseRange(201, 224)->UseManualTime()->Iterations(25)->Unit(benchmark::kMillisecond);

}  // namespace
