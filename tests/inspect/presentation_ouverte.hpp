// A simulated desktop with PowerPoint running and one of the course's model presentations open,
// for the tests of the inspection procedures.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inspect/api.hpp"
#include "inspect/diapos.hpp"
#include "powerpoint/ppt.hpp"
#include "sim/desktop.hpp"
#include "sim/drives.hpp"

namespace inspect_test {

class PresentationOuverte : public ::testing::Test {
 protected:
  /// Opens the model file (course/models/<modele>) as the exercise presentation.
  void Ouvre(const std::string& modele) {
    const std::string dossier = "C:\\ZUK\\Travail\\";
    desktop.drives().MakeSureDirectoryPathExists(dossier);
    desktop.drives().PlaceHostFile(std::string(K60418_COURSE_DIR) + "/models/" + modele,
                                   dossier + "Cinéloisirs.ppt");
    app.Presentations().Open(dossier + "Cinéloisirs.ppt");
  }

  ppt::Presentation Presentation() const { return app.ActivePresentation(); }
  ppt::Shapes Formes(std::int32_t diapo) const { return Presentation().Slides().Item(diapo).Shapes(); }

  /// The identity tags of a list of shapes, in their order.
  static std::vector<std::string> Marques(const ppt::Shapes& formes) {
    std::vector<std::string> marques;
    for (std::int32_t i = 1; i <= formes.Count(); ++i)
      marques.push_back(formes.Item(i).Tags().Item(k60418::kTagIdentite));
    return marques;
  }

  /// Moves a shape in the z-order: 0 to the front (the end of Shapes), 1 to the back.
  static void ZOrder(const ppt::Shape& forme, std::int32_t commande) {
    forme.Call("ZOrder", ppt::Args(commande));
  }

  sim::Desktop desktop;
  ppt::Application app{desktop.StartPowerPoint().application()};
  k60418::Api api;
};

}  // namespace inspect_test
