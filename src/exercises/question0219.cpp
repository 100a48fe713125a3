// Exercise 0219: preview handouts of four slides per page.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0219 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0219(const ContexteExercice& contexte) : Exercise("Question0219", contexte) {
    oFichiersDeTravail().add("02131219.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0219() {
  return FicheDe<Question0219>();
}

}  // namespace k60418
