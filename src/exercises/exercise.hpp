// The exercise contract: what the 24 exercise classes Question0201 … Question0224 share.
//
// An exercise knows its working files (filled by its constructor, the exercise presentation
// first), opens and prepares the exercise presentation in PowerPoint (Prepare), and, when asked,
// inspects it and leaves a verdict (TestePoint). Module reaches it only through the public members
// below, in the contract's order, and releases it after Fermer.
//
// Writing an exercise (see question0201.cpp for a complete one):
// - The constructor passes the class name ("Question0207") and adds the working files with
//   oFichiersDeTravail().add(source, destination, template flag), in the exercise's order.
// - CorpsPrepare runs inside Prepare's reporting trap. It usually begins with DebutPrepare (the
//   common start: folders, default folder, application), then opens the presentation
//   (OuvrePresentation), sets the view, tags the slides (MarqueDiapos(api(), oApplication)) …
//   An exercise whose steps come before the common start (0223, 0224) calls DebutPrepare later.
// - CorpsTestePoint runs inside TestePoint's reporting trap, after the new additional-information
//   list is in place. A check that finds a fault stores its code in sCauseErreur and returns; lines
//   for the host go through AjouteComplement. Nothing is stored when the work is right, and
//   sCauseErreur / bBravoNuance are never cleared.
// - Error handling that differs from the common trap is written with the helpers:
//     IgnoreErreur(step)   the step's error is ignored; its number (0: none) is returned
//                          (VB's On Error Resume Next, one statement at a time);
//     SansTrappe(steps)    an error of these steps leaves the exercise unreported, as it is
//                          (steps after the trap is switched off, as in 0213 or 0222);
//     try / catch          an error turned into a code (0222 to 0224) or a fall-back (0223).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "files/fichiers_de_travail.hpp"
#include "inspect/api.hpp"
#include "module/complement_info.hpp"
#include "module/rapporte_erreur.hpp"
#include "platform/clock.hpp"
#include "platform/filesystem.hpp"
#include "powerpoint/ppt.hpp"
#include "vb/error.hpp"

namespace k60418 {

/// What an exercise reaches outside itself: the shared state of the API procedures, the clock and
/// the file system. Module hands its own to every exercise it creates.
struct ContexteExercice {
  Api& api;
  platform::Clock& clock;
  platform::FileSystem& files;
};

/// An error that leaves an exercise procedure without the report of its trap (see SansTrappe).
struct ErreurNonTrappee {
  vb::Error erreur;
};

class Exercise {
 public:
  virtual ~Exercise() = default;
  Exercise(const Exercise&) = delete;
  Exercise& operator=(const Exercise&) = delete;

  /// The class's own name ("Question0201"), as its reports give it.
  const std::string& NomClasse() const { return sNomClasse_; }

  // --- The members of the contract, in their declared order --------------------------------------

  /// The working files; a new, empty list when read after Fermer.
  ::k60418::FichiersDeTravail& FichiersDeTravail() { return oFichiersDeTravail(); }
  /// The folder PowerPoint is to propose during the exercise: the working folder after Prepare,
  /// "" before.
  const std::string& PathDossierParDefaut() const { return sPathDossierParDefaut; }
  /// Set only by the exercises whose check says so.
  bool BravoNuance() const { return bBravoNuance; }
  /// The code of the first fault found by the last checks ("" while none was found).
  const std::string& CauseErreur() const { return sCauseErreur; }
  /// Opens and prepares the exercise presentation. iApplication is the PowerPoint application,
  /// isPathDossier the working folder and isPathModele, when given, the template folder (both end
  /// with a backslash). An error is reported with the class name and "Prepare".
  void Prepare(ppt::Application& iApplication, const std::string& isPathDossier,
               std::optional<std::string> isPathModele = std::nullopt);
  /// Checks the learner's work: a new additional-information list, then the exercise's checks.
  /// An error is reported with the class name and "TestePoint".
  void TestePoint();
  /// The additional-information list of the last TestePoint; null before the first.
  const std::shared_ptr<::k60418::ComplementInfo>& ComplementInfo() const { return oComplementInfo; }
  /// Releases the application, the working-file list and the additional-information list.
  void Fermer();

 protected:
  Exercise(std::string sNomClasse, const ContexteExercice& contexte)
      : sNomClasse_(std::move(sNomClasse)), contexte_(contexte) {}

  /// The exercise's preparation, run inside Prepare's trap. The base raises: the class's
  /// preparation is not written.
  virtual void CorpsPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                            const std::optional<std::string>& isPathModele);
  /// The exercise's checks, run inside TestePoint's trap after the new list is in place. The base
  /// raises: the class's check is not written.
  virtual void CorpsTestePoint();

  // --- Helpers for the bodies -----------------------------------------------------------------------

  /// The common start of Prepare: keeps the working folder, the template folder when given, sets
  /// the default folder to the working folder and keeps the application.
  void DebutPrepare(ppt::Application& iApplication, const std::string& isPathDossier,
                    const std::optional<std::string>& isPathModele);
  /// The default folder is the working folder.
  void InitDossierParDefaut() { sPathDossierParDefaut = sPathDossier; }
  /// Opens sPathDossier & sNomFichier for editing, in a window:
  /// Presentations.Open(FileName, ReadOnly = msoFalse, Untitled = msoFalse, WithWindow = msoTrue).
  ppt::Presentation OuvrePresentation(const std::string& sNomFichier);
  /// Appends a line to the additional information of this check.
  void AjouteComplement(const std::string& sLigne);
  /// The working-file list, created empty on first use.
  ::k60418::FichiersDeTravail& oFichiersDeTravail();

  /// Runs steps whose errors the exercise does not trap: an error leaves Prepare or TestePoint
  /// unchanged, without the class's report.
  template <class Steps>
  static decltype(auto) SansTrappe(Steps&& steps) {
    try {
      return std::forward<Steps>(steps)();
    } catch (const vb::Error& erreur) {
      throw ErreurNonTrappee{erreur};
    }
  }

  Api& api() { return contexte_.api; }
  platform::Clock& clock() { return contexte_.clock; }
  platform::FileSystem& files() { return contexte_.files; }

  // --- The fields of the contract ----------------------------------------------------------------------

  /// The PowerPoint application handed to Prepare; used by TestePoint.
  ppt::Application oApplication;
  /// The code of the first fault found; "" at creation.
  std::string sCauseErreur;
  /// The nuance of a right answer (exercise 207 only).
  bool bBravoNuance = false;
  /// The working folder, as passed to Prepare.
  std::string sPathDossier;
  /// The template folder, as passed to Prepare when it was given.
  std::string sPathModele;
  /// The folder PowerPoint is to propose by default.
  std::string sPathDossierParDefaut;
  /// The additional-information list of the last TestePoint.
  std::shared_ptr<::k60418::ComplementInfo> oComplementInfo;

 private:
  std::string sNomClasse_;
  ContexteExercice contexte_;
  std::optional<::k60418::FichiersDeTravail> oFichiersDeTravail_;
};

}  // namespace k60418
