// Exercise 0215: display the slide master.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0215 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0215(const ContexteExercice& contexte) : Exercise("Question0215", contexte) {
    oFichiersDeTravail().add("02131215.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0215() {
  return FicheDe<Question0215>();
}

}  // namespace k60418
