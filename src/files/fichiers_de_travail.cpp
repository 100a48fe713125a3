#include "files/fichiers_de_travail.hpp"

#include "vb/error.hpp"

namespace k60418 {

void FichiersDeTravail::add(std::string siNomSource, std::string siNomDest, bool biModele) {
  fichiers_.push_back(Fichier{std::move(siNomSource), std::move(siNomDest), biModele});
}

std::int32_t FichiersDeTravail::count() const {
  return static_cast<std::int32_t>(fichiers_.size());
}

Fichier FichiersDeTravail::Item(std::int32_t noItem) const {
  if (noItem < 1 || noItem > count()) vb::Raise(vb::errors::kSubscriptOutOfRange);
  return fichiers_[static_cast<std::size_t>(noItem - 1)];
}

}  // namespace k60418
