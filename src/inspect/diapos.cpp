#include "inspect/diapos.hpp"

#include "vb/variant.hpp"

namespace k60418 {

namespace {

/// A count read from PowerPoint as the 16-bit counter it is kept in (error 6 beyond 32767).
std::int16_t Compte16(std::int32_t n) {
  return vb::Variant(n).ToInteger();
}

}  // namespace

std::string ValeurIdentite(long n) {
  return kPrefixeIdentite + std::to_string(n);
}

void MarqueDiapos(Api& api, const ppt::Application& ioApplication) {
  const ppt::Slides diapos = ioApplication.ActivePresentation().Slides();
  const std::int16_t n = Compte16(diapos.Count());
  for (std::int32_t i = 1; i <= n; ++i) diapos.Item(i).Tags().Add(kTagIdentite, ValeurIdentite(i));
  api.NbDiapos = Compte16(ioApplication.ActivePresentation().Slides().Count());
}

void VerifieDiapos(Api& api, const ppt::Application& ioApplication) {
  api.DiaposAjoutees = false;
  api.DiaposSupprimees = false;
  api.OrdreModifie = false;
  const ppt::Slides diapos = ioApplication.ActivePresentation().Slides();
  const std::int16_t n = Compte16(diapos.Count());
  std::int32_t restantes = api.NbDiapos;
  if (n > api.NbDiapos) api.DiaposAjoutees = true;
  for (std::int32_t i = 1; i <= n; ++i) {
    if (diapos.Item(i).Tags().Item(kTagIdentite).starts_with(kPrefixeIdentite)) --restantes;
  }
  if (restantes > 0) api.DiaposSupprimees = true;
  if (restantes < 0) api.DiaposAjoutees = true;
  for (std::int32_t i = 1; i <= n; ++i) {
    if (diapos.Item(i).Tags().Item(kTagIdentite) != ValeurIdentite(i)) {
      api.OrdreModifie = true;
      break;
    }
  }
}

}  // namespace k60418
