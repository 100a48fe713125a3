// What our player tells the learner for each verdict: the course's exercises with their French
// titles, and a short French sentence for every code an exercise, the driver or the integrity
// check can leave. The host decides what the learner finally sees; this is what our player shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace player {

/// One verdict code and what it tells the learner.
struct CodeMeaning {
  std::string code;
  std::string sentence;
};

/// One exercise of the course.
struct ExerciseEntry {
  std::int32_t number = 0;
  /// The exercise's title, in French.
  std::string title;
  /// Its codes in the order its check examines them ("" is the right answer).
  std::vector<CodeMeaning> codes;
};

/// The 24 exercises, 201 to 224.
const std::vector<ExerciseEntry>& CourseExercises();
/// The exercise of that number, or null.
const ExerciseEntry* FindExercise(std::int32_t number);
/// The codes the driver (AK, %AL, AM, AN) and the integrity check (A, F, G, C, D, E) leave when
/// ErreurGenerale is True.
const std::vector<CodeMeaning>& GeneralCodes();

/// The sentence for a code read by the host: from the general codes when ErreurGenerale is True,
/// else from the exercise's; "" when the code is not one the course defines.
std::string Sentence(std::int32_t exercise, bool erreur_generale, const std::string& code);

/// Why no learner's work can lead exercise N's check to a code its list names (0218's "A": a
/// presentation always keeps a design), in French; "" for a code that can be reached.
std::string UnreachableReason(std::int32_t exercise, const std::string& code);

/// "« sentence »", or "" for a code without one.
std::string Quoted(const std::string& sentence);

}  // namespace player
