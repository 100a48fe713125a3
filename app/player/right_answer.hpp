// The course's right-answer sessions: for each exercise, the bundled scenario in which the learner
// does the work right, as the benchmarks, the call budgets and the fault campaign replay it.
#pragma once

#include <filesystem>

#include "scenario/ast.hpp"

namespace player {

/// The bundled scenario of exercise N done right: scenarios/0NNN/right.scn (juste.scn where the
/// exercise's folder names it so). Raises std::runtime_error when the course has neither.
std::filesystem::path RightAnswerScenarioFile(int exercise);

/// The exercise's right-answer scenario cut to its first session: every statement up to the
/// Fermer that follows its first TestePoint, then the scenario's Quitter (a plain one when it has
/// none).
scenario::Scenario RightAnswerSession(int exercise);

}  // namespace player
