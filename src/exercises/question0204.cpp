// Exercise 0204: change the font of one word of the slide 3 text.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0204 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0204(const ContexteExercice& contexte) : Exercise("Question0204", contexte) {
    oFichiersDeTravail().add("02131204.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0204() {
  return FicheDe<Question0204>();
}

}  // namespace k60418
