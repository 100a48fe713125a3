// Exercise 0212: set one left tab stop in a slide's text.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0212 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0212(const ContexteExercice& contexte) : Exercise("Question0212", contexte) {
    oFichiersDeTravail().add("02131212.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0212() {
  return FicheDe<Question0212>();
}

}  // namespace k60418
