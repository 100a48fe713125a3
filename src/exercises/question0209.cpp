// Exercise 0209: change one paragraph's bullet and remove another's.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0209 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0209(const ContexteExercice& contexte) : Exercise("Question0209", contexte) {
    oFichiersDeTravail().add("02131209.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0209() {
  return FicheDe<Question0209>();
}

}  // namespace k60418
