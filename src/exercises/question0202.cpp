// Exercise 0202: give slide 2 the title layout.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0202 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0202(const ContexteExercice& contexte) : Exercise("Question0202", contexte) {
    oFichiersDeTravail().add("02131202.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0202() {
  return FicheDe<Question0202>();
}

}  // namespace k60418
