// Conformance of the simulated PowerPoint's text objects, reached by member name through
// vb::Dispatch as the module and a learner's statements reach them, behind a real process gate.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "sim/gate.hpp"
#include "sim/ppt/text_objects.hpp"
#include "vb/dispatch.hpp"
#include "vb/error.hpp"

namespace vb {
// Values shown as VB would show them in a failed expectation.
void PrintTo(const Variant& value, std::ostream* out) {
  *out << value.Describe();
}
}  // namespace vb

namespace {

using sim::ppt::TextBody;
using vb::Variant;

std::int32_t L(long value) {
  return static_cast<std::int32_t>(value);
}

vb::Arguments Positional(const std::vector<Variant>& values) {
  vb::Arguments arguments;
  for (const auto& value : values) arguments.push_back({value, ""});
  return arguments;
}

Variant Get(const Variant& object, std::string_view member, const std::vector<Variant>& arguments = {}) {
  return object.ToObject()->Invoke(member, vb::CallKind::Get, Positional(arguments));
}

void Put(const Variant& object, std::string_view member, const Variant& value) {
  object.ToObject()->Invoke(member, vb::CallKind::Put, Positional({value}));
}

Variant Call(const Variant& object, std::string_view member, vb::Arguments arguments) {
  return object.ToObject()->Invoke(member, vb::CallKind::Method, arguments);
}

// The error number a statement raises, 0 when it raises none.
template <class F>
std::int32_t ErrorOf(F&& statement, std::string* description = nullptr) {
  try {
    statement();
  } catch (const vb::Error& error) {
    if (description) *description = error.description();
    return error.number();
  }
  return 0;
}

class TextObjects : public testing::Test {
 protected:
  // A text frame over `body`, in a shape `width` points wide, behind the gate.
  Variant Frame() {
    sim::ppt::TextSource source;
    source.body = body;
    source.shape_width = [this] { return width; };
    source.hooks.check_alive = [this] {
      if (gone) sim::ppt::RaisePowerPoint("TextFrame : Object does not exist.");
    };
    source.hooks.changed = [this] { ++changes; };
    return Variant(sim::ppt::MakeTextFrame(context, source));
  }
  Variant Text() { return Get(Frame(), "TextRange"); }

  sim::Gate gate;
  std::shared_ptr<sim::ppt::Context> context =
      std::make_shared<sim::ppt::Context>(sim::ppt::Context{&gate, nullptr, nullptr});
  std::shared_ptr<TextBody> body = std::make_shared<TextBody>("Le festival exceptionnel de juillet");
  double width = 0.0;
  bool gone = false;
  int changes = 0;
};

TEST_F(TextObjects, WordsByNameAsTheWordSearchReadsThem) {
  // Words(-1, -1).Count and Words.Count count words; Words(i) is word i with its trailing space.
  EXPECT_EQ(Variant(L(5)), Get(Get(Text(), "Words", {L(-1), L(-1)}), "Count"));
  EXPECT_EQ(Variant(L(5)), Get(Get(Text(), "Words"), "Count"));
  EXPECT_EQ(Variant("exceptionnel "), Get(Get(Text(), "Words", {L(3)}), "Text"));
  EXPECT_EQ(Variant("exceptionnel"), Get(Get(Get(Text(), "Words", {L(3)}), "TrimText"), "Text"));
  EXPECT_EQ(Variant("juillet"), Get(Get(Text(), "Words", {L(5), L(-1)}), "Text"));
  EXPECT_EQ(Variant(L(1)), Get(Text(), "Count"));  // the text itself, taken with no unit
  EXPECT_EQ(Variant("festival "), Get(Get(Get(Text(), "Words"), "Item", {L(2)}), "Text"));
}

TEST_F(TextObjects, FindTakesNamedArgumentsAndReturnsNothingWhenAbsent) {
  EXPECT_EQ(Variant::Nothing(),
            Call(Text(), "Find", {{Variant("FESTIVAL"), ""}, {Variant(L(-1)), "MatchCase"}}));
  const Variant found =
      Call(Text(), "Find", {{Variant("festival"), "FindWhat"}, {Variant(true), "WholeWords"}});
  EXPECT_EQ(Variant(L(4)), Get(found, "Start"));
  EXPECT_EQ(Variant(L(8)), Get(found, "Length"));
}

TEST_F(TextObjects, SizeAndColourOfMixedRangesReadMinusTwo) {
  *body = TextBody("Fondé en 1990 à Lyon");
  Put(Get(Call(Text(), "Find", Positional({"1990"})), "Font"), "Size", 36);
  Put(Get(Get(Call(Text(), "Find", Positional({"1990"})), "Font"), "Color"), "RGB", L(255));
  Put(Get(Call(Text(), "Find", Positional({"Lyon"})), "Font"), "Name", "Tahoma");
  EXPECT_EQ(Variant(""), Get(Get(Text(), "Font"), "Name"));  // names that differ read empty
  EXPECT_EQ(Variant(-2.0f), Get(Get(Text(), "Font"), "Size"));
  EXPECT_EQ(Variant(L(-2)), Get(Get(Get(Text(), "Font"), "Color"), "RGB"));
  EXPECT_EQ(Variant(L(-2)), Get(Get(Get(Text(), "Font"), "Color"), "Type"));
  const Variant year = Get(Text(), "Words", {L(3), L(-1)});
  EXPECT_EQ(Variant(36.0f), Get(Get(Get(year, "Characters", {L(1), L(1)}), "Font"), "Size"));
  EXPECT_EQ(Variant(L(255)), Get(Get(Get(Get(year, "Characters", {L(4), L(1)}), "Font"), "Color"), "RGB"));
  EXPECT_EQ(Variant(18.0f), Get(Get(Get(year, "Characters", {L(5), L(1)}), "Font"), "Size"));  // its space
  EXPECT_EQ(Variant("Arial"), Get(Get(year, "Font"), "Name"));
}

TEST_F(TextObjects, TextAssignmentWithChr13AndInsertions) {
  // Text with Chr(13) adds paragraphs; new text keeps the formatting of what it replaced.
  Put(Get(Get(Text(), "Words", {L(3)}), "Font"), "Bold", true);
  const Variant word = Get(Text(), "Words", {L(3)});
  Put(word, "Text", "magnifique\r");
  EXPECT_EQ(Variant("magnifique\r"), Get(word, "Text"));
  EXPECT_EQ(Variant(L(2)), Get(Get(Text(), "Paragraphs", {L(-1), L(-1)}), "Count"));
  EXPECT_EQ(Variant(L(-1)), Get(Get(word, "Font"), "Bold"));
  // InsertAfter and InsertBefore return the new text; Delete empties the range.
  const Variant after = Call(Get(Text(), "Paragraphs", {L(2)}), "InsertAfter", Positional({" !"}));
  EXPECT_EQ(Variant(" !"), Get(after, "Text"));
  Call(Get(Text(), "Paragraphs", {L(1)}), "InsertBefore", Positional({"Voici : "}));
  EXPECT_EQ(Variant("Voici : Le festival magnifique\rde juillet !"), Get(Text(), "Text"));
  Call(Get(Text(), "Paragraphs", {L(2)}), "Delete", {});
  EXPECT_EQ(Variant("Voici : Le festival magnifique\r"), Get(Text(), "Text"));
  EXPECT_EQ(Variant(L(-1)), Get(Frame(), "HasText"));
}

TEST_F(TextObjects, ParagraphFormatAndBulletByName) {
  *body = TextBody("Un\rDeux\rTrois\rQuatre\rCinq\rSix\rSept\rHuit");
  const auto paragraph = [&](long n) {
    return Get(Get(Text(), "Paragraphs", {L(n), L(-1)}), "ParagraphFormat");
  };
  Put(paragraph(7), "Alignment", L(3));
  EXPECT_EQ(Variant(L(3)), Get(paragraph(7), "Alignment"));
  EXPECT_EQ(Variant(L(-2)), Get(Get(Text(), "ParagraphFormat"), "Alignment"));
  // Bullet character 36 of Wingdings; a bullet hidden through Type 0 reads Visible 0.
  const Variant bullet = Get(paragraph(7), "Bullet");
  Put(bullet, "Visible", L(-1));
  Put(bullet, "Character", L(36));
  Put(Get(bullet, "Font"), "Name", "Wingdings");
  EXPECT_EQ(Variant(L(36)), Get(Get(paragraph(7), "Bullet"), "Character"));
  EXPECT_EQ(Variant("Wingdings"), Get(Get(Get(paragraph(7), "Bullet"), "Font"), "Name"));
  EXPECT_EQ(Variant(L(1)), Get(Get(paragraph(7), "Bullet"), "Type"));
  Put(Get(paragraph(8), "Bullet"), "Type", L(0));
  EXPECT_EQ(Variant(L(0)), Get(Get(paragraph(8), "Bullet"), "Visible"));
  // Space before 0.3 lines, compared as a single; the indent level of a range.
  Put(paragraph(8), "SpaceBefore", 0.3);
  Put(paragraph(8), "LineRuleBefore", false);
  EXPECT_EQ(Variant(0.3f), Get(paragraph(8), "SpaceBefore"));
  EXPECT_EQ(Variant(L(0)), Get(paragraph(8), "LineRuleBefore"));
  Put(Get(Text(), "Paragraphs", {L(8)}), "IndentLevel", L(2));
  EXPECT_EQ(Variant(L(2)), Get(Get(Text(), "Paragraphs", {L(8)}), "IndentLevel"));
  EXPECT_EQ(Variant(L(-2)), Get(Text(), "IndentLevel"));
}

TEST_F(TextObjects, LinesFollowTheShapeWidth) {
  // 18-point text is 9 points a character; 160 points less 14.4 of margins hold 16 characters.
  *body = TextBody("Une ligne\vpuis une phrase plus longue");
  EXPECT_EQ(Variant(L(2)), Get(Get(Text(), "Lines"), "Count"));
  EXPECT_EQ(Variant(L(10)), Get(Get(Text(), "Lines", {L(1), L(-1)}), "Length"));
  width = 160.0;
  EXPECT_EQ(Variant(L(3)), Get(Get(Text(), "Lines"), "Count"));
  EXPECT_EQ(Variant("puis une phrase "), Get(Get(Text(), "Lines", {L(2)}), "Text"));
  Put(Frame(), "WordWrap", L(0));
  EXPECT_EQ(Variant(L(2)), Get(Get(Text(), "Lines"), "Count"));
}

TEST_F(TextObjects, RulerTabStopsAndLevels) {
  const auto stops = [&] { return Get(Get(Frame(), "Ruler"), "TabStops"); };
  EXPECT_EQ(Variant(L(0)), Get(stops(), "Count"));
  const Variant added = Call(stops(), "Add", Positional({L(1), L(72)}));
  EXPECT_EQ(Variant(L(1)), Get(added, "Type"));
  Call(stops(), "Add", {{Variant(L(36)), "Position"}, {Variant(L(2)), "Type"}});
  EXPECT_EQ(Variant(L(2)), Get(stops(), "Count"));
  EXPECT_EQ(Variant(36.0f), Get(Get(stops(), "Item", {L(1)}), "Position"));
  EXPECT_EQ(Variant(72.0f), Get(added, "Position"));  // a stop keeps its place when another comes before
  // A stop added where one stands changes that one's type.
  Call(stops(), "Add", Positional({L(3), L(72)}));
  EXPECT_EQ(Variant(L(2)), Get(stops(), "Count"));
  EXPECT_EQ(Variant(L(3)), Get(added, "Type"));
  std::string message;
  EXPECT_EQ(vb::errors::kPowerPoint, ErrorOf([&] { Get(stops(), "Item", {L(3)}); }, &message));
  EXPECT_EQ("TabStops.Item : Integer out of range. 3 is not in the valid range of 1 to 2.", message);
  Call(added, "Clear", {});
  EXPECT_EQ(Variant(L(1)), Get(stops(), "Count"));
  EXPECT_EQ(vb::errors::kPowerPoint, ErrorOf([&] { Get(added, "Type"); }));
  // Levels(2).LeftMargin is kept in the body's ruler; there are five levels.
  Put(Get(Get(Frame(), "Ruler"), "Levels", {L(2)}), "LeftMargin", 54);
  EXPECT_EQ(54.0f, body->ruler.levels[1].left_margin);
  EXPECT_EQ(vb::errors::kPowerPoint, ErrorOf([&] { Get(Get(Frame(), "Ruler"), "Levels", {L(6)}); }));
}

TEST_F(TextObjects, ValuesOutOfRangeRaisePowerPointsError) {
  const Variant font = Get(Text(), "Font");
  EXPECT_EQ(vb::errors::kPowerPoint, ErrorOf([&] { Put(font, "Size", 0); }));
  EXPECT_EQ(vb::errors::kPowerPoint, ErrorOf([&] { Put(font, "Bold", L(2)); }));
  EXPECT_EQ(vb::errors::kPowerPoint, ErrorOf([&] { Put(font, "Underline", L(-2)); }));
  EXPECT_EQ(vb::errors::kPowerPoint, ErrorOf([&] { Put(Get(font, "Color"), "RGB", L(-5)); }));
  EXPECT_EQ(vb::errors::kPowerPoint,
            ErrorOf([&] { Put(Get(Text(), "ParagraphFormat"), "Alignment", L(9)); }));
  EXPECT_EQ(vb::errors::kPowerPoint, ErrorOf([&] { Put(Text(), "IndentLevel", L(6)); }));
  EXPECT_EQ(vb::errors::kPowerPoint, ErrorOf([&] { Get(Text(), "Words", {L(0)}); }));
  EXPECT_EQ(vb::errors::kTypeMismatch, ErrorOf([&] { Put(font, "Size", "grand"); }));
  EXPECT_EQ(vb::errors::kNoSuchMember, ErrorOf([&] { Get(font, "Strikethrough"); }));
  EXPECT_EQ(vb::errors::kNoSuchMember, ErrorOf([&] { Put(Text(), "Length", L(3)); }));
  EXPECT_EQ(Variant("Le festival exceptionnel de juillet"), Get(Text(), "Text"));  // nothing changed
  EXPECT_EQ(0, changes);
}

TEST_F(TextObjects, TriStatesAcceptTrueMsoCTrueAndToggle) {
  const Variant font = Get(Text(), "Font");
  Put(font, "Italic", L(1));
  EXPECT_EQ(Variant(L(-1)), Get(font, "Italic"));
  Put(font, "Italic", L(-3));  // msoTriStateToggle: all italic, so off
  EXPECT_EQ(Variant(L(0)), Get(font, "Italic"));
  Put(Get(Get(Text(), "Words", {L(1)}), "Font"), "Italic", true);
  Put(font, "Italic", L(-3));  // mixed, so on
  EXPECT_EQ(Variant(L(-1)), Get(font, "Italic"));
}

TEST_F(TextObjects, CallsCrossTheGateAndTheOwnersHooks) {
  // Each member call is counted; a failing member fails; a text that is gone refuses every call.
  Get(Get(Text(), "Words", {L(2)}), "Text");
  EXPECT_EQ(1u, gate.calls("Words"));
  EXPECT_EQ(1u, gate.calls("Text"));
  gate.FailCalls("Text", 1);
  EXPECT_EQ(vb::errors::kPowerPoint, ErrorOf([&] { Get(Text(), "Text"); }));
  EXPECT_EQ(Variant("Le festival exceptionnel de juillet"), Get(Text(), "Text"));
  // Changes are told after property assignments and editing methods, not after reads.
  Put(Get(Text(), "Font"), "Bold", true);
  Call(Text(), "InsertAfter", Positional({"."}));
  Call(Get(Get(Frame(), "Ruler"), "TabStops"), "Add", Positional({L(1), L(10)}));
  EXPECT_EQ(3, changes);
  const Variant held = Text();
  gone = true;
  std::string message;
  EXPECT_EQ(vb::errors::kPowerPoint, ErrorOf([&] { Get(held, "Text"); }, &message));
  EXPECT_EQ("TextFrame : Object does not exist.", message);
  gate.EndProcess();
  EXPECT_EQ(vb::errors::kServerUnavailable, ErrorOf([&] { Get(held, "Text"); }));
}

TEST_F(TextObjects, TextStyleLevelsReuseTheSameObjects) {
  // A master's text style: a lone paragraph format, font and ruler, written in place.
  auto format = std::make_shared<sim::ppt::ParagraphFormatData>();
  auto font = std::make_shared<sim::ppt::FontData>();
  auto ruler = std::make_shared<sim::ppt::Ruler>();
  const Variant paragraph_format(sim::ppt::MakeParagraphFormat(context, format));
  Put(Get(paragraph_format, "Bullet"), "Visible", false);
  Put(Get(Get(paragraph_format, "Bullet"), "Font"), "Name", "Wingdings");
  EXPECT_FALSE(format->bullet.visible);
  EXPECT_EQ("Wingdings", format->bullet.font);
  Put(Variant(sim::ppt::MakeFont(context, font)), "Name", "Tahoma");
  EXPECT_EQ("Tahoma", font->name);
  Put(Get(Variant(sim::ppt::MakeRuler(context, ruler)), "Levels", {L(1)}), "LeftMargin", 27);
  EXPECT_EQ(27.0f, ruler->levels[0].left_margin);
}

TEST_F(TextObjects, ColorFormatOverAnyColour) {
  std::int32_t colour = 0xFFFFFF;
  const Variant format(sim::ppt::MakeColorFormat(
      context, [&] { return colour; }, [&](std::int32_t rgb) { colour = rgb; }));
  EXPECT_EQ(Variant(L(16777215)), Get(format, "RGB"));
  EXPECT_EQ(Variant(L(1)), Get(format, "Type"));
  Put(format, "RGB", L(0x00FF00));
  EXPECT_EQ(0x00FF00, colour);
  EXPECT_EQ(vb::errors::kPowerPoint, ErrorOf([&] { Put(format, "RGB", L(16777216)); }));
  EXPECT_EQ(0x00FF00, colour);
}

}  // namespace
