// Exercise 0216: indent the second text level in the slide master.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0216 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0216(const ContexteExercice& contexte) : Exercise("Question0216", contexte) {
    oFichiersDeTravail().add("02131216.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0216() {
  return FicheDe<Question0216>();
}

}  // namespace k60418
