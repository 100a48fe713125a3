// The module-level state of the shared procedures (VB's standard module API): one copy per
// component, shared by Module and every exercise it creates. Module owns it and hands it on;
// nothing here is a global, so two components (or two tests) never see each other's state.
#pragma once

#include <cstdint>
#include <string>

#include "vb/date.hpp"

namespace k60418 {

struct Api {
  // --- The exercise presentation, set by InitQuestion ------------------------------------------
  /// File name of the exercise presentation: the NomDest of the exercise's first working file.
  std::string NomFichier;
  /// Folder of the exercise presentation: the working folder, ending with a backslash.
  std::string PathFichier;

  // --- Slide identity tags -----------------------------------------------------------------------
  /// Number of slides the active presentation had when MarqueDiapos last ran.
  std::int16_t NbDiapos = 0;
  /// The last VerifieDiapos found more slides, or more marked slides, than recorded.
  bool DiaposAjoutees = false;
  /// The last VerifieDiapos found fewer marked slides than recorded.
  bool DiaposSupprimees = false;
  /// The last VerifieDiapos found a slide that does not carry the mark of its position.
  bool OrdreModifie = false;

  // --- Lookups --------------------------------------------------------------------------------------
  /// The last shape lookup found no shape.
  bool FormeAbsente = false;
  /// The last lookup of the slide master's zones missed the shape marked "ZUK1" or "ZUK2".
  bool ZoneMasqueAbsente = false;

  // --- The integrity check ----------------------------------------------------------------------
  /// At least one presentation is open in PowerPoint.
  bool PresentationOuverte = false;
  /// A presentation with the exercise file's name and full path is open.
  bool CheminPresent = false;
  /// That presentation is the active presentation.
  bool PresentationActive = false;

  // --- The user's recorded folder settings (lower-cased) -----------------------------------------
  /// The open and save folder.
  std::string DefaultUser;
  /// The sounds and movies folder.
  std::string MultimediaDirUser;
  /// The pictures folder.
  std::string PictureDirUser;
  /// The templates folder.
  std::string TemplateDirUser;
  /// True once the user's settings have been recorded: before that there is nothing to put back.
  bool ParamUserSauves = false;

  // --- Exercises that create a presentation ----------------------------------------------------------
  /// The moment the last exercise that works from a new presentation was prepared.
  vb::Date HeurePreparation;
};

}  // namespace k60418
