#include "player/right_answer.hpp"

#include <cstdio>
#include <stdexcept>
#include <string>

#include "player/commands.hpp"
#include "player/player.hpp"
#include "scenario/parser.hpp"

namespace player {

namespace fs = std::filesystem;
using scenario::StatementKind;

fs::path RightAnswerScenarioFile(int exercise) {
  char folder[8];
  std::snprintf(folder, sizeof folder, "%04d", exercise);
  const fs::path scenarios = ResolveCourseFolder() / "scenarios" / folder;
  for (const char* name : {"right.scn", "juste.scn"}) {
    if (fs::exists(scenarios / name)) return scenarios / name;
  }
  throw std::runtime_error(std::string("no right-answer scenario for exercise ") + folder + " in " +
                           scenarios.string());
}

scenario::Scenario RightAnswerSession(int exercise) {
  const fs::path file = RightAnswerScenarioFile(exercise);
  const scenario::Scenario whole = scenario::Parse(ReadInputFile(file), file.string());

  scenario::Scenario session = whole;
  session.statements.clear();
  const scenario::Statement* quitter = nullptr;
  bool checked = false;
  bool closed = false;
  for (const auto& statement : whole.statements) {
    if (statement.kind == StatementKind::kQuitter && quitter == nullptr) quitter = &statement;
    if (closed) continue;
    session.statements.push_back(statement);
    if (statement.kind == StatementKind::kTestePoint) checked = true;
    if (statement.kind == StatementKind::kFermer && checked) closed = true;
  }
  if (quitter != nullptr) {
    session.statements.push_back(*quitter);
  } else {
    scenario::Statement last;
    last.kind = StatementKind::kQuitter;
    last.text = "Quitter";
    session.statements.push_back(last);
  }
  return session;
}

}  // namespace player
