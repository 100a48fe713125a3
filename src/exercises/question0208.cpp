// Exercise 0208: right-align the last two paragraphs of a text.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0208 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0208(const ContexteExercice& contexte) : Exercise("Question0208", contexte) {
    oFichiersDeTravail().add("02131208.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0208() {
  return FicheDe<Question0208>();
}

}  // namespace k60418
