// Module: the component's one creatable class. It implements the host's contract and drives every
// exercise: setting it up (InitQuestion), checking the learner's work (TestePoint), closing it
// (Fermer) and ending the use of PowerPoint (Quitter). It holds PowerPoint from the first
// InitQuestion to Quitter and at most one exercise, from InitQuestion to Fermer.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "exercises/exercise.hpp"
#include "inspect/api.hpp"
#include "module/abstract_module.hpp"
#include "platform/platform.hpp"
#include "powerpoint/controle.hpp"

namespace k60418 {

class Module final : public host::AbstractModule {
 public:
  /// A module working through these ports; no exercise open, no PowerPoint held.
  explicit Module(platform::Platform platform);
  ~Module() override;
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  // --- AbstractModule, in its declared order ------------------------------------------------------

  /// The exercise's nuance flag; error 91 when no exercise is open.
  bool BravoNuance() override;
  /// The exercise's additional-information list (null before its first check); error 91 when no
  /// exercise is open.
  std::shared_ptr<host::ComplementInfo> Complement() override;
  /// The general-error code after a check that could not be made, otherwise the exercise's code;
  /// error 91 in that case when no exercise is open.
  std::string CauseErreur() override;
  bool ErreurGenerale() override;
  void Fermer() override;
  void InitQuestion(std::int32_t ilQuestion, const std::string& isPathDossier,
                    ppt::Application& ioApplication, std::int32_t& ioHandleLogiciel,
                    std::optional<std::string> isPathModele = std::nullopt) override;
  void Quitter(ppt::Application& ioApplication, std::int32_t& ioHandleLogiciel) override;
  void TestePoint() override;

  // --- Read-only views for the command and the tests ------------------------------------------------

  /// The template folder resolved by the last InitQuestion ("" before the first).
  const std::string& PathModele() const { return sPathModele; }
  /// The PowerPoint instance the module works with (Nothing while it holds none).
  const ppt::Application& Application() const { return controle_.oApplication; }

 private:
  /// Closes the Office assistant's balloon if one is open and waits, briefly, until it is gone.
  void FermeBulle();
  /// The exercise's working-file list, null when no exercise is open.
  const FichiersDeTravail* ListeFichiers() const;

  platform::Platform platform_;
  /// The module-level state of the shared procedures, one copy for this component.
  Api api_;
  /// PowerPoint: oApplication, lHandleLogiciel, lShowStartupDialog and the window procedures.
  ControlePowerPoint controle_;

  /// The current exercise; null when no exercise is open.
  std::unique_ptr<Exercise> oQuestion;
  /// The code of the last technical failure found by TestePoint.
  std::string sCauseErreur;
  /// The last TestePoint ended in a technical failure.
  bool bErreurGenerale = false;
  /// The learner's working folder of the current exercise.
  std::string sPathDossier;
  /// The template folder resolved by InitQuestion.
  std::string sPathModele;
  /// The number of the current exercise (201 to 224).
  std::int32_t lQuestion = 0;
  /// The module obtained PowerPoint itself (found running or started), so Quitter ends it.
  bool bApplicationCreee = false;
  /// The Office version whose registry keys are used; "11.0" from the first InitQuestion on.
  std::string sVersionOffice;
  /// Whether the task pane was visible when the last exercise was closed.
  bool bTaskPaneVisible = false;
};

}  // namespace k60418
