// Masters, designs, backgrounds and fills, colour schemes.
#include <algorithm>

#include "sim/ppt/objects.hpp"
#include "sim/ppt/text_objects.hpp"

namespace sim::ppt {
namespace {

using SchemeList = std::vector<std::shared_ptr<doc::ColorScheme>>;

bool UsesMaster(const doc::Presentation& model, const doc::Master* master) {
  if (model.notes_master.get() == master || model.handout_master.get() == master) return true;
  for (const auto& design : model.designs)
    if (design->slide_master.get() == master || design->title_master.get() == master) return true;
  return false;
}

std::int32_t RgbArgument(const vb::Variant& value, const std::string& where) {
  const long rgb = value.ToLong();
  if (rgb < 0 || rgb > 0xFFFFFF) RaisePowerPoint(where + " : The value is out of range.");
  return static_cast<std::int32_t>(rgb);
}

class MasterObject : public DocObject {
 public:
  MasterObject(ProcessRef process, std::shared_ptr<Document> document, std::shared_ptr<doc::Master> master)
      : DocObject(std::move(process), std::move(document)), master_(std::move(master)) {}
  std::string TypeName() const override { return "Master"; }
  const void* Identity() const override { return master_.get(); }
  void CheckAlive() const override {
    DocObject::CheckAlive();
    if (!UsesMaster(model(), master_.get())) RaiseGone("Master");
  }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<MasterObject>;
    using Self = MasterObject;
    static const MemberTable table({
        M::Property(
            "Name", [](Self& self, const CallArgs&) { return vb::Variant(self.master_->name); },
            [](Self& self, const CallArgs& args) { self.master_->name = args.value().ToString(); }),
        M::Property("Width", [](Self& self, const CallArgs&) { return vb::Variant(self.master_->width); }),
        M::Property("Height", [](Self& self, const CallArgs&) { return vb::Variant(self.master_->height); }),
        M::Property("Shapes",
                    [](Self& self, const CallArgs&) {
                      ShapeOwner owner{self.master_, &self.master_->shapes, nullptr, self.master_};
                      return vb::Variant(MakeShapes(self.process_ref(), self.document_ref(), owner));
                    }),
        M::Property("HeadersFooters",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(
                          MakeHeadersFooters(self.process_ref(), self.document_ref(),
                                             std::shared_ptr<doc::HeadersFooters>(
                                                 self.master_, &self.master_->headers_footers)));
                    }),
        M::Property("Background",
                    [](Self& self, const CallArgs&) {
                      auto master = self.master_;
                      return vb::Variant(
                          MakeBackground(self.process_ref(), self.document_ref(), [master](bool) {
                            return std::shared_ptr<doc::Fill>(master, &master->background);
                          }));
                    }),
        M::Property("ColorScheme",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(MakeColorScheme(
                          self.process_ref(), self.document_ref(),
                          {std::shared_ptr<doc::ColorScheme>(self.master_, &self.master_->color_scheme)}));
                    }),
        M::Property("TextStyles",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(
                          MakeTextStyles(self.process_ref(), self.document_ref(), self.master_));
                    }),
        M::Property("Design",
                    [](Self& self, const CallArgs&) {
                      for (const auto& design : self.model().designs)
                        if (design->slide_master == self.master_ || design->title_master == self.master_)
                          return vb::Variant(MakeDesign(self.process_ref(), self.document_ref(), design));
                      RaisePowerPoint("Master.Design : Invalid request.  This master belongs to no design.");
                    }),
    });
    return table;
  }

 private:
  std::shared_ptr<doc::Master> master_;
};

class DesignObject : public DocObject {
 public:
  DesignObject(ProcessRef process, std::shared_ptr<Document> document, std::shared_ptr<doc::Design> design)
      : DocObject(std::move(process), std::move(document)), design_(std::move(design)) {}
  std::string TypeName() const override { return "Design"; }
  const void* Identity() const override { return design_.get(); }
  void CheckAlive() const override {
    DocObject::CheckAlive();
    const auto& designs = model().designs;
    if (std::find(designs.begin(), designs.end(), design_) == designs.end()) RaiseGone("Design");
  }
  const std::shared_ptr<doc::Design>& design() const { return design_; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<DesignObject>;
    using Self = DesignObject;
    static const MemberTable table({
        M::Property(
            "Name", [](Self& self, const CallArgs&) { return vb::Variant(self.design_->name); },
            [](Self& self, const CallArgs& args) { self.design_->name = args.value().ToString(); }),
        M::Property("Index",
                    [](Self& self, const CallArgs&) {
                      const auto& designs = self.model().designs;
                      return vb::Variant(static_cast<std::int32_t>(
                          std::find(designs.begin(), designs.end(), self.design_) - designs.begin() + 1));
                    }),
        M::Property("SlideMaster",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(
                          MakeMaster(self.process_ref(), self.document_ref(), self.design_->slide_master));
                    }),
        M::Property(
            "HasTitleMaster",
            [](Self& self, const CallArgs&) { return TriState(self.design_->title_master != nullptr); }),
        M::Property("TitleMaster",
                    [](Self& self, const CallArgs&) {
                      if (!self.design_->title_master)
                        RaisePowerPoint(
                            "Design.TitleMaster : Invalid request.  This design has no title master.");
                      return vb::Variant(
                          MakeMaster(self.process_ref(), self.document_ref(), self.design_->title_master));
                    }),
    });
    return table;
  }

 private:
  std::shared_ptr<doc::Design> design_;
};

class DesignsObject : public DocObject {
 public:
  using DocObject::DocObject;
  std::string TypeName() const override { return "Designs"; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<DesignsObject>;
    using Self = DesignsObject;
    static const MemberTable table({
        M::Property("Count",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(static_cast<std::int32_t>(self.model().designs.size()));
                    }),
        M::Indexed("Item",
                   [](Self& self, const CallArgs& args) {
                     args.Expect(1, {"Index"});
                     const auto index = args.Required(0, "Index");
                     const auto& designs = self.model().designs;
                     if (index.IsString()) {
                       for (const auto& design : designs)
                         if (design->name == index.ToString())
                           return vb::Variant(MakeDesign(self.process_ref(), self.document_ref(), design));
                       RaisePowerPoint("Designs.Item : Item " + index.ToString() +
                                       " not found in the Designs collection.");
                     }
                     const long i = IndexArgument(index);
                     const long count = static_cast<long>(designs.size());
                     if (i < 1 || i > count) RaiseOutOfRange("Designs.Item", i, count);
                     return vb::Variant(MakeDesign(self.process_ref(), self.document_ref(),
                                                   designs[static_cast<std::size_t>(i - 1)]));
                   }),
    });
    return table;
  }
};

/// A colour of a colour scheme (RGBColor).
class ColorFormatObject : public DocObject {
 public:
  using Reader = std::function<std::int32_t()>;
  using Writer = std::function<void(std::int32_t)>;
  ColorFormatObject(ProcessRef process, std::shared_ptr<Document> document, std::string type,
                    const void* identity, Reader read, Writer write)
      : DocObject(std::move(process), std::move(document)),
        type_(std::move(type)),
        identity_(identity),
        read_(std::move(read)),
        write_(std::move(write)) {}
  std::string TypeName() const override { return type_; }
  const void* Identity() const override { return identity_; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<ColorFormatObject>;
    using Self = ColorFormatObject;
    static const MemberTable table({
        M::Property(
            "RGB", [](Self& self, const CallArgs&) { return vb::Variant(self.read_()); },
            [](Self& self, const CallArgs& args) {
              self.write_(RgbArgument(args.value(), self.type_ + ".RGB"));
            }),
        // msoColorTypeRGB
        M::Property("Type", [](Self&, const CallArgs&) { return vb::Variant(std::int32_t{1}); }),
    });
    return table;
  }

 private:
  std::string type_;
  const void* identity_;
  Reader read_;
  Writer write_;
};

class FillObject : public DocObject {
 public:
  FillObject(ProcessRef process, std::shared_ptr<Document> document, FillResolver fill)
      : DocObject(std::move(process), std::move(document)), fill_(std::move(fill)) {}
  std::string TypeName() const override { return "FillFormat"; }
  const void* Identity() const override { return fill_(false).get(); }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<FillObject>;
    using Self = FillObject;
    static const MemberTable table({
        M::Property(
            "Type",
            [](Self& self, const CallArgs&) { return vb::Variant(std::int32_t{self.fill_(false)->type}); }),
        M::Property("PresetTexture",
                    [](Self& self, const CallArgs&) {
                      const auto fill = self.fill_(false);
                      return vb::Variant(std::int32_t{fill->type == pp::msoFillTextured
                                                          ? fill->preset_texture
                                                          : pp::msoPresetTextureMixed});
                    }),
        M::Property("TextureName",
                    [](Self& self, const CallArgs&) {
                      const auto fill = self.fill_(false);
                      return vb::Variant(fill->type == pp::msoFillTextured ? fill->picture : std::string());
                    }),
        M::Property(
            "Visible", [](Self& self, const CallArgs&) { return TriState(self.fill_(false)->visible); },
            [](Self& self, const CallArgs& args) { self.fill_(true)->visible = args.value().ToBool(); }),
        M::Property("ForeColor",
                    [](Self& self, const CallArgs&) { return self.Color(&doc::Fill::fore_color); }),
        M::Property("BackColor",
                    [](Self& self, const CallArgs&) { return self.Color(&doc::Fill::back_color); }),
        M::Procedure("Solid",
                     [](Self& self, const CallArgs& args) {
                       args.Expect(0);
                       auto fill = self.fill_(true);
                       fill->type = pp::msoFillSolid;
                       fill->preset_texture = pp::msoPresetTextureMixed;
                       fill->picture.clear();
                       fill->visible = true;
                       self.Modified();
                     }),
        M::Procedure("PresetTextured",
                     [](Self& self, const CallArgs& args) {
                       args.Expect(1, {"PresetTexture"});
                       const long texture = args.Required(0, "PresetTexture").ToLong();
                       if (texture < 1 || texture > pp::msoTextureLast)
                         RaisePowerPoint("FillFormat.PresetTextured : Integer out of range. " +
                                         std::to_string(texture) + " is not in the valid range of 1 to " +
                                         std::to_string(pp::msoTextureLast) + ".");
                       auto fill = self.fill_(true);
                       fill->type = pp::msoFillTextured;
                       fill->preset_texture = static_cast<int>(texture);
                       fill->picture.clear();
                       fill->visible = true;
                       self.Modified();
                     }),
        M::Procedure("UserPicture",
                     [](Self& self, const CallArgs& args) {
                       args.Expect(1, {"PictureFile"});
                       self.Picture(args.Required(0, "PictureFile").ToString(), pp::msoFillPicture,
                                    "UserPicture");
                     }),
        M::Procedure("UserTextured",
                     [](Self& self, const CallArgs& args) {
                       args.Expect(1, {"TextureFile"});
                       self.Picture(args.Required(0, "TextureFile").ToString(), pp::msoFillTextured,
                                    "UserTextured");
                     }),
    });
    return table;
  }

 private:
  vb::Variant Color(std::int32_t doc::Fill::*field) const {
    auto resolver = fill_;
    auto document = document_ref();
    TextHooks hooks;
    hooks.check_alive = [document] {
      if (!document->open) RaiseGone("ColorFormat");
    };
    hooks.changed = [document] { document->saved = false; };
    return vb::Variant(MakeColorFormat(
        context(), [resolver, field] { return resolver(false).get()->*field; },
        [resolver, field](std::int32_t rgb) { resolver(true).get()->*field = rgb; }, hooks));
  }
  void Picture(const std::string& file, int type, const std::string& member) {
    const std::string path = ResolvePath(process(), file);
    if (!process().host->FileExists(path))
      RaisePowerPoint("FillFormat." + member + " : PowerPoint can't find the picture \"" + path + "\".");
    auto fill = fill_(true);
    fill->type = type;
    fill->preset_texture = pp::msoPresetTextureMixed;
    fill->picture = path;
    fill->visible = true;
    Modified();
  }
  FillResolver fill_;
};

class BackgroundObject : public DocObject {
 public:
  BackgroundObject(ProcessRef process, std::shared_ptr<Document> document, FillResolver fill)
      : DocObject(std::move(process), std::move(document)), fill_(std::move(fill)) {}
  std::string TypeName() const override { return "ShapeRange"; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<BackgroundObject>;
    static const MemberTable table({
        M::Property("Fill",
                    [](BackgroundObject& self, const CallArgs&) {
                      return vb::Variant(MakeFill(self.process_ref(), self.document_ref(), self.fill_));
                    }),
    });
    return table;
  }

 private:
  FillResolver fill_;
};

class ColorSchemeObject : public DocObject {
 public:
  ColorSchemeObject(ProcessRef process, std::shared_ptr<Document> document, SchemeList schemes)
      : DocObject(std::move(process), std::move(document)), schemes_(std::move(schemes)) {}
  std::string TypeName() const override { return "ColorScheme"; }
  // Not the scheme's own address: its first colour (the RGBColor of Colors(1)) starts there and
  // is another object. A byte inside that colour is the scheme's alone and never a colour's
  // (colours are 4-byte aligned).
  const void* Identity() const override {
    return reinterpret_cast<const unsigned char*>(schemes_.front().get()) + 1;
  }
  void CheckAlive() const override {
    DocObject::CheckAlive();
    if (deleted_) RaiseGone("ColorScheme");
  }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<ColorSchemeObject>;
    using Self = ColorSchemeObject;
    static const MemberTable table({
        M::Property("Count", [](Self&, const CallArgs&) { return vb::Variant(std::int32_t{8}); }),
        M::Indexed("Colors",
                   [](Self& self, const CallArgs& args) {
                     args.Expect(1, {"SchemeColor"});
                     const long index = IndexArgument(args.Required(0, "SchemeColor"));
                     if (index < 1 || index > 8) RaiseOutOfRange("ColorScheme.Colors", index, 8);
                     const auto slot = static_cast<std::size_t>(index - 1);
                     auto schemes = self.schemes_;
                     return vb::Variant(vb::ObjectRef(std::make_shared<ColorFormatObject>(
                         self.process_ref(), self.document_ref(), "RGBColor",
                         &self.schemes_.front()->colors[slot],
                         [schemes, slot] { return schemes.front()->colors[slot]; },
                         [schemes, slot](std::int32_t rgb) {
                           for (auto& scheme : schemes) scheme->colors[slot] = rgb;
                         })));
                   }),
        M::Procedure(
            "Delete",
            [](Self& self, const CallArgs& args) {
              args.Expect(0);
              auto& standard = self.model().color_schemes;
              auto it = std::find(standard.begin(), standard.end(), self.schemes_.front());
              if (it == standard.end())
                RaisePowerPoint(
                    "ColorScheme.Delete : Invalid request.  Only a standard color scheme can be deleted.");
              standard.erase(it);
              self.deleted_ = true;
              self.Modified();
            }),
    });
    return table;
  }

 private:
  SchemeList schemes_;
  bool deleted_ = false;
};

class ColorSchemesObject : public DocObject {
 public:
  using DocObject::DocObject;
  std::string TypeName() const override { return "ColorSchemes"; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<ColorSchemesObject>;
    using Self = ColorSchemesObject;
    static const MemberTable table({
        M::Property("Count",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(static_cast<std::int32_t>(self.model().color_schemes.size()));
                    }),
        M::Indexed("Item",
                   [](Self& self, const CallArgs& args) {
                     args.Expect(1, {"Index"});
                     const auto& schemes = self.model().color_schemes;
                     const long index = IndexArgument(args.Required(0, "Index"));
                     const long count = static_cast<long>(schemes.size());
                     if (index < 1 || index > count) RaiseOutOfRange("ColorSchemes.Item", index, count);
                     return vb::Variant(MakeColorScheme(self.process_ref(), self.document_ref(),
                                                        {schemes[static_cast<std::size_t>(index - 1)]}));
                   }),
        M::Method("Add",
                  [](Self& self, const CallArgs& args) {
                    args.Expect(1, {"Scheme"});
                    auto& schemes = self.model().color_schemes;
                    // PowerPoint keeps at most 16 standard schemes.
                    if (schemes.size() >= 16)
                      RaisePowerPoint(
                          "ColorSchemes.Add : Invalid request.  A presentation holds at most 16 standard "
                          "color schemes.");
                    const auto scheme = args.Find(0, "Scheme");
                    auto added = std::make_shared<doc::ColorScheme>(scheme ? ColorsOf(*scheme)
                                                                           : doc::DefaultColorScheme());
                    schemes.push_back(added);
                    self.Modified();
                    return vb::Variant(MakeColorScheme(self.process_ref(), self.document_ref(), {added}));
                  }),
    });
    return table;
  }
};

}  // namespace

vb::ObjectRef MakeMaster(ProcessRef process, std::shared_ptr<Document> document,
                         std::shared_ptr<doc::Master> master) {
  return std::make_shared<MasterObject>(std::move(process), std::move(document), std::move(master));
}

vb::ObjectRef MakeDesigns(ProcessRef process, std::shared_ptr<Document> document) {
  return std::make_shared<DesignsObject>(std::move(process), std::move(document));
}

vb::ObjectRef MakeDesign(ProcessRef process, std::shared_ptr<Document> document,
                         std::shared_ptr<doc::Design> design) {
  return std::make_shared<DesignObject>(std::move(process), std::move(document), std::move(design));
}

vb::ObjectRef MakeFill(ProcessRef process, std::shared_ptr<Document> document, FillResolver fill) {
  return std::make_shared<FillObject>(std::move(process), std::move(document), std::move(fill));
}

vb::ObjectRef MakeBackground(ProcessRef process, std::shared_ptr<Document> document, FillResolver fill) {
  return std::make_shared<BackgroundObject>(std::move(process), std::move(document), std::move(fill));
}

vb::ObjectRef MakeColorSchemes(ProcessRef process, std::shared_ptr<Document> document) {
  return std::make_shared<ColorSchemesObject>(std::move(process), std::move(document));
}

vb::ObjectRef MakeColorScheme(ProcessRef process, std::shared_ptr<Document> document,
                              std::vector<std::shared_ptr<doc::ColorScheme>> schemes) {
  return std::make_shared<ColorSchemeObject>(std::move(process), std::move(document), std::move(schemes));
}

doc::ColorScheme ColorsOf(const vb::Variant& scheme) {
  auto object = scheme.ToObject();
  if (!object) vb::Raise(vb::errors::kObjectNotSet, "PowerPoint");
  if (object->TypeName() != "ColorScheme") vb::Raise(vb::errors::kTypeMismatch, "PowerPoint");
  doc::ColorScheme colors;
  for (int i = 1; i <= 8; ++i) {
    auto color = object->Invoke("Colors", vb::CallKind::Get, {{vb::Variant(std::int32_t{i}), {}}}).ToObject();
    colors.colors[static_cast<std::size_t>(i - 1)] = color->Invoke("RGB", vb::CallKind::Get, {}).ToLong();
  }
  return colors;
}

std::shared_ptr<doc::Design> DesignOf(const Document& document, const vb::Variant& design) {
  auto object = design.ToObject();
  if (!object) vb::Raise(vb::errors::kObjectNotSet, "PowerPoint");
  auto* found = dynamic_cast<DesignObject*>(object.get());
  if (!found) vb::Raise(vb::errors::kTypeMismatch, "PowerPoint");
  const auto& designs = document.model->designs;
  if (std::find(designs.begin(), designs.end(), found->design()) == designs.end())
    RaisePowerPoint("Design : Invalid request.  The design belongs to another presentation.");
  return found->design();
}

}  // namespace sim::ppt
