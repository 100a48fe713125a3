#include "module/rapporte_erreur.hpp"

namespace k60418 {

std::string ComposeSourceErreur(std::string_view isClasse, std::string_view isService,
                                std::string_view isSource) {
  std::string texte = "DLL K63905 - CLASSE ";
  texte += isClasse;
  texte += '\n';
  texte += '\r';
  texte += " - SERVICE ";
  texte += isService;
  texte += " - OBJET ";
  texte += isSource;
  return texte;
}

void RapporteErreur(const vb::Error& iErreur, std::string_view isClasse, std::string_view isService) {
  throw iErreur.WithSource(ComposeSourceErreur(isClasse, isService, iErreur.source()));
}

}  // namespace k60418
