#include "faults/invariants.hpp"

#include <algorithm>
#include <cstdio>

#include "vb/strings.hpp"

namespace faults {

std::string OneLine(const std::string& text) {
  std::string line;
  for (const char c : text) line += c == '\n' ? std::string("\\n") : c == '\r' ? "\\r" : std::string(1, c);
  return line;
}

namespace {

constexpr std::string_view kClasse = "DLL K63905 - CLASSE ";
constexpr std::string_view kService = "\n\r - SERVICE ";
constexpr std::string_view kObjet = " - OBJET ";

/// Sources an error may carry where no trap composed it: PowerPoint's (a refused call, an ended
/// process, a failing member) and the module's own (VB's run-time errors in its name).
bool IsBareSource(const std::string& source) {
  return source == "PowerPoint" || source == vb::kProjectName;
}

/// The registry message of the folder settings, which ChangeDir reports as its source.
bool IsRegistryMessage(const std::string& source) {
  return source.rfind("Impossible d'accéder en lecture-écriture à la clé de base de registre", 0) == 0;
}

std::string ClassOf(int exercise) {
  char name[16];
  std::snprintf(name, sizeof name, "Question%04d", exercise);
  return name;
}

/// The procedures that report errors, as the host call can meet them.
bool Reports(const Location& where, scenario::StatementKind call, int exercise) {
  using scenario::StatementKind;
  const bool module_setup =
      where.classe == "Module" &&
      (where.service == "InitQuestion" || where.service == "GetApplication" || where.service == "ChangeDir" ||
       where.service == "Nettoyage" || where.service == "Renomme");
  const bool exercise_class = where.classe == ClassOf(exercise);
  switch (call) {
    case StatementKind::kInitQuestion:
      return module_setup || (exercise_class && where.service == "Prepare");
    case StatementKind::kTestePoint:
      return exercise_class && where.service == "TestePoint";
    default:
      return false;  // Fermer and Quitter report nothing
  }
}

std::string Show(const scenario::ErrorRecord& error) {
  return "error " + std::to_string(error.number) + " (" + OneLine(error.source) + "): " + error.description;
}

bool Within(const std::string& path, const std::string& folder) {
  if (folder.empty()) return false;
  const std::string p = vb::LCase(path);
  std::string f = vb::LCase(folder);
  if (p + "\\" == f) return true;  // the folder itself
  return p.rfind(f, 0) == 0;
}

std::string Describe(const player::VerdictReading& verdict) {
  return std::string("ErreurGenerale ") + (verdict.erreur_generale ? "True" : "False") + ", CauseErreur \"" +
         verdict.cause_erreur + "\"" + (verdict.bravo_nuance ? ", BravoNuance True" : "");
}

/// A call of a check whose failure its algorithm lets pass because what it reads is read again
/// later where a failure is not let pass, so that a fault there does not keep the check from
/// reading the learner's work: exercise 213's step 4, the eight colours of the slides' shared
/// scheme read with errors ignored, read again at step 7. `position` counts the check's calls (the
/// driver's TestePoint) from 1, as the call budget does: the driver's 51 (six slides), step 2's 3,
/// then step 4's 48.
bool ReadAgainLater(int exercise, std::uint64_t position) {
  return exercise == 213 && position >= 51 + 3 + 1 && position <= 51 + 3 + 48;
}

}  // namespace

SourceParts SplitSource(const std::string& source) {
  SourceParts parts;
  std::string rest = source;
  while (rest.rfind(kClasse, 0) == 0) {
    const std::size_t service = rest.find(kService, kClasse.size());
    if (service == std::string::npos) break;
    const std::size_t objet = rest.find(kObjet, service + kService.size());
    if (objet == std::string::npos) break;
    parts.locations.push_back({rest.substr(kClasse.size(), service - kClasse.size()),
                               rest.substr(service + kService.size(), objet - service - kService.size())});
    rest = rest.substr(objet + kObjet.size());
  }
  parts.innermost = rest;
  return parts;
}

std::vector<std::string> CheckRaisedError(const HostCallRecord& call, int exercise) {
  std::vector<std::string> broken;
  if (!call.error) return broken;
  const scenario::ErrorRecord& error = *call.error;
  const std::string where = call.name + " (line " + std::to_string(call.line) + ") raised " + Show(error);
  if (error.number == 0) broken.push_back(where + ": an error without a number");
  if (error.description.empty()) broken.push_back(where + ": an error without a description");
  if (error.source == player::kPlayerSource) broken.push_back(where + ": a failure below the object model");

  const SourceParts parts = SplitSource(error.source);
  for (const Location& location : parts.locations) {
    if (!Reports(location, call.kind, exercise))
      broken.push_back(where + ": reported by " + location.classe + "." + location.service +
                       ", which this call does not pass through");
  }
  // The folder settings' and the template folder's registry errors carry their message as source.
  const bool registry =
      IsRegistryMessage(parts.innermost) && !parts.locations.empty() &&
      (parts.locations.back().service == "ChangeDir" || parts.locations.back().service == "InitQuestion");
  if (!IsBareSource(parts.innermost) && !registry)
    broken.push_back(where + ": the source " + (parts.locations.empty() ? "is" : "wraps") +
                     " neither PowerPoint's, the module's nor a registry message");
  if (parts.locations.empty()) {
    // Left as it is: only where the driver traps nothing. InitQuestion sets the tooltips
    // untrapped; TestePoint's window activation and the checks' untrapped steps raise as they are;
    // Quitter traps nothing; Fermer raises only when no exercise is open.
    const bool allowed =
        call.kind != scenario::StatementKind::kFermer || error.number == vb::errors::kObjectNotSet;
    if (!allowed) broken.push_back(where + ": Fermer ignores the errors of PowerPoint");
  }
  return broken;
}

bool SaysRight(int exercise, const player::VerdictReading& verdict) {
  if (verdict.erreur_generale) return false;
  if (exercise == 207) return verdict.cause_erreur == "C" && verdict.bravo_nuance;
  return verdict.cause_erreur.empty();
}

std::vector<std::string> CheckRun(const SessionRun& run, Injection injection) {
  std::vector<std::string> broken;
  for (const HostCallRecord& call : run.host_calls) {
    for (auto& rule : CheckRaisedError(call, run.exercise)) broken.push_back(std::move(rule));
    if (call.verdict_error)
      broken.push_back(call.name + " (line " + std::to_string(call.line) + "): reading the verdict raised " +
                       Show(*call.verdict_error));
  }

  // The fault must strike where it was aimed: the run is the fault-free one up to that call.
  if (injection.at != 0 && !run.struck)
    broken.push_back("the fault aimed at call " + std::to_string(injection.at) + " of " +
                     std::to_string(run.module_calls) + " never struck");

  // No check says right when the fault kept it from reading the learner's work: a fault in the
  // check itself, or an ended PowerPoint before it.
  if (run.struck) {
    bool ended = false;
    for (std::size_t k = *run.struck; k < run.host_calls.size(); ++k) {
      const HostCallRecord& call = run.host_calls[k];
      const bool in_check = k == *run.struck && call.kind == scenario::StatementKind::kTestePoint &&
                            !ReadAgainLater(run.exercise, injection.at - call.calls_before);
      if (k == *run.struck && injection.fault == sim::Fault::kEndProcess) ended = true;
      if (call.kind != scenario::StatementKind::kTestePoint || !call.verdict) continue;
      if ((in_check || (ended && k > *run.struck)) && SaysRight(run.exercise, *call.verdict))
        broken.push_back(call.name + " (line " + std::to_string(call.line) + ") says right (" +
                         Describe(*call.verdict) + ") though " +
                         (in_check ? "its call " + std::to_string(injection.at - call.calls_before) + " (" +
                                         run.struck_member + ") failed"
                                   : std::string("PowerPoint ended before it")));
    }
  }

  // After every closing, the user's folder settings are theirs again (recorded in lower case).
  for (const HostCallRecord& call : run.host_calls) {
    if (call.kind != scenario::StatementKind::kFermer && call.kind != scenario::StatementKind::kQuitter)
      continue;
    for (const auto& [name, before] : run.settings_before) {
      const auto found = call.settings.find(name);
      const std::optional<std::string> after = found == call.settings.end() ? std::nullopt : found->second;
      if (vb::LCase(after.value_or("")) != vb::LCase(before.value_or("")))
        broken.push_back("after " + call.name + " (line " + std::to_string(call.line) + ") the setting " +
                         name + " holds \"" + after.value_or("<missing>") + "\", the user's was \"" +
                         before.value_or("<missing>") + "\"");
    }
  }

  // Nothing outside the working folder and the template folder is created, changed or deleted.
  // The host makes the working folder, and the module the template folder, with the folders above
  // them.
  const auto outside = [&](const std::string& path) {
    const std::string folder = vb::LCase(path) + "\\";
    for (const std::string* made : {&run.work_folder, &run.work_folder_given, &run.template_folder}) {
      if (vb::LCase(*made).rfind(folder, 0) == 0) return false;
    }
    return !Within(path, run.work_folder) && !Within(path, run.template_folder);
  };
  for (const auto& [path, change] : run.changes) {
    if (outside(path)) broken.push_back(change + " outside the working and template folders: " + path);
  }
  return broken;
}

std::string OutcomeKind(const SessionRun& run) {
  if (!run.struck) return "not struck";
  const HostCallRecord& call = run.host_calls[*run.struck];
  std::string kind = "in " + call.name + ": ";
  if (call.error) {
    const SourceParts parts = SplitSource(call.error->source);
    if (parts.locations.empty()) return kind + "raised as it was (" + parts.innermost + ")";
    return kind + "raised, reported by " + parts.locations.front().classe.substr(0, 8) + "." +
           parts.locations.front().service;
  }
  if (call.kind != scenario::StatementKind::kTestePoint || !call.verdict) return kind + "returned";
  if (call.verdict->erreur_generale) return kind + "general error " + call.verdict->cause_erreur;
  if (SaysRight(run.exercise, *call.verdict)) return kind + "right";
  return kind + "code " + call.verdict->cause_erreur;
}

}  // namespace faults
