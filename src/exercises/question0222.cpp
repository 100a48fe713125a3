// Exercise 0222: save the presentation as the design template "Ciné.pot".
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0222 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0222(const ContexteExercice& contexte) : Exercise("Question0222", contexte) {
    oFichiersDeTravail().add("02131222.ppt", "Cinéloisirs.ppt", false);
    oFichiersDeTravail().add("", "Ciné.pot", true);
    oFichiersDeTravail().add("", "Ciné", true);
  }
};

}  // namespace

FicheQuestion FicheQuestion0222() {
  return FicheDe<Question0222>();
}

}  // namespace k60418
