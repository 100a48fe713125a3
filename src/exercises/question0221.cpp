// Exercise 0221: give the handouts a header.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0221 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0221(const ContexteExercice& contexte) : Exercise("Question0221", contexte) {
    oFichiersDeTravail().add("02131221.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0221() {
  return FicheDe<Question0221>();
}

}  // namespace k60418
