// The exercise classes as the factory sees them: one card per class, defined in the class's own
// file (question0201.cpp … question0224.cpp), creating it.
#pragma once

#include <memory>

#include "exercises/exercise.hpp"

namespace k60418 {

struct FicheQuestion {
  /// Creates the exercise (its constructor fills the working-file list).
  std::unique_ptr<Exercise> (*cree)(const ContexteExercice&) = nullptr;
};

/// The card of an exercise class T.
template <class T>
FicheQuestion FicheDe() {
  return FicheQuestion{[](const ContexteExercice& contexte) -> std::unique_ptr<Exercise> {
    return std::make_unique<T>(contexte);
  }};
}

FicheQuestion FicheQuestion0201();
FicheQuestion FicheQuestion0202();
FicheQuestion FicheQuestion0203();
FicheQuestion FicheQuestion0204();
FicheQuestion FicheQuestion0205();
FicheQuestion FicheQuestion0206();
FicheQuestion FicheQuestion0207();
FicheQuestion FicheQuestion0208();
FicheQuestion FicheQuestion0209();
FicheQuestion FicheQuestion0210();
FicheQuestion FicheQuestion0211();
FicheQuestion FicheQuestion0212();
FicheQuestion FicheQuestion0213();
FicheQuestion FicheQuestion0214();
FicheQuestion FicheQuestion0215();
FicheQuestion FicheQuestion0216();
FicheQuestion FicheQuestion0217();
FicheQuestion FicheQuestion0218();
FicheQuestion FicheQuestion0219();
FicheQuestion FicheQuestion0220();
FicheQuestion FicheQuestion0221();
FicheQuestion FicheQuestion0222();
FicheQuestion FicheQuestion0223();
FicheQuestion FicheQuestion0224();

}  // namespace k60418
