// Fermer of exercise 201 after a right answer: without the Office assistant's balloon, and with a
// balloon that closes when told to. Neither should wait; tests/module/fermer_wait_test.cpp pins the
// time the module lets pass on its clock, this measures what the closing costs.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/right_answer.hpp"
#include "player/simulated_desktop.hpp"

namespace {

void BM_Fermer(benchmark::State& state) {
  const bool balloon = state.range(0) != 0;
  for (auto _ : state) {
    bench::RightAnswer right(201);
    right.host().TestePoint();
    if (balloon) player::SimulatedDesktopOf(right.host().desktop()).ShowBalloon();
    const auto start = std::chrono::steady_clock::now();
    right.host().Fermer();
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
}

BENCHMARK(BM_Fermer)->ArgName("balloon")->Arg(0)->Arg(1)->UseManualTime()->Iterations(50)->Unit(
    benchmark::kMicrosecond);

}  // namespace
