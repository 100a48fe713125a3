#include "powerpoint/barres_commandes.hpp"

#include "module/rapporte_erreur.hpp"

namespace k60418 {

namespace {

/// Docks a toolbar at the top and shows it (hidden first, so that it is laid out afresh).
void AncreEnHaut(const ppt::Application& oApplication, const char* nom) {
  ppt::CommandBar barre;
  if (IgnoreErreur([&] { barre = oApplication.CommandBars().Item(std::string(nom)); }) != 0) return;
  IgnoreErreur([&] { barre.Enabled(true); });
  IgnoreErreur([&] { barre.Visible(false); });
  IgnoreErreur([&] { barre.Position(ppt::msoBarTop); });
  IgnoreErreur([&] { barre.Visible(true); });
}

}  // namespace

void InitCommandBar(const ppt::Application& oApplication, bool bTaskPaneVisible) {
  AncreEnHaut(oApplication, "standard");
  AncreEnHaut(oApplication, "formatting");

  ppt::CommandBar dessin;
  if (IgnoreErreur([&] { dessin = oApplication.CommandBars().Item(std::string("Drawing")); }) == 0) {
    IgnoreErreur([&] { dessin.Enabled(true); });
    bool aDeplacer = false;
    IgnoreErreur([&] { aDeplacer = dessin.Visible() && dessin.Position() != ppt::msoBarBottom; });
    if (aDeplacer) {
      IgnoreErreur([&] { dessin.Visible(false); });
      IgnoreErreur([&] { dessin.Position(ppt::msoBarBottom); });
      IgnoreErreur([&] { dessin.Visible(true); });
    }
  }

  ppt::CommandBar volet;
  if (IgnoreErreur([&] { volet = oApplication.CommandBars().Item(std::string("Task Pane")); }) == 0) {
    bool actif = false;
    IgnoreErreur([&] { actif = volet.Enabled(); });
    if (actif) {
      IgnoreErreur([&] { volet.Position(ppt::msoBarRight); });
      IgnoreErreur([&] { volet.Visible(bTaskPaneVisible); });
    }
  }
}

}  // namespace k60418
