// The text of shapes and the text styles of masters, through the text objects.
#include "sim/ppt/objects.hpp"
#include "sim/ppt/text_objects.hpp"

namespace sim::ppt {
namespace {

TextHooks HooksFor(std::shared_ptr<Document> document, std::function<bool()> alive, const std::string& type) {
  TextHooks hooks;
  hooks.check_alive = [document, alive = std::move(alive), type] {
    if (!document->open || !alive()) RaiseGone(type);
  };
  hooks.changed = [document] { document->saved = false; };
  return hooks;
}

class TextStyleLevelObject : public DocObject {
 public:
  TextStyleLevelObject(ProcessRef process, std::shared_ptr<Document> document,
                       std::shared_ptr<doc::Master> master, doc::TextStyle* style, std::size_t level)
      : DocObject(std::move(process), std::move(document)),
        master_(std::move(master)),
        style_(style),
        level_(level) {}
  std::string TypeName() const override { return "TextStyleLevel"; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<TextStyleLevelObject>;
    using Self = TextStyleLevelObject;
    static const MemberTable table({
        M::Property("ParagraphFormat",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(
                          MakeParagraphFormat(self.context(),
                                              std::shared_ptr<ParagraphFormatData>(
                                                  self.master_, &self.style_->levels[self.level_]),
                                              self.Hooks()));
                    }),
        M::Property("Font",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(
                          MakeFont(self.context(),
                                   std::shared_ptr<FontData>(self.master_, &self.style_->fonts[self.level_]),
                                   self.Hooks()));
                    }),
    });
    return table;
  }

 private:
  TextHooks Hooks() const {
    return HooksFor(
        document_ref(), [] { return true; }, "TextStyleLevel");
  }
  std::shared_ptr<doc::Master> master_;
  doc::TextStyle* style_;
  std::size_t level_;
};

class TextStyleLevelsObject : public DocObject {
 public:
  TextStyleLevelsObject(ProcessRef process, std::shared_ptr<Document> document,
                        std::shared_ptr<doc::Master> master, doc::TextStyle* style)
      : DocObject(std::move(process), std::move(document)), master_(std::move(master)), style_(style) {}
  std::string TypeName() const override { return "TextStyleLevels"; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<TextStyleLevelsObject>;
    using Self = TextStyleLevelsObject;
    static const MemberTable table({
        M::Property("Count", [](Self&, const CallArgs&) { return vb::Variant(std::int32_t{5}); }),
        M::Indexed("Item",
                   [](Self& self, const CallArgs& args) {
                     args.Expect(1, {"Index"});
                     const long index = IndexArgument(args.Required(0, "Index"));
                     if (index < 1 || index > 5) RaiseOutOfRange("TextStyleLevels.Item", index, 5);
                     return Obj(std::make_shared<TextStyleLevelObject>(
                         self.process_ref(), self.document_ref(), self.master_, self.style_,
                         static_cast<std::size_t>(index - 1)));
                   }),
    });
    return table;
  }

 private:
  std::shared_ptr<doc::Master> master_;
  doc::TextStyle* style_;
};

class TextStyleObject : public DocObject {
 public:
  TextStyleObject(ProcessRef process, std::shared_ptr<Document> document, std::shared_ptr<doc::Master> master,
                  int type)
      : DocObject(std::move(process), std::move(document)), master_(std::move(master)), type_(type) {}
  std::string TypeName() const override { return "TextStyle"; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<TextStyleObject>;
    using Self = TextStyleObject;
    static const MemberTable table({
        M::Property("Ruler",
                    [](Self& self, const CallArgs&) {
                      // The body style's ruler is the master's body placeholder's.
                      std::shared_ptr<Ruler> ruler;
                      if (self.type_ == pp::ppBodyStyle) {
                        if (auto body = doc::FindPlaceholder(self.master_->shapes, pp::ppPlaceholderBody))
                          ruler = std::shared_ptr<Ruler>(body, &body->text.ruler);
                      }
                      if (!ruler) ruler = std::shared_ptr<Ruler>(self.master_, &self.style().ruler);
                      return vb::Variant(MakeRuler(self.context(), ruler,
                                                   HooksFor(
                                                       self.document_ref(), [] { return true; }, "Ruler")));
                    }),
        M::Property("Levels",
                    [](Self& self, const CallArgs&) {
                      return Obj(std::make_shared<TextStyleLevelsObject>(
                          self.process_ref(), self.document_ref(), self.master_, &self.style()));
                    }),
    });
    return table;
  }

 private:
  doc::TextStyle& style() const {
    auto& styles = master_->text_styles;
    return type_ == pp::ppDefaultStyle ? styles.default_style
           : type_ == pp::ppTitleStyle ? styles.title
                                       : styles.body;
  }
  std::shared_ptr<doc::Master> master_;
  int type_;
};

class TextStylesObject : public DocObject {
 public:
  TextStylesObject(ProcessRef process, std::shared_ptr<Document> document,
                   std::shared_ptr<doc::Master> master)
      : DocObject(std::move(process), std::move(document)), master_(std::move(master)) {}
  std::string TypeName() const override { return "TextStyles"; }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<TextStylesObject>;
    using Self = TextStylesObject;
    static const MemberTable table({
        M::Property("Count", [](Self&, const CallArgs&) { return vb::Variant(std::int32_t{3}); }),
        M::Indexed("Item",
                   [](Self& self, const CallArgs& args) {
                     args.Expect(1, {"Type"});
                     const long type = IndexArgument(args.Required(0, "Type"));
                     if (type < 1 || type > 3) RaiseOutOfRange("TextStyles.Item", type, 3);
                     return Obj(std::make_shared<TextStyleObject>(self.process_ref(), self.document_ref(),
                                                                  self.master_, static_cast<int>(type)));
                   }),
    });
    return table;
  }

 private:
  std::shared_ptr<doc::Master> master_;
};

}  // namespace

vb::ObjectRef MakeShapeTextFrame(ProcessRef process, std::shared_ptr<Document> document, ShapeOwner owner,
                                 std::shared_ptr<doc::Shape> shape) {
  TextSource source;
  source.body = std::shared_ptr<TextBody>(shape, &shape->text);
  source.shape_width = [shape] { return static_cast<double>(shape->width); };
  const doc::Shape* raw = shape.get();
  source.hooks = HooksFor(
      document, [document, owner, raw] { return ShapeAlive(*document->model, owner, *raw); }, "TextFrame");
  source.parent = [process, document, owner, shape] { return MakeShape(process, document, owner, shape); };
  return MakeTextFrame(process->context, std::move(source));
}

vb::ObjectRef MakeTextStyles(ProcessRef process, std::shared_ptr<Document> document,
                             std::shared_ptr<doc::Master> master) {
  return std::make_shared<TextStylesObject>(std::move(process), std::move(document), std::move(master));
}

}  // namespace sim::ppt
