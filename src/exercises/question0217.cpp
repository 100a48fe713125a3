// Exercise 0217: shrink and lower the title area of the title master.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0217 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0217(const ContexteExercice& contexte) : Exercise("Question0217", contexte) {
    oFichiersDeTravail().add("02131217.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0217() {
  return FicheDe<Question0217>();
}

}  // namespace k60418
