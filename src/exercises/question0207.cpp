// Exercise 0207: copy a year's character formatting to another slide.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0207 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0207(const ContexteExercice& contexte) : Exercise("Question0207", contexte) {
    oFichiersDeTravail().add("02131207.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0207() {
  return FicheDe<Question0207>();
}

}  // namespace k60418
