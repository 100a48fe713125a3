#include "inspect/formes.hpp"

#include "inspect/diapos.hpp"
#include "vb/variant.hpp"

namespace k60418 {

namespace {

/// A count read from PowerPoint as the 16-bit counter it is kept in (error 6 beyond 32767).
std::int16_t Compte16(std::int32_t n) {
  return vb::Variant(n).ToInteger();
}

ppt::Shapes FormesDe(std::int16_t inDiapo, const ppt::Application& ioApplication) {
  return ioApplication.ActivePresentation().Slides().Item(inDiapo).Shapes();
}

}  // namespace

void MarqueFormes(std::int16_t inDiapo, const ppt::Application& ioApplication) {
  const ppt::Shapes formes = FormesDe(inDiapo, ioApplication);
  const std::int16_t n = Compte16(formes.Count());
  for (std::int32_t i = 1; i <= n; ++i) formes.Item(i).Tags().Add(kTagIdentite, ValeurIdentite(i));
}

std::int16_t ChercheForme(Api& api, std::int16_t inDiapo, const std::string& isIdentite,
                          const ppt::Application& ioApplication) {
  api.FormeAbsente = false;
  const ppt::Shapes formes = FormesDe(inDiapo, ioApplication);
  const std::int16_t n = Compte16(formes.Count());
  for (std::int32_t i = 1; i <= n; ++i) {
    if (formes.Item(i).Tags().Item(kTagIdentite) == isIdentite) return static_cast<std::int16_t>(i);
  }
  api.FormeAbsente = true;
  return 0;
}

}  // namespace k60418
