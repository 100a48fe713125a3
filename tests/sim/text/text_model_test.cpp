// Conformance of the simulated PowerPoint's text model: units and their (Start, Length) rules, mixed
// values over ranges, edits, search, the file form. Each case states the behaviour of PowerPoint
// 2003 it checks; a known divergence is marked as such.
#include <gtest/gtest.h>

#include <chrono>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "sanitizers.hpp"
#include "sim/ppt/text.hpp"

namespace {

using sim::ppt::FontData;
using sim::ppt::ParagraphFormatData;
using sim::ppt::RangeRef;
using sim::ppt::Span;
using sim::ppt::TextBody;
using sim::ppt::TextUnit;

constexpr double kNoWrap = 0.0;

// The sanitizers slow every memory access down several times; time limits allow for it.
constexpr double kSlowdown = test_support::kUnderSanitizers ? 4.0 : 1.0;

// The text of item `index` of a unit, in the whole body.
std::string ItemText(const TextBody& body, TextUnit unit, long index, double wrap = kNoWrap) {
  return body.Utf8(body.Resolve(body.SubRange(RangeRef::Whole(), unit, index, -1, wrap)));
}

std::size_t CountOf(const TextBody& body, TextUnit unit, double wrap = kNoWrap) {
  return body.CountOf(unit, RangeRef::Whole(), wrap);
}

RangeRef At(std::size_t start, std::size_t length) {
  return RangeRef{Span{start, length}, false, TextUnit::None};
}

// Eight paragraphs "Paragraphe 1" … "Paragraphe 8", each with its own alignment 1 … 7, 1.
TextBody EightParagraphs() {
  std::string text;
  for (int i = 1; i <= 8; ++i) text += (i > 1 ? "\r" : "") + std::string("Paragraphe ") + std::to_string(i);
  TextBody body(text);
  for (std::size_t i = 0; i < 8; ++i) {
    ParagraphFormatData format;
    format.alignment = static_cast<int>(i % 7) + 1;
    body.SetParagraphFormat(i, format);
  }
  return body;
}

// --- Words -----------------------------------------------------------------------------------------

// A word takes the spaces after it, the last word of the text none; "l'été", "c’est" and "au-delà"
// are single words; a comma or a mark with its spaces is a word; paragraph marks, line breaks and
// spaces that follow no word are left out of every word.
TEST(TextWords, WordsAndTheirTrailingSpaces) {
  struct Case {
    const char* text;
    std::vector<std::string> words;
  };
  for (const Case& c :
       {Case{"Le festival exceptionnel de juillet", {"Le ", "festival ", "exceptionnel ", "de ", "juillet"}},
        Case{"l'été, c’est au-delà\u00A0!", {"l'été", ", ", "c’est ", "au-delà\u00A0", "!"}},
        Case{"  Un\rDeux\vtrois 1990", {"Un", "Deux", "trois ", "1990"}}}) {
    const TextBody body(c.text);
    std::vector<std::string> words;
    for (std::size_t i = 1; i <= CountOf(body, TextUnit::Words); ++i)
      words.push_back(ItemText(body, TextUnit::Words, static_cast<long>(i)));
    EXPECT_EQ(c.words, words) << '"' << c.text << '"';
  }
}

TEST(TextWords, WordsOfASubRangeAreClippedToIt) {
  // Words of the second paragraph only; Words(2, 2) spans two words.
  const TextBody body("Un deux\rtrois quatre cinq");
  const RangeRef second = body.SubRange(RangeRef::Whole(), TextUnit::Paragraphs, 2, -1, kNoWrap);
  EXPECT_EQ(3u, body.CountOf(TextUnit::Words, second, kNoWrap));
  const RangeRef two = body.SubRange(second, TextUnit::Words, 2, 2, kNoWrap);
  EXPECT_EQ("quatre cinq", body.Utf8(body.Resolve(two)));
  EXPECT_EQ(2u, body.Count(two, kNoWrap));
}

TEST(TextWords, ReadingEveryWordOfALongTextDoesNotRescanIt) {
  // 100,000 words read one by one, as a word search does: under a second here when each read goes
  // straight to its word; a read that scanned from the start would take minutes. The bound leaves
  // room for a loaded machine.
  std::string text;
  for (int i = 0; i < 100000; ++i) text += (i % 10 == 9) ? "mot.\r" : "mot ";
  const TextBody body(text);
  const auto begin = std::chrono::steady_clock::now();
  const std::size_t count = CountOf(body, TextUnit::Words);
  std::size_t matches = 0;
  for (std::size_t i = 1; i <= count; ++i)
    matches += ItemText(body, TextUnit::Words, static_cast<long>(i)) == "mot ";
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  EXPECT_EQ(110000u, count);  // each tenth word is followed by a full stop, a word of its own
  EXPECT_EQ(90000u, matches);
  EXPECT_LT(seconds, 10.0 * kSlowdown);
}

// --- Paragraphs ------------------------------------------------------------------------------------

TEST(TextParagraphs, StartAndLengthRules) {
  const TextBody body = EightParagraphs();
  // Start -1 is the whole range, counted in paragraphs.
  EXPECT_EQ(8u, body.Count(body.SubRange(RangeRef::Whole(), TextUnit::Paragraphs, -1, -1, kNoWrap), kNoWrap));
  // A Start with Length -1 is one paragraph, with its mark.
  const RangeRef seventh = body.SubRange(RangeRef::Whole(), TextUnit::Paragraphs, 7, -1, kNoWrap);
  EXPECT_EQ("Paragraphe 7\r", body.Utf8(body.Resolve(seventh)));
  EXPECT_EQ(1u, body.Count(seventh, kNoWrap));
  EXPECT_EQ(7, body.Paragraphs(seventh).alignment);
  // The last paragraph has no mark.
  EXPECT_EQ("Paragraphe 8", ItemText(body, TextUnit::Paragraphs, 8));
  // Start and Length 3: three paragraphs; a Length past the end stops at the last one.
  EXPECT_EQ(3u, body.Count(body.SubRange(RangeRef::Whole(), TextUnit::Paragraphs, 2, 3, kNoWrap), kNoWrap));
  EXPECT_EQ(2u, body.Count(body.SubRange(RangeRef::Whole(), TextUnit::Paragraphs, 7, 5, kNoWrap), kNoWrap));
}

TEST(TextParagraphs, StartPastTheEndIsAnEmptyRangeAtTheEndAndZeroIsRefused) {
  const TextBody body = EightParagraphs();
  const Span past = body.Resolve(body.SubRange(RangeRef::Whole(), TextUnit::Paragraphs, 9, -1, kNoWrap));
  EXPECT_EQ(body.size(), past.start);
  EXPECT_EQ(0u, past.length);
  EXPECT_THROW(body.SubRange(RangeRef::Whole(), TextUnit::Paragraphs, 0, -1, kNoWrap), std::out_of_range);
  EXPECT_THROW(body.SubRange(RangeRef::Whole(), TextUnit::Words, 1, -2, kNoWrap), std::out_of_range);
}

TEST(TextParagraphs, TrailingMarkMakesAnEmptyLastParagraph) {
  // An Enter typed at the end adds a paragraph to the text as a whole, not to the paragraph before.
  const TextBody body("Un\rDeux\r");
  EXPECT_EQ(3u, CountOf(body, TextUnit::Paragraphs));
  const RangeRef second = body.SubRange(RangeRef::Whole(), TextUnit::Paragraphs, 2, -1, kNoWrap);
  EXPECT_EQ(1u, body.CountOf(TextUnit::Paragraphs, second, kNoWrap));
  EXPECT_EQ(1u, CountOf(TextBody(), TextUnit::Paragraphs));
  EXPECT_EQ(0u, CountOf(TextBody(), TextUnit::Words));
}

// --- Lines -----------------------------------------------------------------------------------------

TEST(TextLines, LineBreakEndsALineAndCountsInItsLength) {
  const TextBody body("Première ligne\vSeconde\rFin\v\rDernier");
  const RangeRef first = body.SubRange(RangeRef::Whole(), TextUnit::Paragraphs, 1, -1, kNoWrap);
  ASSERT_EQ(2u, body.CountOf(TextUnit::Lines, first, kNoWrap));
  EXPECT_EQ(15u, body.Resolve(body.SubRange(first, TextUnit::Lines, 1, -1, kNoWrap)).length);
  EXPECT_EQ(8u, body.Resolve(body.SubRange(first, TextUnit::Lines, 2, -1, kNoWrap)).length);
  // A break typed at the end of a paragraph leaves a last line of one character: its mark.
  const RangeRef second = body.SubRange(RangeRef::Whole(), TextUnit::Paragraphs, 2, -1, kNoWrap);
  ASSERT_EQ(2u, body.CountOf(TextUnit::Lines, second, kNoWrap));
  EXPECT_EQ(1u, body.Resolve(body.SubRange(second, TextUnit::Lines, 2, -1, kNoWrap)).length);
  EXPECT_EQ(5u, CountOf(body, TextUnit::Lines));
}

TEST(TextLines, WrapAtWordBoundariesWithHangingSpaces) {
  // Size 20: every character is 10 points wide, so 10 characters fit in 100 points.
  FontData font;
  font.size = 20;
  const TextBody body("aaaa bbbb cccc abcdefghijklmnop", font);
  ASSERT_EQ(4u, CountOf(body, TextUnit::Lines, 100.0));
  EXPECT_EQ("aaaa bbbb ", ItemText(body, TextUnit::Lines, 1, 100.0));
  EXPECT_EQ("cccc ", ItemText(body, TextUnit::Lines, 2, 100.0));
  EXPECT_EQ("abcdefghij", ItemText(body, TextUnit::Lines, 3, 100.0));  // a word longer than a line breaks
  EXPECT_EQ("klmnop", ItemText(body, TextUnit::Lines, 4, 100.0));
  // The same width gives the same lines; another width other lines; no width, one line.
  EXPECT_EQ("aaaa bbbb ", ItemText(body, TextUnit::Lines, 1, 100.0));
  EXPECT_EQ(2u, CountOf(body, TextUnit::Lines, 200.0));
  EXPECT_EQ(1u, CountOf(body, TextUnit::Lines, kNoWrap));
}

TEST(TextLines, WrapWidthIsTheShapeLessItsMargins) {
  TextBody body("texte");
  EXPECT_DOUBLE_EQ(100.0 - 2 * static_cast<double>(7.2f), sim::ppt::WrapWidth(body, 100.0));
  body.frame.word_wrap = false;
  EXPECT_EQ(0.0, sim::ppt::WrapWidth(body, 100.0));
}

// --- Mixed values ----------------------------------------------------------------------------------

TEST(TextFonts, ParagraphMarksAndEmptyRangesFollowTheirNeighbours) {
  TextBody body("Un\rDeux");
  // A bold first paragraph reads bold, its unbolded mark left out.
  body.ChangeFonts(At(0, 2), [](FontData& f) { f.bold = true; });
  const RangeRef first = body.SubRange(RangeRef::Whole(), TextUnit::Paragraphs, 1, -1, kNoWrap);
  EXPECT_EQ(-1, body.Fonts(first).bold);
  // The insertion point after "Un" is bold; at the start of "Deux" it takes "D"'s font.
  EXPECT_EQ(-1, body.Fonts(At(2, 0)).bold);
  EXPECT_EQ(0, body.Fonts(At(3, 0)).bold);
  // An emptied body keeps the font of its first character for what is typed next.
  body.Replace(Span{0, body.size()}, std::string_view());
  body.Replace(Span{0, 0}, std::string_view("Nouveau"));
  EXPECT_EQ(-1, body.Fonts(RangeRef::Whole()).bold);
}

TEST(TextParagraphFormats, MixedParagraphsReadMinusTwo) {
  TextBody body = EightParagraphs();
  const RangeRef all = RangeRef::Whole();
  EXPECT_EQ(-2, body.Paragraphs(all).alignment);
  const RangeRef last_two = body.SubRange(all, TextUnit::Paragraphs, 7, 2, kNoWrap);
  body.ChangeParagraphs(last_two, [](ParagraphFormatData& p) {
    p.space_before = 0.3f;
    p.indent_level = 2;
    p.bullet.font = "Wingdings";
  });
  EXPECT_EQ(0.3f, body.Paragraphs(last_two).space_before);
  EXPECT_EQ(2, body.Paragraphs(last_two).indent_level);
  const auto summary = body.Paragraphs(all);
  EXPECT_EQ(-2.0f, summary.space_before);
  EXPECT_EQ(-2, summary.indent_level);
  EXPECT_EQ("", summary.bullet_font);
  EXPECT_EQ(-1, summary.line_rule_before);
}

TEST(TextParagraphFormats, HiddenBulletReadsTypeNone) {
  ParagraphFormatData shown;
  shown.bullet.visible = true;
  shown.bullet.type = 2;
  ParagraphFormatData hidden = shown;
  hidden.bullet.visible = false;
  EXPECT_EQ(2, sim::ppt::SummariseParagraphs({shown}).bullet_type);
  EXPECT_EQ(0, sim::ppt::SummariseParagraphs({hidden}).bullet_type);
  EXPECT_EQ(-2, sim::ppt::SummariseParagraphs({shown, hidden}).bullet_visible);
}

// --- Edits -----------------------------------------------------------------------------------------

TEST(TextEdits, NewTextTakesTheFontOfWhatItReplacesOrOfTheCharacterBefore) {
  TextBody body("Fondé en 1990 à Lyon");
  body.ChangeFonts(At(9, 4), [](FontData& f) { f.name = "Arial Black"; });
  const Span written = body.Replace(Span{9, 4}, std::string_view("2001"));
  EXPECT_EQ("Fondé en 2001 à Lyon", body.Utf8());
  EXPECT_EQ("Arial Black", body.Fonts(RangeRef{written, false, TextUnit::None}).name);
  const Span after = body.Replace(Span{13, 0}, std::string_view("!"));
  EXPECT_EQ("Arial Black", body.FontAt(after.start).name);
  EXPECT_EQ("Arial", body.FontAt(after.end()).name);
}

TEST(TextEdits, ParagraphMarksSplitAndDeletionsMerge) {
  TextBody body = EightParagraphs();  // alignments 1 … 7, 1
  // A mark typed inside paragraph 2 splits it; both halves keep its format. "\r\n" is one mark.
  body.Replace(Span{24, 0}, std::string_view("\r\n"));
  ASSERT_EQ(9u, body.paragraph_count());
  EXPECT_EQ(2, body.ParagraphFormat(1).alignment);
  EXPECT_EQ(2, body.ParagraphFormat(2).alignment);
  // Deleting a whole paragraph, mark included, leaves the next one its own format.
  const Span third = body.Resolve(body.SubRange(RangeRef::Whole(), TextUnit::Paragraphs, 4, -1, kNoWrap));
  body.Replace(third, std::string_view());
  ASSERT_EQ(8u, body.paragraph_count());
  EXPECT_EQ(4, body.ParagraphFormat(3).alignment);
  // Deleting across a mark from inside a paragraph merges into the first one's format.
  body.Replace(Span{1, 14}, std::string_view());
  ASSERT_EQ(7u, body.paragraph_count());
  EXPECT_EQ(1, body.ParagraphFormat(0).alignment);
}

TEST(TextEdits, TrimTextDropsTrailingSpacesOnly) {
  const TextBody body("  deux   mots   ");
  EXPECT_EQ("  deux   mots", body.Utf8(body.Resolve(body.Trimmed(RangeRef::Whole()))));
  EXPECT_EQ("deux", body.Utf8(body.Resolve(
                        body.Trimmed(body.SubRange(RangeRef::Whole(), TextUnit::Words, 1, -1, kNoWrap)))));
}

TEST(TextEdits, ChangesInvalidateTheCachedBoundaries) {
  TextBody body("un deux");
  EXPECT_EQ(2u, CountOf(body, TextUnit::Words));
  const auto version = body.version();
  body.Replace(Span{2, 0}, std::string_view(" et"));
  EXPECT_LT(version, body.version());
  EXPECT_EQ(3u, CountOf(body, TextUnit::Words));
  TextBody copy = body;
  copy.Replace(Span{0, 0}, std::string_view("Alors, "));
  EXPECT_EQ(5u, CountOf(copy, TextUnit::Words));
  EXPECT_EQ(3u, CountOf(body, TextUnit::Words));
}

// --- Find ------------------------------------------------------------------------------------------

TEST(TextFind, CaseAndWholeWordsAndStartingPoint) {
  const TextBody body("Le Festival du festivalier");
  const RangeRef all = RangeRef::Whole();
  EXPECT_EQ(Span({3, 8}), body.Find(all, "festival", 0, false, false));
  EXPECT_EQ(Span({15, 8}), body.Find(all, "festival", 0, true, false));
  EXPECT_EQ(std::nullopt, body.Find(all, "festival", 0, true, true));
  EXPECT_EQ(Span({3, 8}), body.Find(all, "FESTIVAL", 0, false, true));
  EXPECT_EQ(Span({3, 8}), body.Find(all, "festival", 3, false, false));  // from the 4th character
  EXPECT_EQ(Span({15, 8}), body.Find(all, "festival", 4, false, false));
  EXPECT_EQ(std::nullopt, body.Find(all, "", 0, false, false));
  EXPECT_THROW(body.Find(all, "Le", -1, false, false), std::out_of_range);
}

TEST(TextFind, IgnoresCaseBeyondAscii) {
  // As VB's LCase: É and é, Œ and œ are the same letter when case does not matter.
  const TextBody body("L'ÉTÉ DES ŒUVRES");
  EXPECT_EQ(Span({2, 3}), body.Find(RangeRef::Whole(), "été", 0, false, false));
  EXPECT_EQ(std::nullopt, body.Find(RangeRef::Whole(), "été", 0, false, true));  // part of the word "l'été"
  EXPECT_EQ(Span({10, 6}), body.Find(RangeRef::Whole(), "œuvres", 0, false, false));
  EXPECT_EQ(std::nullopt, body.Find(RangeRef::Whole(), "été", 0, true, false));
}

// --- Files -----------------------------------------------------------------------------------------

TEST(TextJson, RoundTripKeepsTextFormatsFrameAndRuler) {
  TextBody body("Cinéloisirs\rFondé en 1990\v à Lyon\r");
  body.ChangeFonts(At(21, 4), [](FontData& f) {
    f.name = "Comic Sans MS";
    f.size = 24;
    f.shadow = true;
    f.color = 0x0000FF;
  });
  ParagraphFormatData second;
  second.indent_level = 2;
  second.space_before = 0.2f;
  second.bullet = {true, 1, 110, "Wingdings", 0.75f};
  body.SetParagraphFormat(1, second);
  body.frame.margin_left = 10;
  body.ruler.AddTabStop(1, 36);
  body.ruler.levels[1] = {27, 54};

  const nlohmann::json json = body;
  const TextBody back = sim::ppt::BodyFromJson(json, "text");
  EXPECT_EQ(body.Utf8(), back.Utf8());
  EXPECT_EQ(sim::ppt::RenderText(body), sim::ppt::RenderText(back));
  for (std::size_t i = 0; i < body.size(); ++i)
    EXPECT_EQ(body.FontAt(i), back.FontAt(i)) << "character " << i;
  for (std::size_t i = 0; i < body.paragraph_count(); ++i)
    EXPECT_EQ(body.ParagraphFormat(i), back.ParagraphFormat(i));
  EXPECT_EQ(body.frame, back.frame);
  EXPECT_EQ(body.ruler, back.ruler);
  // Compact: one run per change of font, the font written only where it changes.
  EXPECT_EQ(3u, json["paragraphs"][1]["runs"].size());
  EXPECT_FALSE(json["paragraphs"][0]["runs"][0].contains("font"));
  EXPECT_EQ(0.2, json["paragraphs"][1]["format"]["space_before"].get<double>());
}

TEST(TextJson, MalformedInputIsRefusedNamingTheField) {
  const auto refused = [](const char* text) -> std::string {
    try {
      sim::ppt::BodyFromJson(nlohmann::json::parse(text), "text");
    } catch (const std::invalid_argument& error) {
      return error.what();
    }
    return "accepted";
  };
  EXPECT_EQ("text: expected an object", refused("[]"));
  EXPECT_EQ("text.paragraphs: expected a list of at least one paragraph", refused(R"({"paragraphs": []})"));
  EXPECT_EQ("text.paragraphs[0].runs[0].text: expected a string",
            refused(R"({"paragraphs": [{"runs": [{"text": 5}]}]})"));
  EXPECT_EQ("text.paragraphs[0].runs[0].font.size: 0 is outside 1.0 to 4000.0",
            refused(R"({"paragraphs": [{"runs": [{"text": "a", "font": {"size": 0}}]}]})"));
  EXPECT_EQ("text.paragraphs[0].mark.color: \"red\" is not a colour written #RRGGBB",
            refused(R"({"paragraphs": [{"mark": {"color": "red"}}]})"));
  EXPECT_EQ("text.paragraphs[0].format.level: 6 is outside 1 to 5",
            refused(R"({"paragraphs": [{"format": {"level": 6}}]})"));
  EXPECT_EQ("text.paragraphs[0].format.bullet.type: -1 is outside 1 to 2",
            refused(R"({"paragraphs": [{"format": {"bullet": {"type": -1}}}]})"));
  EXPECT_EQ("text.paragraphs[0].runs[0].text: a run holds no paragraph mark; start a new paragraph instead",
            refused(R"({"paragraphs": [{"runs": [{"text": "a\rb"}]}]})"));
  EXPECT_EQ("text.paragraphs[0].colour: unknown field", refused(R"({"paragraphs": [{"colour": 1}]})"));
  EXPECT_EQ("text.ruler.levels: expected a list of five levels",
            refused(R"({"paragraphs": [{}], "ruler": {"levels": [{}, {}]}})"));
  EXPECT_EQ("text.ruler.tab_stops[1].position: a tab stop already stands there",
            refused(R"({"paragraphs": [{}], "ruler": {"tab_stops": [{"position": 9}, {"position": 9}]}})"));
  EXPECT_EQ("text.frame.word_wrap: expected true or false",
            refused(R"({"paragraphs": [{}], "frame": {"word_wrap": 1}})"));
}

}  // namespace
