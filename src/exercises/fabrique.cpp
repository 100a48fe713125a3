#include "exercises/fabrique.hpp"

#include <array>

#include "exercises/questions.hpp"

namespace k60418 {

namespace {

using Fiche = FicheQuestion (*)();

constexpr std::array<Fiche, kDerniereQuestion - kPremiereQuestion + 1> kFiches = {
    FicheQuestion0201, FicheQuestion0202, FicheQuestion0203, FicheQuestion0204, FicheQuestion0205,
    FicheQuestion0206, FicheQuestion0207, FicheQuestion0208, FicheQuestion0209, FicheQuestion0210,
    FicheQuestion0211, FicheQuestion0212, FicheQuestion0213, FicheQuestion0214, FicheQuestion0215,
    FicheQuestion0216, FicheQuestion0217, FicheQuestion0218, FicheQuestion0219, FicheQuestion0220,
    FicheQuestion0221, FicheQuestion0222, FicheQuestion0223, FicheQuestion0224,
};

const Fiche* Trouve(std::int32_t ilQuestion) {
  if (ilQuestion < kPremiereQuestion || ilQuestion > kDerniereQuestion) return nullptr;
  return &kFiches[static_cast<std::size_t>(ilQuestion - kPremiereQuestion)];
}

}  // namespace

std::unique_ptr<Exercise> CreeQuestion(std::int32_t ilQuestion, const ContexteExercice& contexte) {
  const Fiche* fiche = Trouve(ilQuestion);
  return fiche == nullptr ? nullptr : (*fiche)().cree(contexte);
}

}  // namespace k60418
