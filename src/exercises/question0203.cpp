// Exercise 0203: underline one word of the slide 3 text.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0203 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0203(const ContexteExercice& contexte) : Exercise("Question0203", contexte) {
    oFichiersDeTravail().add("02131203.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0203() {
  return FicheDe<Question0203>();
}

}  // namespace k60418
