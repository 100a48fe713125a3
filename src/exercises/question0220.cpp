// Exercise 0220: landscape orientation for notes and handouts.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0220 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0220(const ContexteExercice& contexte) : Exercise("Question0220", contexte) {
    oFichiersDeTravail().add("02131220.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0220() {
  return FicheDe<Question0220>();
}

}  // namespace k60418
