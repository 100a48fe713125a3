// Exercise 0211: switch on a toggle button of the "Frames" command bar.
// The working files are declared; the preparation and the check are not written in this version,
// so the exercise is not offered (kDisponible).
#include "exercises/questions.hpp"

namespace k60418 {

namespace {

class Question0211 final : public Exercise {
 public:
  static constexpr bool kDisponible = false;

  explicit Question0211(const ContexteExercice& contexte) : Exercise("Question0211", contexte) {
    oFichiersDeTravail().add("02131211.ppt", "Cinéloisirs.ppt", false);
  }
};

}  // namespace

FicheQuestion FicheQuestion0211() {
  return FicheDe<Question0211>();
}

}  // namespace k60418
