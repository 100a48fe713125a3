// Exercise 0214: give the background a preset texture.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0214 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0214(const ContexteExercice& contexte) : Exercise("Question0214", contexte) {
    oFichiersDeTravail().add("02131214.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0214() {
  return FicheDe<Question0214>();
}

}  // namespace k60418
