// Exercise 0210: set the space before one paragraph.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0210 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0210(const ContexteExercice& contexte) : Exercise("Question0210", contexte) {
    oFichiersDeTravail().add("02131210.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0210() {
  return FicheDe<Question0210>();
}

}  // namespace k60418
