// Slides, SlideRange and Slide. A Slide is a range of one slide; a SlideRange reads a property
// common to its slides (a tri-state -2 when they differ, or an error for a colour scheme).
#include <algorithm>
#include <set>

#include "sim/ppt/objects.hpp"

namespace sim::ppt {
namespace {

using SlideRef = std::shared_ptr<doc::Slide>;

class SlideRangeObject : public DocObject {
 public:
  SlideRangeObject(ProcessRef process, std::shared_ptr<Document> document, std::vector<SlideRef> slides,
                   bool single)
      : DocObject(std::move(process), std::move(document)), slides_(std::move(slides)), single_(single) {}

  std::string TypeName() const override { return single_ ? "Slide" : "SlideRange"; }
  const void* Identity() const override {
    return single_ ? static_cast<const void*>(slides_.front().get()) : this;
  }
  void CheckAlive() const override {
    DocObject::CheckAlive();
    for (const auto& slide : slides_)
      if (SlidePosition(model(), *slide) == 0) RaiseGone(TypeName());
  }

 protected:
  const MemberTable& Members() const override;

 private:
  /// The one slide of a range whose members need one (Shapes, Tags …).
  const SlideRef& One(const std::string& member) const {
    if (slides_.size() != 1)
      RaisePowerPoint(TypeName() + "." + member +
                      " : Invalid request.  This member needs a range of one slide.");
    return slides_.front();
  }
  vb::Variant Wrap(std::vector<SlideRef> slides) const {
    return vb::Variant(MakeSlideRange(process_ref(), document_ref(), std::move(slides)));
  }
  /// The window's current slide stays valid when slides go.
  void ForgetDeleted() const {
    for (auto& window : process().WindowsOf(document())) {
      const auto& list = model().slides;
      const bool present = std::any_of(list.begin(), list.end(),
                                       [&](const SlideRef& s) { return s->id == window->current_slide_id; });
      if (!present) window->current_slide_id = list.empty() ? 0 : list.front()->id;
    }
  }

  std::vector<SlideRef> slides_;
  bool single_;
};

const MemberTable& SlideRangeObject::Members() const {
  using M = DocMembersOf<SlideRangeObject>;
  using Self = SlideRangeObject;
  static const MemberTable table({
      M::Property("Count",
                  [](Self& self, const CallArgs&) {
                    return vb::Variant(static_cast<std::int32_t>(self.slides_.size()));
                  }),
      M::Indexed("Item",
                 [](Self& self, const CallArgs& args) {
                   args.Expect(1, {"Index"});
                   const long index = IndexArgument(args.Required(0, "Index"));
                   const long count = static_cast<long>(self.slides_.size());
                   if (index < 1 || index > count) RaiseOutOfRange("SlideRange.Item", index, count);
                   return vb::Variant(MakeSlide(self.process_ref(), self.document_ref(),
                                                self.slides_[static_cast<std::size_t>(index - 1)]));
                 }),
      M::Property("SlideIndex",
                  [](Self& self, const CallArgs&) {
                    return vb::Variant(std::int32_t{SlidePosition(self.model(), *self.One("SlideIndex"))});
                  }),
      M::Property("SlideNumber",
                  [](Self& self, const CallArgs&) {
                    return vb::Variant(std::int32_t{SlidePosition(self.model(), *self.One("SlideNumber")) +
                                                    self.model().page_setup.first_slide_number - 1});
                  }),
      M::Property(
          "SlideID",
          [](Self& self, const CallArgs&) { return vb::Variant(std::int32_t{self.One("SlideID")->id}); }),
      M::Property(
          "Name", [](Self& self, const CallArgs&) { return vb::Variant(self.One("Name")->name); },
          [](Self& self, const CallArgs& args) { self.One("Name")->name = args.value().ToString(); }),
      M::Property(
          "Layout",
          [](Self& self, const CallArgs&) {
            const int first = self.slides_.front()->layout;
            for (const auto& slide : self.slides_)
              if (slide->layout != first) return vb::Variant(std::int32_t{-2});
            return vb::Variant(std::int32_t{first});
          },
          [](Self& self, const CallArgs& args) {
            const long layout = args.value().ToLong();
            if (layout < 1 || layout > pp::ppLayoutLast)
              RaisePowerPoint(self.TypeName() + ".Layout : Integer out of range. " + std::to_string(layout) +
                              " is not in the valid range of 1 to " + std::to_string(pp::ppLayoutLast) + ".");
            for (auto& slide : self.slides_) slide->layout = static_cast<int>(layout);
          }),
      M::Property("Tags",
                  [](Self& self, const CallArgs&) {
                    const auto& slide = self.One("Tags");
                    return vb::Variant(MakeTags(self.process_ref(), self.document_ref(),
                                                std::shared_ptr<doc::Tags>(slide, &slide->tags)));
                  }),
      M::Property("Shapes",
                  [](Self& self, const CallArgs&) {
                    const auto& slide = self.One("Shapes");
                    ShapeOwner owner{slide, &slide->shapes, slide, nullptr};
                    return vb::Variant(MakeShapes(self.process_ref(), self.document_ref(), owner));
                  }),
      M::Property(
          "Design",
          [](Self& self, const CallArgs&) {
            const auto& design = self.slides_.front()->design;
            for (const auto& slide : self.slides_)
              if (slide->design != design)
                RaisePowerPoint("SlideRange.Design : Invalid request.  The slides have different designs.");
            return vb::Variant(MakeDesign(self.process_ref(), self.document_ref(), design));
          },
          [](Self& self, const CallArgs& args) {
            auto design = DesignOf(self.document(), args.value());
            for (auto& slide : self.slides_) slide->design = design;
          }),
      M::Property("Master",
                  [](Self& self, const CallArgs&) {
                    return vb::Variant(MakeMaster(self.process_ref(), self.document_ref(),
                                                  self.One("Master")->design->slide_master));
                  }),
      M::Property(
          "ColorScheme",
          [](Self& self, const CallArgs&) {
            // The scheme common to the slides; PowerPoint raises when they differ.
            const auto& first = self.slides_.front()->color_scheme;
            std::vector<std::shared_ptr<doc::ColorScheme>> schemes;
            for (const auto& slide : self.slides_) {
              if (!(slide->color_scheme == first))
                RaisePowerPoint(self.TypeName() +
                                ".ColorScheme : Invalid request.  The slides have different color schemes.");
              schemes.emplace_back(slide, &slide->color_scheme);
            }
            return vb::Variant(MakeColorScheme(self.process_ref(), self.document_ref(), std::move(schemes)));
          },
          [](Self& self, const CallArgs& args) {
            // Each slide gets its own copy of the colours.
            const auto colors = ColorsOf(args.value());
            for (auto& slide : self.slides_) slide->color_scheme = colors;
          }),
      M::Property(
          "FollowMasterBackground",
          [](Self& self, const CallArgs&) {
            const bool first = self.slides_.front()->follow_master_background;
            for (const auto& slide : self.slides_)
              if (slide->follow_master_background != first)
                return vb::Variant(std::int32_t{pp::msoTriStateMixed});
            return TriState(first);
          },
          [](Self& self, const CallArgs& args) {
            const bool follow = args.value().ToBool();
            for (auto& slide : self.slides_) {
              // A slide leaving its master's background starts from the master's look.
              if (slide->follow_master_background && !follow)
                slide->background = slide->design->slide_master->background;
              slide->follow_master_background = follow;
            }
          }),
      M::Property("Background",
                  [](Self& self, const CallArgs&) {
                    const SlideRef slide = self.One("Background");
                    FillResolver fill = [slide](bool for_write) -> std::shared_ptr<doc::Fill> {
                      if (slide->follow_master_background) {
                        if (!for_write) {
                          auto master = slide->design->slide_master;
                          return std::shared_ptr<doc::Fill>(master, &master->background);
                        }
                        slide->background = slide->design->slide_master->background;
                        slide->follow_master_background = false;
                      }
                      return std::shared_ptr<doc::Fill>(slide, &slide->background);
                    };
                    return vb::Variant(MakeBackground(self.process_ref(), self.document_ref(), fill));
                  }),
      M::Property("HeadersFooters",
                  [](Self& self, const CallArgs&) {
                    const auto& slide = self.One("HeadersFooters");
                    return vb::Variant(MakeHeadersFooters(
                        self.process_ref(), self.document_ref(),
                        std::shared_ptr<doc::HeadersFooters>(slide, &slide->headers_footers)));
                  }),
      M::Procedure("ApplyTemplate",
                   [](Self& self, const CallArgs& args) {
                     args.Expect(1, {"FileName"});
                     ApplyTemplate(self.process(), self.document(), args.Required(0, "FileName").ToString(),
                                   &self.slides_);
                     self.Modified();
                   }),
      M::Procedure("Delete",
                   [](Self& self, const CallArgs& args) {
                     args.Expect(0);
                     std::set<const doc::Slide*> gone;
                     for (const auto& slide : self.slides_) gone.insert(slide.get());
                     std::erase_if(self.model().slides,
                                   [&](const SlideRef& s) { return gone.count(s.get()) > 0; });
                     self.ForgetDeleted();
                     self.Modified();
                   }),
      M::Method("Duplicate",
                [](Self& self, const CallArgs& args) {
                  args.Expect(0);
                  // The copies (tags included) go right after the last slide of the range, in order.
                  auto& list = self.model().slides;
                  int last = 0;
                  for (const auto& slide : self.slides_)
                    last = std::max(last, SlidePosition(self.model(), *slide));
                  std::vector<SlideRef> copies;
                  for (const auto& slide : self.slides_)
                    copies.push_back(doc::CopySlide(*slide, self.model()));
                  list.insert(list.begin() + last, copies.begin(), copies.end());
                  self.Modified();
                  return self.Wrap(copies);
                }),
      M::Procedure("MoveTo",
                   [](Self& self, const CallArgs& args) {
                     args.Expect(1, {"ToPos"});
                     auto& list = self.model().slides;
                     const long to = IndexArgument(args.Required(0, "ToPos"));
                     const long count = static_cast<long>(list.size());
                     if (to < 1 || to > count) RaiseOutOfRange(self.TypeName() + ".MoveTo", to, count);
                     const SlideRef slide = self.One("MoveTo");
                     std::erase(list, slide);
                     list.insert(list.begin() + (to - 1), slide);
                     self.Modified();
                   }),
      M::Procedure("Select",
                   [](Self& self, const CallArgs&) {
                     if (auto window = self.process().active_window;
                         window && window->document == self.document_ref())
                       window->current_slide_id = self.slides_.front()->id;
                   }),
  });
  return table;
}

class SlidesObject : public DocObject {
 public:
  using DocObject::DocObject;
  std::string TypeName() const override { return "Slides"; }
  const void* Identity() const override { return &model().slides; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<SlidesObject>;
    using Self = SlidesObject;
    static const MemberTable table({
        M::Property("Count",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(static_cast<std::int32_t>(self.model().slides.size()));
                    }),
        M::Indexed("Item",
                   [](Self& self, const CallArgs& args) {
                     args.Expect(1, {"Index"});
                     return vb::Variant(MakeSlide(self.process_ref(), self.document_ref(),
                                                  self.Find(args.Required(0, "Index"), "Slides.Item")));
                   }),
        M::Method("FindBySlideID",
                  [](Self& self, const CallArgs& args) {
                    args.Expect(1, {"SlideID"});
                    const long id = args.Required(0, "SlideID").ToLong();
                    for (const auto& slide : self.model().slides)
                      if (slide->id == id)
                        return vb::Variant(MakeSlide(self.process_ref(), self.document_ref(), slide));
                    RaisePowerPoint("Slides.FindBySlideID : Item " + std::to_string(id) +
                                    " not found in the Slides collection.");
                  }),
        M::Method("Range",
                  [](Self& self, const CallArgs& args) {
                    args.Expect(1, {"Index"});
                    std::vector<SlideRef> slides;
                    const auto index = args.Find(0, "Index");
                    if (!index) {
                      slides = self.model().slides;
                    } else if (index->type() == vb::VarType::Array) {
                      for (const auto& item : index->ToArray())
                        slides.push_back(self.Find(item, "Slides.Range"));
                    } else {
                      slides.push_back(self.Find(*index, "Slides.Range"));
                    }
                    if (slides.empty())
                      RaisePowerPoint("Slides.Range : Invalid request.  The presentation has no slide.");
                    return vb::Variant(MakeSlideRange(self.process_ref(), self.document_ref(), slides));
                  }),
        M::Method("Add",
                  [](Self& self, const CallArgs& args) {
                    args.Expect(2, {"Index", "Layout"});
                    auto& model = self.model();
                    const long count = static_cast<long>(model.slides.size());
                    const long index = IndexArgument(args.Required(0, "Index"));
                    if (index < 1 || index > count + 1) RaiseOutOfRange("Slides.Add", index, count + 1);
                    const long layout = args.Required(1, "Layout").ToLong();
                    if (layout < 1 || layout > pp::ppLayoutLast)
                      RaisePowerPoint("Slides.Add : Integer out of range. " + std::to_string(layout) +
                                      " is not in the valid range of 1 to " +
                                      std::to_string(pp::ppLayoutLast) + ".");
                    // The new slide takes the design of the slide before it.
                    auto design = index > 1 ? model.slides[static_cast<std::size_t>(index - 2)]->design
                                            : model.designs.front();
                    if (index == 1 && !model.slides.empty()) design = model.slides.front()->design;
                    auto slide = doc::MakeSlide(model, static_cast<int>(layout), design);
                    model.slides.insert(model.slides.begin() + (index - 1), slide);
                    self.Modified();
                    return vb::Variant(MakeSlide(self.process_ref(), self.document_ref(), slide));
                  }),
    });
    return table;
  }

 private:
  /// A slide by position or by name.
  SlideRef Find(const vb::Variant& index, const std::string& where) const {
    const auto& slides = model().slides;
    if (index.IsString()) {
      const std::string name = index.ToString();
      for (const auto& slide : slides)
        if (slide->name == name) return slide;
      RaisePowerPoint(where + " : Item " + name + " not found in the Slides collection.");
    }
    const long i = IndexArgument(index);
    if (i < 1 || i > static_cast<long>(slides.size()))
      RaiseOutOfRange(where, i, static_cast<long>(slides.size()));
    return slides[static_cast<std::size_t>(i - 1)];
  }
};

}  // namespace

int SlidePosition(const doc::Presentation& presentation, const doc::Slide& slide) {
  for (std::size_t i = 0; i < presentation.slides.size(); ++i)
    if (presentation.slides[i].get() == &slide) return static_cast<int>(i) + 1;
  return 0;
}

vb::ObjectRef MakeSlides(ProcessRef process, std::shared_ptr<Document> document) {
  return std::make_shared<SlidesObject>(std::move(process), std::move(document));
}

vb::ObjectRef MakeSlide(ProcessRef process, std::shared_ptr<Document> document,
                        std::shared_ptr<doc::Slide> slide) {
  return std::make_shared<SlideRangeObject>(std::move(process), std::move(document),
                                            std::vector<SlideRef>{std::move(slide)}, true);
}

vb::ObjectRef MakeSlideRange(ProcessRef process, std::shared_ptr<Document> document,
                             std::vector<std::shared_ptr<doc::Slide>> slides) {
  return std::make_shared<SlideRangeObject>(std::move(process), std::move(document), std::move(slides),
                                            false);
}

}  // namespace sim::ppt
