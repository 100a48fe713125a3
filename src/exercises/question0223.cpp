// Exercise 0223: create a presentation from the template "Ciné.pot".
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0223 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0223(const ContexteExercice& contexte) : Exercise("Question0223", contexte) {
    oFichiersDeTravail().add("02131223.pot", "Ciné.pot", true);
  }
};

}  // namespace

FicheQuestion FicheQuestion0223() {
  return FicheDe<Question0223>();
}

}  // namespace k60418
