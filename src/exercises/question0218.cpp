// Exercise 0218: add the design template "Texture" beside "Capsules".
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0218 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0218(const ContexteExercice& contexte) : Exercise("Question0218", contexte) {
    oFichiersDeTravail().add("02131218.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0218() {
  return FicheDe<Question0218>();
}

}  // namespace k60418
