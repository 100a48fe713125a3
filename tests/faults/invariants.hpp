// What every run of the fault campaign must hold, whatever fault it met, each check giving the
// broken rule in words (an empty list when all hold).
#pragma once

#include <string>
#include <vector>

#include "faults/session.hpp"

namespace faults {

/// The text on one line: its line breaks written as \n and \r.
std::string OneLine(const std::string& text);

/// The place an error was reported from: the class and the procedure of a composed source.
struct Location {
  std::string classe;
  std::string service;
};

/// A source text taken apart: the composed locations, outermost first, and the source they wrap.
struct SourceParts {
  std::vector<Location> locations;
  std::string innermost;
};
/// Splits "DLL K63905 - CLASSE c LF CR - SERVICE s - OBJET inner" as often as it nests; a text that
/// starts like a composed one but breaks off is returned whole as the innermost source.
SourceParts SplitSource(const std::string& source);

/// An error a host call raised: a number, a description, and a source composed by the reporting
/// traps that the host call may pass through, around a source that PowerPoint, the module or its
/// registry messages give; or left as it is where the driver does not trap.
std::vector<std::string> CheckRaisedError(const HostCallRecord& call, int exercise);

/// The verdict says the work is right: for exercise 207 the nuanced "C", for the others an empty code.
bool SaysRight(int exercise, const player::VerdictReading& verdict);

/// The whole run: errors well formed; no check right after a fault kept it from reading the
/// learner's work; the folder settings back after each closing; no file touched outside the working
/// and template folders.
std::vector<std::string> CheckRun(const SessionRun& run, Injection injection);

/// The outcome of a run, by kind, for the totals: where the fault struck and what the host saw.
std::string OutcomeKind(const SessionRun& run);

}  // namespace faults
