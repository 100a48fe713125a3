#include "bench/right_answer.hpp"

#include <stdexcept>
#include <string>

#include "player/right_answer.hpp"
#include "player/runner.hpp"

namespace bench {

using scenario::StatementKind;

RightAnswer::RightAnswer(int exercise) : host_(std::make_unique<player::TrainingPlayer>()) {
  const scenario::Scenario session = player::RightAnswerSession(exercise);
  player::Runner runner(*host_);
  player::ScenarioResult result;
  for (const auto& statement : session.statements) {
    if (statement.kind == StatementKind::kTestePoint) return;
    if (const auto failure = runner.Step(statement, false, result)) throw std::runtime_error(*failure);
  }
  throw std::runtime_error("the right-answer scenario of exercise " + std::to_string(exercise) +
                           " has no check");
}

std::uint64_t RightAnswer::Calls() const {
  std::uint64_t total = 0;
  for (const auto& [member, count] : host_->Calls()) total += count;
  return total;
}

}  // namespace bench
