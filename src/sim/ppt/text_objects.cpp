#include "sim/ppt/text_objects.hpp"

#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "sim/ppt/members.hpp"

namespace sim::ppt {
namespace {

// --- Arguments and values --------------------------------------------------------------------------

vb::Variant Long(long value) {
  return vb::Variant(static_cast<std::int32_t>(value));
}

vb::Variant Single(float value) {
  return vb::Variant(value);
}

[[noreturn]] void OutOfRange(const std::string& where) {
  RaisePowerPoint(where + " : The specified value is out of range.");
}

/// A tri-state assigned by a learner or a macro: True, msoTrue (-1) and msoCTrue (1) switch the
/// attribute on, False and msoFalse (0) off, msoTriStateToggle (-3) turns it off when the whole
/// range has it and on otherwise. Anything else (msoTriStateMixed included) is refused.
bool TriStateArgument(const vb::Variant& value, const std::string& where, int current) {
  if (value.type() == vb::VarType::Boolean) return value.ToBool();
  switch (value.ToLong()) {
    case -1:
    case 1:
      return true;
    case 0:
      return false;
    case -3:
      return current != -1;
    default:
      OutOfRange(where);
  }
}

long WholeArgument(const vb::Variant& value, const std::string& where, long low, long high) {
  const long number = value.ToLong();
  if (number < low || number > high) OutOfRange(where);
  return number;
}

float FloatArgument(const vb::Variant& value, const std::string& where, double low, double high) {
  const double number = value.ToDouble();
  if (!std::isfinite(number) || number < low || number > high) OutOfRange(where);
  return static_cast<float>(number);
}

// --- The base of the text objects ------------------------------------------------------------------

class TextObject : public SimObject {
 public:
  TextObject(std::shared_ptr<Context> context, TextHooks hooks)
      : SimObject(std::move(context)), hooks_(std::move(hooks)) {}
  void CheckAlive() const {
    if (hooks_.check_alive) hooks_.check_alive();
  }
  void Changed() const {
    if (hooks_.changed) hooks_.changed();
  }
  const TextHooks& hooks() const { return hooks_; }

 private:
  TextHooks hooks_;
};

/// MembersOf for text objects: every call asks the owner whether the text still exists, and every
/// property assignment tells it of the change. Methods that change the text tell it themselves.
template <class T>
struct TextMembersOf {
  using Getter = typename MembersOf<T>::Getter;
  using Putter = typename MembersOf<T>::Putter;
  static Member Property(std::string name, Getter get, Putter put = {}) {
    return MembersOf<T>::Property(std::move(name), Checked(std::move(get)), Telling(std::move(put)));
  }
  static Member Indexed(std::string name, Getter get, Putter put = {}) {
    return MembersOf<T>::Indexed(std::move(name), Checked(std::move(get)), Telling(std::move(put)));
  }
  static Member Method(std::string name, Getter call) {
    return MembersOf<T>::Method(std::move(name), Checked(std::move(call)));
  }

 private:
  static Getter Checked(Getter get) {
    return [get = std::move(get)](T& self, const CallArgs& args) {
      self.CheckAlive();
      return get(self, args);
    };
  }
  static Putter Telling(Putter put) {
    if (!put) return put;
    return [put = std::move(put)](T& self, const CallArgs& args) {
      self.CheckAlive();
      put(self, args);
      self.Changed();
    };
  }
};

template <class T, class... A>
vb::Variant Make(A&&... arguments) {
  return vb::Variant(vb::ObjectRef(std::make_shared<T>(std::forward<A>(arguments)...)));
}

// --- What Font and ParagraphFormat objects read and write ------------------------------------------

/// The characters a Font object stands for: a range of a body, or a lone font (a text style's).
class FontAccess {
 public:
  virtual ~FontAccess() = default;
  /// The distinct fonts of the characters (at least one).
  virtual std::vector<FontData> Read() const = 0;
  virtual void Write(const std::function<void(FontData&)>& change) = 0;
  FontSummary Summary() const { return SummariseFonts(Read()); }
};

class RangeFonts final : public FontAccess {
 public:
  RangeFonts(std::shared_ptr<TextBody> body, RangeRef range) : body_(std::move(body)), range_(range) {}
  std::vector<FontData> Read() const override { return body_->FontsOf(range_); }
  void Write(const std::function<void(FontData&)>& change) override { body_->ChangeFonts(range_, change); }

 private:
  std::shared_ptr<TextBody> body_;
  RangeRef range_;
};

class LoneFont final : public FontAccess {
 public:
  explicit LoneFont(std::shared_ptr<FontData> font) : font_(std::move(font)) {}
  std::vector<FontData> Read() const override { return {*font_}; }
  void Write(const std::function<void(FontData&)>& change) override { change(*font_); }

 private:
  std::shared_ptr<FontData> font_;
};

/// The paragraphs a ParagraphFormat object stands for.
class ParagraphAccess {
 public:
  virtual ~ParagraphAccess() = default;
  virtual std::vector<ParagraphFormatData> Read() const = 0;
  virtual void Write(const std::function<void(ParagraphFormatData&)>& change) = 0;
  ParagraphSummary Summary() const { return SummariseParagraphs(Read()); }
};

class RangeParagraphs final : public ParagraphAccess {
 public:
  RangeParagraphs(std::shared_ptr<TextBody> body, RangeRef range) : body_(std::move(body)), range_(range) {}
  std::vector<ParagraphFormatData> Read() const override { return body_->ParagraphFormatsOf(range_); }
  void Write(const std::function<void(ParagraphFormatData&)>& change) override {
    body_->ChangeParagraphs(range_, change);
  }

 private:
  std::shared_ptr<TextBody> body_;
  RangeRef range_;
};

class LoneParagraph final : public ParagraphAccess {
 public:
  explicit LoneParagraph(std::shared_ptr<ParagraphFormatData> format) : format_(std::move(format)) {}
  std::vector<ParagraphFormatData> Read() const override { return {*format_}; }
  void Write(const std::function<void(ParagraphFormatData&)>& change) override { change(*format_); }

 private:
  std::shared_ptr<ParagraphFormatData> format_;
};

// --- ColorFormat -----------------------------------------------------------------------------------

class ColorFormatObject final : public TextObject {
 public:
  ColorFormatObject(std::shared_ptr<Context> context, TextHooks hooks, std::function<std::int32_t()> get,
                    std::function<void(std::int32_t)> set)
      : TextObject(std::move(context), std::move(hooks)), get_(std::move(get)), set_(std::move(set)) {}
  std::string TypeName() const override { return "ColorFormat"; }

 protected:
  const MemberTable& Members() const override {
    using M = TextMembersOf<ColorFormatObject>;
    static const MemberTable table({
        M::Property(
            "RGB", [](ColorFormatObject& self, const CallArgs&) { return Long(self.get_()); },
            [](ColorFormatObject& self, const CallArgs& args) {
              self.set_(
                  static_cast<std::int32_t>(WholeArgument(args.value(), "ColorFormat.RGB", 0, 0xFFFFFF)));
            }),
        // msoColorTypeRGB (1), or msoColorTypeMixed (-2) over characters of several colours.
        M::Property("Type", [](ColorFormatObject& self,
                               const CallArgs&) { return Long(self.get_() == kMixed ? -2 : 1); }),
    });
    return table;
  }

 private:
  std::function<std::int32_t()> get_;
  std::function<void(std::int32_t)> set_;
};

// --- Font ------------------------------------------------------------------------------------------

class FontObject final : public TextObject {
 public:
  FontObject(std::shared_ptr<Context> context, TextHooks hooks, std::shared_ptr<FontAccess> access)
      : TextObject(std::move(context), std::move(hooks)), access_(std::move(access)) {}
  std::string TypeName() const override { return "Font"; }

 protected:
  const MemberTable& Members() const override {
    using M = TextMembersOf<FontObject>;
    static const MemberTable table({
        M::Property(
            "Name",
            [](FontObject& self, const CallArgs&) { return vb::Variant(self.access_->Summary().name); },
            [](FontObject& self, const CallArgs& args) {
              const std::string name = args.value().ToString();
              if (name.empty()) OutOfRange("Font.Name");
              self.access_->Write([&](FontData& font) { font.name = name; });
            }),
        M::Property(
            "Size", [](FontObject& self, const CallArgs&) { return Single(self.access_->Summary().size); },
            [](FontObject& self, const CallArgs& args) {
              const float size = FloatArgument(args.value(), "Font.Size", 1, 4000);
              self.access_->Write([&](FontData& font) { font.size = size; });
            }),
        M::Property("Color",
                    [](FontObject& self, const CallArgs&) {
                      auto access = self.access_;
                      return vb::Variant(MakeColorFormat(
                          self.context(), [access] { return access->Summary().color; },
                          [access](std::int32_t rgb) {
                            access->Write([rgb](FontData& font) { font.color = rgb; });
                          },
                          self.hooks()));
                    }),
        Flag("Bold", &FontData::bold, &FontSummary::bold),
        Flag("Italic", &FontData::italic, &FontSummary::italic),
        Flag("Underline", &FontData::underline, &FontSummary::underline),
        Flag("Shadow", &FontData::shadow, &FontSummary::shadow),
        Flag("Emboss", &FontData::emboss, &FontSummary::emboss),
    });
    return table;
  }

 private:
  static Member Flag(const std::string& name, bool FontData::*field, int FontSummary::*summary) {
    using M = TextMembersOf<FontObject>;
    return M::Property(
        name, [summary](FontObject& self, const CallArgs&) { return Long(self.access_->Summary().*summary); },
        [name, field, summary](FontObject& self, const CallArgs& args) {
          const bool on = TriStateArgument(args.value(), "Font." + name, self.access_->Summary().*summary);
          self.access_->Write([&](FontData& font) { font.*field = on; });
        });
  }

  std::shared_ptr<FontAccess> access_;
};

// --- ParagraphFormat and BulletFormat --------------------------------------------------------------

/// The Font of a bullet: its Name is the font the bullet's character is taken from.
class BulletFontObject final : public TextObject {
 public:
  BulletFontObject(std::shared_ptr<Context> context, TextHooks hooks, std::shared_ptr<ParagraphAccess> access)
      : TextObject(std::move(context), std::move(hooks)), access_(std::move(access)) {}
  std::string TypeName() const override { return "Font"; }

 protected:
  const MemberTable& Members() const override {
    using M = TextMembersOf<BulletFontObject>;
    static const MemberTable table({
        M::Property(
            "Name",
            [](BulletFontObject& self, const CallArgs&) {
              return vb::Variant(self.access_->Summary().bullet_font);
            },
            [](BulletFontObject& self, const CallArgs& args) {
              const std::string name = args.value().ToString();
              if (name.empty()) OutOfRange("Font.Name");
              self.access_->Write([&](ParagraphFormatData& format) { format.bullet.font = name; });
            }),
    });
    return table;
  }

 private:
  std::shared_ptr<ParagraphAccess> access_;
};

class BulletFormatObject final : public TextObject {
 public:
  BulletFormatObject(std::shared_ptr<Context> context, TextHooks hooks,
                     std::shared_ptr<ParagraphAccess> access)
      : TextObject(std::move(context), std::move(hooks)), access_(std::move(access)) {}
  std::string TypeName() const override { return "BulletFormat"; }

 protected:
  const MemberTable& Members() const override {
    using M = TextMembersOf<BulletFormatObject>;
    using P = ParagraphFormatData;
    static const MemberTable table({
        M::Property(
            "Visible",
            [](BulletFormatObject& self, const CallArgs&) {
              return Long(self.access_->Summary().bullet_visible);
            },
            [](BulletFormatObject& self, const CallArgs& args) {
              const bool on = TriStateArgument(args.value(), "BulletFormat.Visible",
                                               self.access_->Summary().bullet_visible);
              self.access_->Write([&](P& format) { format.bullet.visible = on; });
            }),
        // ppBulletNone (0) hides the bullet; ppBulletUnnumbered (1) and ppBulletNumbered (2) show
        // it with that type. Picture bullets (3) are not simulated and refused.
        M::Property(
            "Type",
            [](BulletFormatObject& self, const CallArgs&) {
              return Long(self.access_->Summary().bullet_type);
            },
            [](BulletFormatObject& self, const CallArgs& args) {
              const long type = WholeArgument(args.value(), "BulletFormat.Type", 0, 2);
              self.access_->Write([&](P& format) {
                format.bullet.visible = type != 0;
                if (type != 0) format.bullet.type = static_cast<int>(type);
              });
            }),
        // Setting a character makes the bullet a character bullet (unnumbered); it does not show a
        // hidden bullet.
        M::Property(
            "Character",
            [](BulletFormatObject& self, const CallArgs&) {
              return Long(self.access_->Summary().bullet_character);
            },
            [](BulletFormatObject& self, const CallArgs& args) {
              const long character = WholeArgument(args.value(), "BulletFormat.Character", 1, 0xFFFF);
              self.access_->Write([&](P& format) {
                format.bullet.character = static_cast<std::int32_t>(character);
                format.bullet.type = 1;
              });
            }),
        M::Property("Font",
                    [](BulletFormatObject& self, const CallArgs&) {
                      return Make<BulletFontObject>(self.context(), self.hooks(), self.access_);
                    }),
        M::Property(
            "RelativeSize",
            [](BulletFormatObject& self, const CallArgs&) {
              return Single(self.access_->Summary().bullet_relative_size);
            },
            [](BulletFormatObject& self, const CallArgs& args) {
              const float size = FloatArgument(args.value(), "BulletFormat.RelativeSize", 0.25, 4);
              self.access_->Write([&](P& format) { format.bullet.relative_size = size; });
            }),
    });
    return table;
  }

 private:
  std::shared_ptr<ParagraphAccess> access_;
};

class ParagraphFormatObject final : public TextObject {
 public:
  ParagraphFormatObject(std::shared_ptr<Context> context, TextHooks hooks,
                        std::shared_ptr<ParagraphAccess> access)
      : TextObject(std::move(context), std::move(hooks)), access_(std::move(access)) {}
  std::string TypeName() const override { return "ParagraphFormat"; }

 protected:
  const MemberTable& Members() const override {
    using M = TextMembersOf<ParagraphFormatObject>;
    using P = ParagraphFormatData;
    using S = ParagraphSummary;
    static const MemberTable table({
        M::Property(
            "Alignment",
            [](ParagraphFormatObject& self, const CallArgs&) {
              return Long(self.access_->Summary().alignment);
            },
            [](ParagraphFormatObject& self, const CallArgs& args) {
              const long alignment = WholeArgument(args.value(), "ParagraphFormat.Alignment", 1, 7);
              self.access_->Write([&](P& format) { format.alignment = static_cast<int>(alignment); });
            }),
        Spacing("SpaceBefore", &P::space_before, &S::space_before),
        Spacing("SpaceAfter", &P::space_after, &S::space_after),
        Spacing("SpaceWithin", &P::space_within, &S::space_within),
        LineRule("LineRuleBefore", &P::line_rule_before, &S::line_rule_before),
        LineRule("LineRuleAfter", &P::line_rule_after, &S::line_rule_after),
        LineRule("LineRuleWithin", &P::line_rule_within, &S::line_rule_within),
        M::Property("Bullet",
                    [](ParagraphFormatObject& self, const CallArgs&) {
                      return Make<BulletFormatObject>(self.context(), self.hooks(), self.access_);
                    }),
    });
    return table;
  }

 private:
  static Member Spacing(const std::string& name, float ParagraphFormatData::*field,
                        float ParagraphSummary::*summary) {
    using M = TextMembersOf<ParagraphFormatObject>;
    return M::Property(
        name,
        [summary](ParagraphFormatObject& self, const CallArgs&) {
          return Single(self.access_->Summary().*summary);
        },
        [name, field](ParagraphFormatObject& self, const CallArgs& args) {
          const float value = FloatArgument(args.value(), "ParagraphFormat." + name, 0, 1584);
          self.access_->Write([&](ParagraphFormatData& format) { format.*field = value; });
        });
  }
  static Member LineRule(const std::string& name, bool ParagraphFormatData::*field,
                         int ParagraphSummary::*summary) {
    using M = TextMembersOf<ParagraphFormatObject>;
    return M::Property(
        name,
        [summary](ParagraphFormatObject& self, const CallArgs&) {
          return Long(self.access_->Summary().*summary);
        },
        [name, field, summary](ParagraphFormatObject& self, const CallArgs& args) {
          const bool on =
              TriStateArgument(args.value(), "ParagraphFormat." + name, self.access_->Summary().*summary);
          self.access_->Write([&](ParagraphFormatData& format) { format.*field = on; });
        });
  }

  std::shared_ptr<ParagraphAccess> access_;
};

// --- Ruler -----------------------------------------------------------------------------------------

/// One tab stop, found again by its position at every call (adding or clearing another stop moves
/// the indexes, not the positions).
class TabStopObject final : public TextObject {
 public:
  TabStopObject(std::shared_ptr<Context> context, TextHooks hooks, std::shared_ptr<Ruler> ruler,
                float position)
      : TextObject(std::move(context), std::move(hooks)), ruler_(std::move(ruler)), position_(position) {}
  std::string TypeName() const override { return "TabStop"; }

 protected:
  const MemberTable& Members() const override {
    using M = TextMembersOf<TabStopObject>;
    static const MemberTable table({
        M::Property(
            "Type", [](TabStopObject& self, const CallArgs&) { return Long(self.Stop().type); },
            [](TabStopObject& self, const CallArgs& args) {
              const long type = WholeArgument(args.value(), "TabStop.Type", 1, 4);
              self.Stop().type = static_cast<int>(type);
            }),
        M::Property(
            "Position", [](TabStopObject& self, const CallArgs&) { return Single(self.Stop().position); },
            [](TabStopObject& self, const CallArgs& args) {
              const float position = FloatArgument(args.value(), "TabStop.Position", 0, 4000);
              const int type = self.Stop().type;
              self.Remove();
              self.ruler_->AddTabStop(type, position);
              self.position_ = position;
            }),
        M::Method("Clear",
                  [](TabStopObject& self, const CallArgs& args) {
                    args.Expect(0);
                    self.Remove();
                    self.Changed();
                    return vb::Variant();
                  }),
    });
    return table;
  }

 private:
  TabStopData& Stop() {
    for (auto& stop : ruler_->tab_stops) {
      if (stop.position == position_) return stop;
    }
    RaisePowerPoint("TabStop : Object does not exist.");
  }
  void Remove() {
    auto& stops = ruler_->tab_stops;
    stops.erase(stops.begin() + (&Stop() - stops.data()));
  }

  std::shared_ptr<Ruler> ruler_;
  float position_;
};

class TabStopsObject final : public TextObject {
 public:
  TabStopsObject(std::shared_ptr<Context> context, TextHooks hooks, std::shared_ptr<Ruler> ruler)
      : TextObject(std::move(context), std::move(hooks)), ruler_(std::move(ruler)) {}
  std::string TypeName() const override { return "TabStops"; }

 protected:
  const MemberTable& Members() const override {
    using M = TextMembersOf<TabStopsObject>;
    static const MemberTable table({
        M::Property("Count", [](TabStopsObject& self,
                                const CallArgs&) { return Long(static_cast<long>(self.Stops().size())); }),
        M::Indexed("Item",
                   [](TabStopsObject& self, const CallArgs& args) {
                     args.Expect(1, {"Index"});
                     const long index = args.Required(0, "Index").ToLong();
                     const auto count = static_cast<long>(self.Stops().size());
                     if (index < 1 || index > count) RaiseOutOfRange("TabStops.Item", index, count);
                     return Make<TabStopObject>(self.context(), self.hooks(), self.ruler_,
                                                self.Stops()[static_cast<std::size_t>(index - 1)].position);
                   }),
        M::Method("Add",
                  [](TabStopsObject& self, const CallArgs& args) {
                    args.Expect(2, {"Type", "Position"});
                    const long type = WholeArgument(args.Required(0, "Type"), "TabStops.Add", 1, 4);
                    const float position =
                        FloatArgument(args.Required(1, "Position"), "TabStops.Add", 0, 4000);
                    self.ruler_->AddTabStop(static_cast<int>(type), position);
                    self.Changed();
                    return Make<TabStopObject>(self.context(), self.hooks(), self.ruler_, position);
                  }),
    });
    return table;
  }

 private:
  const std::vector<TabStopData>& Stops() const { return ruler_->tab_stops; }
  std::shared_ptr<Ruler> ruler_;
};

class RulerLevelObject final : public TextObject {
 public:
  RulerLevelObject(std::shared_ptr<Context> context, TextHooks hooks, std::shared_ptr<Ruler> ruler,
                   std::size_t index)
      : TextObject(std::move(context), std::move(hooks)), ruler_(std::move(ruler)), index_(index) {}
  std::string TypeName() const override { return "RulerLevel"; }

 protected:
  const MemberTable& Members() const override {
    static const MemberTable table({
        Margin("FirstMargin", &RulerLevelData::first_margin),
        Margin("LeftMargin", &RulerLevelData::left_margin),
    });
    return table;
  }

 private:
  static Member Margin(const std::string& name, float RulerLevelData::*field) {
    using M = TextMembersOf<RulerLevelObject>;
    return M::Property(
        name,
        [field](RulerLevelObject& self, const CallArgs&) {
          return Single(self.ruler_->levels[self.index_].*field);
        },
        [name, field](RulerLevelObject& self, const CallArgs& args) {
          self.ruler_->levels[self.index_].*field =
              FloatArgument(args.value(), "RulerLevel." + name, 0, 4000);
        });
  }

  std::shared_ptr<Ruler> ruler_;
  std::size_t index_;
};

class RulerLevelsObject final : public TextObject {
 public:
  RulerLevelsObject(std::shared_ptr<Context> context, TextHooks hooks, std::shared_ptr<Ruler> ruler)
      : TextObject(std::move(context), std::move(hooks)), ruler_(std::move(ruler)) {}
  std::string TypeName() const override { return "RulerLevels"; }

 protected:
  const MemberTable& Members() const override {
    using M = TextMembersOf<RulerLevelsObject>;
    static const MemberTable table({
        M::Property("Count", [](RulerLevelsObject&, const CallArgs&) { return Long(5); }),
        M::Indexed("Item",
                   [](RulerLevelsObject& self, const CallArgs& args) {
                     args.Expect(1, {"Index"});
                     const long index = args.Required(0, "Index").ToLong();
                     if (index < 1 || index > 5) RaiseOutOfRange("RulerLevels.Item", index, 5);
                     return Make<RulerLevelObject>(self.context(), self.hooks(), self.ruler_,
                                                   static_cast<std::size_t>(index - 1));
                   }),
    });
    return table;
  }

 private:
  std::shared_ptr<Ruler> ruler_;
};

class RulerObject final : public TextObject {
 public:
  RulerObject(std::shared_ptr<Context> context, TextHooks hooks, std::shared_ptr<Ruler> ruler)
      : TextObject(std::move(context), std::move(hooks)), ruler_(std::move(ruler)) {}
  std::string TypeName() const override { return "Ruler"; }

 protected:
  const MemberTable& Members() const override {
    using M = TextMembersOf<RulerObject>;
    static const MemberTable table({
        M::Property("TabStops",
                    [](RulerObject& self, const CallArgs&) {
                      return Make<TabStopsObject>(self.context(), self.hooks(), self.ruler_);
                    }),
        M::Property("Levels",
                    [](RulerObject& self, const CallArgs&) {
                      return Make<RulerLevelsObject>(self.context(), self.hooks(), self.ruler_);
                    }),
    });
    return table;
  }

 private:
  std::shared_ptr<Ruler> ruler_;
};

// --- TextRange and TextFrame -----------------------------------------------------------------------

std::shared_ptr<Ruler> RulerOf(const TextSource& source) {
  return source.ruler ? source.ruler : std::shared_ptr<Ruler>(source.body, &source.body->ruler);
}

double WrapWidthOf(const TextSource& source) {
  return WrapWidth(*source.body, source.shape_width ? source.shape_width() : 0.0);
}

class TextRangeObject final : public TextObject {
 public:
  TextRangeObject(std::shared_ptr<Context> context, TextSource source, RangeRef range)
      : TextObject(std::move(context), source.hooks), source_(std::move(source)), range_(range) {}
  std::string TypeName() const override { return "TextRange"; }

 protected:
  const MemberTable& Members() const override {
    using M = TextMembersOf<TextRangeObject>;
    static const MemberTable table({
        M::Property(
            "Text",
            [](TextRangeObject& self, const CallArgs&) {
              return vb::Variant(self.Body().Utf8(self.Span_()));
            },
            [](TextRangeObject& self, const CallArgs& args) {
              const Span written = self.Body().Replace(self.Span_(), args.value().ToString());
              if (!self.range_.whole) self.range_.span = written;
            }),
        M::Property("Length", [](TextRangeObject& self,
                                 const CallArgs&) { return Long(static_cast<long>(self.Span_().length)); }),
        M::Property("Start", [](TextRangeObject& self,
                                const CallArgs&) { return Long(static_cast<long>(self.Span_().start) + 1); }),
        M::Property("Count",
                    [](TextRangeObject& self, const CallArgs&) {
                      return Long(
                          static_cast<long>(self.Body().Count(self.range_, WrapWidthOf(self.source_))));
                    }),
        M::Property("TrimText", [](TextRangeObject& self,
                                   const CallArgs&) { return self.Range(self.Body().Trimmed(self.range_)); }),
        Unit("Characters", TextUnit::Characters),
        Unit("Words", TextUnit::Words),
        Unit("Lines", TextUnit::Lines),
        Unit("Paragraphs", TextUnit::Paragraphs),
        M::Indexed("Item",
                   [](TextRangeObject& self, const CallArgs& args) {
                     args.Expect(1, {"Index"});
                     const long index = args.Required(0, "Index").ToLong();
                     const long count =
                         static_cast<long>(self.Body().Count(self.range_, WrapWidthOf(self.source_)));
                     if (index < 1 || index > count) RaiseOutOfRange("TextRange.Item", index, count);
                     if (self.range_.unit == TextUnit::None) return self.Range(self.range_);
                     return self.Range(self.Body().SubRange(self.range_, self.range_.unit, index, -1,
                                                            WrapWidthOf(self.source_)));
                   }),
        M::Property("Font",
                    [](TextRangeObject& self, const CallArgs&) {
                      return Make<FontObject>(self.context(), self.hooks(),
                                              std::make_shared<RangeFonts>(self.source_.body, self.range_));
                    }),
        M::Property("ParagraphFormat",
                    [](TextRangeObject& self, const CallArgs&) {
                      return Make<ParagraphFormatObject>(
                          self.context(), self.hooks(),
                          std::make_shared<RangeParagraphs>(self.source_.body, self.range_));
                    }),
        M::Property(
            "IndentLevel",
            [](TextRangeObject& self, const CallArgs&) {
              return Long(self.Body().Paragraphs(self.range_).indent_level);
            },
            [](TextRangeObject& self, const CallArgs& args) {
              const long level = WholeArgument(args.value(), "TextRange.IndentLevel", 1, 5);
              self.Body().ChangeParagraphs(self.range_, [&](ParagraphFormatData& format) {
                format.indent_level = static_cast<int>(level);
              });
            }),
        M::Method(
            "Find",
            [](TextRangeObject& self, const CallArgs& args) {
              args.Expect(4, {"FindWhat", "After", "MatchCase", "WholeWords"});
              const auto found = self.Search(args, 1, "TextRange.Find");
              return found ? self.Range(RangeRef{*found, false, TextUnit::None}) : vb::Variant::Nothing();
            }),
        M::Method("Replace",
                  [](TextRangeObject& self, const CallArgs& args) {
                    args.Expect(5, {"FindWhat", "ReplaceWhat", "After", "MatchCase", "WholeWords"});
                    const std::string replacement = args.Required(1, "ReplaceWhat").ToString();
                    const auto found = self.Search(args, 2, "TextRange.Replace");
                    if (!found) return vb::Variant::Nothing();
                    const Span written = self.Body().Replace(*found, replacement);
                    self.Changed();
                    return self.Range(RangeRef{written, false, TextUnit::None});
                  }),
        M::Method("InsertAfter",
                  [](TextRangeObject& self, const CallArgs& args) {
                    args.Expect(1, {"NewText"});
                    const std::string text = args.Optional(0, "NewText", "").ToString();
                    const Span written = self.Body().Replace(Span{self.Span_().end(), 0}, text);
                    self.Changed();
                    return self.Range(RangeRef{written, false, TextUnit::None});
                  }),
        M::Method("InsertBefore",
                  [](TextRangeObject& self, const CallArgs& args) {
                    args.Expect(1, {"NewText"});
                    const std::string text = args.Optional(0, "NewText", "").ToString();
                    const Span written = self.Body().Replace(Span{self.Span_().start, 0}, text);
                    // This range keeps its own characters, now after the new ones.
                    if (!self.range_.whole) self.range_.span.start += written.length;
                    self.Changed();
                    return self.Range(RangeRef{written, false, TextUnit::None});
                  }),
        M::Method("Delete",
                  [](TextRangeObject& self, const CallArgs& args) {
                    args.Expect(0);
                    const Span gone = self.Span_();
                    self.Body().Replace(gone, std::string_view());
                    if (!self.range_.whole) self.range_.span = Span{gone.start, 0};
                    self.Changed();
                    return vb::Variant();
                  }),
        M::Property("Parent",
                    [](TextRangeObject& self, const CallArgs&) {
                      return vb::Variant(MakeTextFrame(self.context(), self.source_));
                    }),
    });
    return table;
  }

 private:
  TextBody& Body() const { return *source_.body; }
  Span Span_() const { return Body().Resolve(range_); }
  vb::Variant Range(RangeRef range) const { return vb::Variant(MakeTextRange(context(), source_, range)); }

  /// Characters(Start, Length), Words(…), Lines(…), Paragraphs(…): both optional, -1 by default.
  static Member Unit(const std::string& name, TextUnit unit) {
    using M = TextMembersOf<TextRangeObject>;
    return M::Indexed(name, [name, unit](TextRangeObject& self, const CallArgs& args) {
      args.Expect(2, {"Start", "Length"});
      const long start = args.Optional(0, "Start", std::int32_t{-1}).ToLong();
      const long length = args.Optional(1, "Length", std::int32_t{-1}).ToLong();
      try {
        return self.Range(self.Body().SubRange(self.range_, unit, start, length, WrapWidthOf(self.source_)));
      } catch (const std::out_of_range&) {
        OutOfRange("TextRange." + name);
      }
    });
  }

  /// Find(FindWhat, After, MatchCase, WholeWords), and the same arguments of Replace, where
  /// ReplaceWhat comes second: `after_at` is the position of After.
  std::optional<Span> Search(const CallArgs& args, std::size_t after_at, const std::string& where) const {
    const std::string what = args.Required(0, "FindWhat").ToString();
    const long after = args.Optional(after_at, "After", std::int32_t{0}).ToLong();
    const bool match_case = args.Optional(after_at + 1, "MatchCase", false).ToBool();
    const bool whole_words = args.Optional(after_at + 2, "WholeWords", false).ToBool();
    try {
      return Body().Find(range_, what, after, match_case, whole_words);
    } catch (const std::out_of_range&) {
      OutOfRange(where);
    }
  }

  TextSource source_;
  RangeRef range_;
};

class TextFrameObject final : public TextObject {
 public:
  TextFrameObject(std::shared_ptr<Context> context, TextSource source)
      : TextObject(std::move(context), source.hooks), source_(std::move(source)) {}
  std::string TypeName() const override { return "TextFrame"; }

 protected:
  const MemberTable& Members() const override {
    using M = TextMembersOf<TextFrameObject>;
    static const MemberTable table({
        M::Property("TextRange",
                    [](TextFrameObject& self, const CallArgs&) {
                      return vb::Variant(MakeTextRange(self.context(), self.source_));
                    }),
        M::Property("Ruler",
                    [](TextFrameObject& self, const CallArgs&) {
                      return vb::Variant(MakeRuler(self.context(), RulerOf(self.source_), self.hooks()));
                    }),
        M::Property("HasText", [](TextFrameObject& self,
                                  const CallArgs&) { return TriState(!self.source_.body->empty()); }),
        Margin("MarginLeft", &FrameData::margin_left),
        Margin("MarginRight", &FrameData::margin_right),
        Margin("MarginTop", &FrameData::margin_top),
        Margin("MarginBottom", &FrameData::margin_bottom),
        M::Property(
            "WordWrap",
            [](TextFrameObject& self, const CallArgs&) {
              return TriState(self.source_.body->frame.word_wrap);
            },
            [](TextFrameObject& self, const CallArgs& args) {
              FrameData& frame = self.source_.body->frame;
              frame.word_wrap =
                  TriStateArgument(args.value(), "TextFrame.WordWrap", frame.word_wrap ? -1 : 0);
            }),
        M::Method("DeleteText",
                  [](TextFrameObject& self, const CallArgs& args) {
                    args.Expect(0);
                    TextBody& body = *self.source_.body;
                    body.Replace(Span{0, body.size()}, std::string_view());
                    self.Changed();
                    return vb::Variant();
                  }),
        M::Property("Parent",
                    [](TextFrameObject& self, const CallArgs&) {
                      if (!self.source_.parent) vb::Raise(vb::errors::kNoSuchMember, "PowerPoint");
                      return vb::Variant(self.source_.parent());
                    }),
    });
    return table;
  }

 private:
  static Member Margin(const std::string& name, float FrameData::*field) {
    using M = TextMembersOf<TextFrameObject>;
    return M::Property(
        name,
        [field](TextFrameObject& self, const CallArgs&) { return Single(self.source_.body->frame.*field); },
        [name, field](TextFrameObject& self, const CallArgs& args) {
          self.source_.body->frame.*field = FloatArgument(args.value(), "TextFrame." + name, 0, 1584);
        });
  }

  TextSource source_;
};

}  // namespace

vb::ObjectRef MakeTextFrame(std::shared_ptr<Context> context, TextSource source) {
  if (!source.body) throw std::invalid_argument("a text frame needs a body");
  return std::make_shared<TextFrameObject>(std::move(context), std::move(source));
}

vb::ObjectRef MakeTextRange(std::shared_ptr<Context> context, TextSource source, RangeRef range) {
  if (!source.body) throw std::invalid_argument("a text range needs a body");
  return std::make_shared<TextRangeObject>(std::move(context), std::move(source), range);
}

vb::ObjectRef MakeRuler(std::shared_ptr<Context> context, std::shared_ptr<Ruler> ruler, TextHooks hooks) {
  if (!ruler) throw std::invalid_argument("a Ruler object needs a ruler");
  return std::make_shared<RulerObject>(std::move(context), std::move(hooks), std::move(ruler));
}

vb::ObjectRef MakeParagraphFormat(std::shared_ptr<Context> context,
                                  std::shared_ptr<ParagraphFormatData> format, TextHooks hooks) {
  if (!format) throw std::invalid_argument("a ParagraphFormat object needs a format");
  return std::make_shared<ParagraphFormatObject>(std::move(context), std::move(hooks),
                                                 std::make_shared<LoneParagraph>(std::move(format)));
}

vb::ObjectRef MakeFont(std::shared_ptr<Context> context, std::shared_ptr<FontData> font, TextHooks hooks) {
  if (!font) throw std::invalid_argument("a Font object needs a font");
  return std::make_shared<FontObject>(std::move(context), std::move(hooks),
                                      std::make_shared<LoneFont>(std::move(font)));
}

vb::ObjectRef MakeColorFormat(std::shared_ptr<Context> context, std::function<std::int32_t()> get,
                              std::function<void(std::int32_t)> set, TextHooks hooks) {
  return std::make_shared<ColorFormatObject>(std::move(context), std::move(hooks), std::move(get),
                                             std::move(set));
}

}  // namespace sim::ppt
