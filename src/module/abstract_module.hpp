// The host's contract: the interface AbstractModule the training player drives every exercise
// through, and the host-side interface of an additional-information list. Both belong to the
// host's contract library; the module implements them (Module, ComplementInfo) and holds neither.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "powerpoint/ppt.hpp"

namespace host {

/// An additional-information list as the host reads it: positions from 1.
class ComplementInfo {
 public:
  virtual ~ComplementInfo() = default;
  virtual void ComplementInfo_add(std::string sLigne, std::int32_t lInutilise) = 0;
  virtual std::int32_t ComplementInfo_count() = 0;
  virtual std::string ComplementInfo_item(std::int32_t noItem) = 0;
};

/// The exercise module as the host sees it, members in the interface's declared order.
/// Every member reports failures as vb::Error exceptions (number, source, description).
class AbstractModule {
 public:
  virtual ~AbstractModule() = default;

  /// The current exercise's nuance flag (only exercise 207 sets it).
  virtual bool BravoNuance() = 0;
  /// The current exercise's additional-information list; null before its first check.
  virtual std::shared_ptr<ComplementInfo> Complement() = 0;
  /// The general-error code when ErreurGenerale is True, otherwise the exercise's code
  /// ("" when the learner's work is right).
  virtual std::string CauseErreur() = 0;
  /// True when the last check could not be made (PowerPoint or the presentation not fit).
  virtual bool ErreurGenerale() = 0;
  /// Closes the current exercise and puts the user's folder settings back.
  virtual void Fermer() = 0;
  /// Sets exercise ilQuestion (201 to 224) up in the working folder isPathDossier (ending with a
  /// backslash). ioApplication and ioHandleLogiciel are the host's variables: the PowerPoint
  /// instance and main-window handle it knows (Nothing and -1 when none), replaced by those
  /// actually used. isPathModele is accepted and not used.
  virtual void InitQuestion(std::int32_t ilQuestion, const std::string& isPathDossier,
                            ppt::Application& ioApplication, std::int32_t& ioHandleLogiciel,
                            std::optional<std::string> isPathModele = std::nullopt) = 0;
  /// Ends the module's use of PowerPoint; quits it when the module obtained it itself.
  virtual void Quitter(ppt::Application& ioApplication, std::int32_t& ioHandleLogiciel) = 0;
  /// Checks the learner's work and sets the verdict.
  virtual void TestePoint() = 0;
};

}  // namespace host
