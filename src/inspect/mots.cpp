#include "inspect/mots.hpp"

#include "vb/strings.hpp"
#include "vb/variant.hpp"

namespace k60418 {

namespace {

/// The number of words of a range, as the 16-bit counter it is kept in.
std::int16_t NombreDeMots(const ppt::TextRange& texte) {
  return vb::Variant(texte.Words(-1, -1).Count()).ToInteger();
}

/// Word i matches the lower-cased word sMotMinuscule, with or without one trailing space.
bool MotEgal(const ppt::TextRange& texte, std::int32_t i, const std::string& sMotMinuscule) {
  const std::string mot = vb::LCase(texte.Words(i, -1).Text());
  return mot == sMotMinuscule || mot == sMotMinuscule + " ";
}

}  // namespace

std::int16_t CompteMot(const ppt::TextRange& ioTexte, const std::string& isMot) {
  const std::int16_t n = NombreDeMots(ioTexte);
  const std::string mot = vb::LCase(isMot);
  std::int16_t compte = 0;
  for (std::int32_t i = 1; i <= n; ++i) {
    if (MotEgal(ioTexte, i, mot)) ++compte;
  }
  return compte;
}

std::int16_t ChercheMot(const ppt::TextRange& ioTexte, const std::string& isMot, std::int16_t inDebut) {
  const std::int16_t n = NombreDeMots(ioTexte);
  const std::string mot = vb::LCase(isMot);
  for (std::int32_t i = inDebut; i <= n; ++i) {
    if (MotEgal(ioTexte, i, mot)) return static_cast<std::int16_t>(i);
  }
  return 0;
}

}  // namespace k60418
