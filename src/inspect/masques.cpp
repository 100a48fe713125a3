#include "inspect/masques.hpp"

#include <string>

#include "inspect/diapos.hpp"
#include "vb/variant.hpp"

namespace k60418 {

namespace {

/// A count read from PowerPoint as the 16-bit counter it is kept in (error 6 beyond 32767).
std::int16_t Compte16(std::int32_t n) {
  return vb::Variant(n).ToInteger();
}

void MarqueMasque(const ppt::Master& masque) {
  const ppt::Shapes formes = masque.Shapes();
  const std::int16_t n = Compte16(formes.Count());
  for (std::int32_t i = 1; i <= n; ++i) formes.Item(i).Tags().Add(kTagIdentite, ValeurIdentite(i));
}

/// The first of the n shapes whose identity tag is exactly sIdentite; 0 when none is.
std::int16_t Cherche(const ppt::Shapes& formes, std::int16_t n, const std::string& sIdentite) {
  for (std::int32_t i = 1; i <= n; ++i) {
    if (formes.Item(i).Tags().Item(kTagIdentite) == sIdentite) return static_cast<std::int16_t>(i);
  }
  return 0;
}

}  // namespace

void MarqueMasqueDiapos(const ppt::Application& ioApplication) {
  MarqueMasque(ioApplication.ActivePresentation().SlideMaster());
}

void MarqueMasqueTitre(const ppt::Application& ioApplication) {
  MarqueMasque(ioApplication.ActivePresentation().TitleMaster());
}

void MarqueMasqueDocument(const ppt::Application& ioApplication) {
  MarqueMasque(ioApplication.ActivePresentation().HandoutMaster());
}

std::int16_t ChercheZonesMasque(Api& api, const ppt::Application& ioApplication) {
  api.ZoneMasqueAbsente = false;
  const ppt::Shapes formes = ioApplication.ActivePresentation().SlideMaster().Shapes();
  const std::int16_t n = Compte16(formes.Count());
  if (Cherche(formes, n, ValeurIdentite(1)) == 0) api.ZoneMasqueAbsente = true;
  const std::int16_t corps = Cherche(formes, n, ValeurIdentite(2));
  if (corps == 0) api.ZoneMasqueAbsente = true;
  return corps;
}

std::int16_t ChercheFormeMasqueDocument(std::int16_t inForme, const ppt::Application& ioApplication) {
  const ppt::Shapes formes = ioApplication.ActivePresentation().HandoutMaster().Shapes();
  return Cherche(formes, Compte16(formes.Count()), ValeurIdentite(inForme));
}

}  // namespace k60418
