// Exercise 0213: give all slides a colour scheme of the "Texture" design.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0213 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0213(const ContexteExercice& contexte) : Exercise("Question0213", contexte) {
    oFichiersDeTravail().add("02131213.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0213() {
  return FicheDe<Question0213>();
}

}  // namespace k60418
