// Exercise 0205: change the size of one word of the slide 3 text.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0205 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0205(const ContexteExercice& contexte) : Exercise("Question0205", contexte) {
    oFichiersDeTravail().add("02131205.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0205() {
  return FicheDe<Question0205>();
}

}  // namespace k60418
