// Exercise 0224: create and save "Objectifs.ppt" from a content type.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0224 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0224(const ContexteExercice& contexte) : Exercise("Question0224", contexte) {
    oFichiersDeTravail().add("", "Objectifs.ppt", true);
  }
};

}  // namespace

FicheQuestion FicheQuestion0224() {
  return FicheDe<Question0224>();
}

}  // namespace k60418
