// Exercise 0206: colour one word of the slide 3 text.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0206 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0206(const ContexteExercice& contexte) : Exercise("Question0206", contexte) {
    oFichiersDeTravail().add("02131206.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0206() {
  return FicheDe<Question0206>();
}

}  // namespace k60418
