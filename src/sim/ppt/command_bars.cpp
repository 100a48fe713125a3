// Office's command bars as PowerPoint 2003 shows them: toolbars with their controls, the task pane,
// and the tooltip setting. Bars are found by name without case ("standard" finds "Standard"), as
// Office does; a bar or a control that does not exist fails Item with Office's error 5.
#include <algorithm>
#include <cctype>

#include "sim/ppt/objects.hpp"

namespace sim::ppt {
namespace {

// MsoControlType
constexpr int msoControlButton = 1;
constexpr int msoControlPopup = 10;

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

[[noreturn]] void InvalidArgument() {
  vb::Raise(vb::errors::kInvalidCall, "Office");
}

Control Button(const std::string& caption, bool toggle = false) {
  Control control;
  control.caption = caption;
  control.type = msoControlButton;
  control.toggle = toggle;
  return control;
}

class ControlObject : public ProcessObject {
 public:
  ControlObject(ProcessRef process, std::size_t bar, std::size_t control)
      : ProcessObject(std::move(process)), bar_(bar), control_(control) {}
  std::string TypeName() const override { return "CommandBarControl"; }
  const void* Identity() const override { return &control(); }

 protected:
  const MemberTable& Members() const override {
    using M = MembersOf<ControlObject>;
    using Self = ControlObject;
    static const MemberTable table({
        M::Property("Caption",
                    [](Self& self, const CallArgs&) { return vb::Variant(self.control().caption); }),
        M::Property("Type", [](Self& self,
                               const CallArgs&) { return vb::Variant(std::int32_t{self.control().type}); }),
        M::Property("Index",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(static_cast<std::int32_t>(self.control_ + 1));
                    }),
        M::Property(
            "Enabled", [](Self& self, const CallArgs&) { return vb::Variant(self.control().enabled); },
            [](Self& self, const CallArgs& args) { self.control().enabled = args.value().ToBool(); }),
        M::Property(
            "Visible", [](Self& self, const CallArgs&) { return vb::Variant(self.control().visible); },
            [](Self& self, const CallArgs& args) { self.control().visible = args.value().ToBool(); }),
        // msoButtonUp 0, msoButtonDown -1.
        M::Property(
            "State",
            [](Self& self, const CallArgs&) { return vb::Variant(std::int32_t{self.control().state}); },
            [](Self& self, const CallArgs& args) {
              const long state = args.value().ToLong();
              if (state != 0 && state != -1 && state != 2) InvalidArgument();
              self.control().state = static_cast<int>(state);
            }),
        M::Procedure("Execute",
                     [](Self& self, const CallArgs&) {
                       auto& control = self.control();
                       if (!control.enabled) vb::Raise(vb::errors::kInvalidCall, "Office");
                       if (control.toggle) control.state = control.state == -1 ? 0 : -1;
                     }),
    });
    return table;
  }

 private:
  Control& control() const {
    auto& bars = process().command_bars;
    if (bar_ >= bars.size() || control_ >= bars[bar_].controls.size()) InvalidArgument();
    return bars[bar_].controls[control_];
  }
  std::size_t bar_, control_;
};

class ControlsObject : public ProcessObject {
 public:
  ControlsObject(ProcessRef process, std::size_t bar) : ProcessObject(std::move(process)), bar_(bar) {}
  std::string TypeName() const override { return "CommandBarControls"; }

 protected:
  const MemberTable& Members() const override {
    using M = MembersOf<ControlsObject>;
    static const MemberTable table({
        M::Property("Count",
                    [](ControlsObject& self, const CallArgs&) {
                      return vb::Variant(static_cast<std::int32_t>(self.bar().controls.size()));
                    }),
        M::Indexed("Item",
                   [](ControlsObject& self, const CallArgs& args) {
                     args.Expect(1, {"Index"});
                     const auto index = args.Required(0, "Index");
                     const auto& controls = self.bar().controls;
                     if (index.IsString()) {
                       for (std::size_t i = 0; i < controls.size(); ++i)
                         if (SameText(controls[i].caption, index.ToString()))
                           return Obj(std::make_shared<ControlObject>(self.process_ref(), self.bar_, i));
                       InvalidArgument();
                     }
                     const long i = IndexArgument(index);
                     if (i < 1 || i > static_cast<long>(controls.size())) InvalidArgument();
                     return Obj(std::make_shared<ControlObject>(self.process_ref(), self.bar_,
                                                                static_cast<std::size_t>(i - 1)));
                   }),
    });
    return table;
  }

 private:
  CommandBar& bar() const { return process().command_bars.at(bar_); }
  std::size_t bar_;
};

class CommandBarObject : public ProcessObject {
 public:
  CommandBarObject(ProcessRef process, std::size_t bar) : ProcessObject(std::move(process)), bar_(bar) {}
  std::string TypeName() const override { return "CommandBar"; }
  const void* Identity() const override { return &bar(); }

 protected:
  const MemberTable& Members() const override {
    using M = MembersOf<CommandBarObject>;
    using Self = CommandBarObject;
    static const MemberTable table({
        M::Property("Name", [](Self& self, const CallArgs&) { return vb::Variant(self.bar().name); }),
        M::Property("NameLocal",
                    [](Self& self, const CallArgs&) { return vb::Variant(self.bar().name_local); }),
        M::Property("Index",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(static_cast<std::int32_t>(self.bar_ + 1));
                    }),
        M::Property(
            "Enabled", [](Self& self, const CallArgs&) { return vb::Variant(self.bar().enabled); },
            [](Self& self, const CallArgs& args) {
              auto& bar = self.bar();
              bar.enabled = args.value().ToBool();
              if (!bar.enabled) bar.visible = false;
            }),
        M::Property(
            "Visible", [](Self& self, const CallArgs&) { return vb::Variant(self.bar().visible); },
            [](Self& self, const CallArgs& args) {
              auto& bar = self.bar();
              const bool visible = args.value().ToBool();
              // A disabled bar cannot be shown.
              if (visible && !bar.enabled) InvalidArgument();
              bar.visible = visible;
            }),
        // msoBarLeft 0, msoBarTop 1, msoBarRight 2, msoBarBottom 3, msoBarFloating 4.
        M::Property(
            "Position",
            [](Self& self, const CallArgs&) { return vb::Variant(std::int32_t{self.bar().position}); },
            [](Self& self, const CallArgs& args) {
              const long position = args.value().ToLong();
              if (position < 0 || position > 4) InvalidArgument();
              self.bar().position = static_cast<int>(position);
            }),
        M::Property("Controls",
                    [](Self& self, const CallArgs&) {
                      self.bar();
                      return Obj(std::make_shared<ControlsObject>(self.process_ref(), self.bar_));
                    }),
    });
    return table;
  }

 private:
  CommandBar& bar() const { return process().command_bars.at(bar_); }
  std::size_t bar_;
};

class CommandBarsObject : public ProcessObject {
 public:
  using ProcessObject::ProcessObject;
  std::string TypeName() const override { return "CommandBars"; }

 protected:
  const MemberTable& Members() const override {
    using M = MembersOf<CommandBarsObject>;
    using Self = CommandBarsObject;
    static const MemberTable table({
        M::Property("Count",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(static_cast<std::int32_t>(self.process().command_bars.size()));
                    }),
        M::Indexed("Item",
                   [](Self& self, const CallArgs& args) {
                     args.Expect(1, {"Index"});
                     const auto index = args.Required(0, "Index");
                     const auto& bars = self.process().command_bars;
                     if (index.IsString()) {
                       for (std::size_t i = 0; i < bars.size(); ++i)
                         if (SameText(bars[i].name, index.ToString()) ||
                             SameText(bars[i].name_local, index.ToString()))
                           return Obj(std::make_shared<CommandBarObject>(self.process_ref(), i));
                       InvalidArgument();
                     }
                     const long i = IndexArgument(index);
                     if (i < 1 || i > static_cast<long>(bars.size())) InvalidArgument();
                     return Obj(std::make_shared<CommandBarObject>(self.process_ref(),
                                                                   static_cast<std::size_t>(i - 1)));
                   }),
        M::Property(
            "DisplayTooltips",
            [](Self& self, const CallArgs&) { return vb::Variant(self.process().display_tooltips); },
            [](Self& self, const CallArgs& args) {
              self.process().display_tooltips = args.value().ToBool();
            }),
    });
    return table;
  }
};

}  // namespace

std::vector<CommandBar> InitialCommandBars() {
  std::vector<CommandBar> bars;
  auto bar = [&](const std::string& name, const std::string& local, bool visible, int position,
                 std::vector<Control> controls) {
    CommandBar b;
    b.name = name;
    b.name_local = local;
    b.visible = visible;
    b.position = position;
    b.controls = std::move(controls);
    bars.push_back(std::move(b));
  };
  Control menu;
  menu.type = msoControlPopup;
  auto popup = [&](const std::string& caption) {
    Control c = menu;
    c.caption = caption;
    return c;
  };
  bar("Menu Bar", "Barre de menus", true, 1,
      {popup("&Fichier"), popup("&Edition"), popup("&Affichage"), popup("&Insertion"), popup("F&ormat"),
       popup("&Outils"), popup("&Diaporama"), popup("Fe&nêtre"), popup("&?")});
  bar("Standard", "Standard", true, 1,
      {Button("&Nouveau"), Button("&Ouvrir..."), Button("&Enregistrer"), Button("Im&primer"),
       Button("Aperçu a&vant impression"), Button("Co&uper"), Button("Co&pier"), Button("C&oller")});
  bar("Formatting", "Mise en forme", true, 1,
      {Button("&Police"), Button("&Taille de police"), Button("&Gras", true), Button("&Italique", true),
       Button("&Souligné", true), Button("&Ombre", true), Button("Aligner à &gauche"), Button("&Centrer"),
       Button("Aligner à &droite")});
  bar("Drawing", "Dessin", true, 3,
      {Button("&Dessin"), Button("Sélectionner des objets", true), Button("Forme&s automatiques"),
       Button("&Trait"), Button("&Flèche"), Button("&Rectangle"), Button("&Ellipse"),
       Button("Zone de te&xte")});
  bar("Task Pane", "Volet Office", true, 2, {Button("Précédent"), Button("Suivant"), Button("Accueil")});
  // The frames toolbar: its fifth control is a toggle button.
  bar("Frames", "Cadres", false, 4,
      {Button("Nouvelle page de cadres"), Button("Cadre à gauche"), Button("Cadre à droite"),
       Button("Cadre en haut"), Button("Propriétés du cadre", true), Button("Supprimer le cadre")});
  bar("Outlining", "Mode Plan", false, 0,
      {Button("Hausser"), Button("Abaisser"), Button("Monter"), Button("Descendre"), Button("Réduire")});
  bar("Reviewing", "Révisions", false, 1,
      {Button("Marques", true), Button("Insérer un commentaire"), Button("Modifier le commentaire")});
  return bars;
}

vb::ObjectRef MakeCommandBars(ProcessRef process) {
  return std::make_shared<CommandBarsObject>(std::move(process));
}

}  // namespace sim::ppt
