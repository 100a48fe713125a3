// The text of the simulated PowerPoint, as plain data: a body of characters with per-character font
// attributes and per-paragraph formats, the ruler of a text frame, and the operations PowerPoint's
// TextRange performs on them (units, sub-ranges, mixed values, edits, search). No automation here:
// the TextRange, Font, ParagraphFormat … objects (text_objects.hpp) are views over these values.
//
// Characters are Unicode code points; the object model speaks UTF-8. Character 13 ends a paragraph
// (the last paragraph has no final 13) and character 11 is a line break inside a paragraph.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json_fwd.hpp>

namespace sim::ppt {

/// The paragraph mark and the line break, as they stand in a text.
inline constexpr char32_t kParagraphMark = 13;
inline constexpr char32_t kLineBreak = 11;

/// The value PowerPoint reports for an attribute that differs across a range (msoTriStateMixed,
/// ppAlignmentMixed, ppBulletMixed; also the Size and Color.RGB of a mixed range).
inline constexpr int kMixed = -2;

// --- Values ----------------------------------------------------------------------------------------

/// The font attributes of one character.
struct FontData {
  std::string name = "Arial";
  /// Points.
  float size = 18.0f;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool shadow = false;
  bool emboss = false;
  /// RGB as PowerPoint gives it: red + 256 × green + 65536 × blue.
  std::int32_t color = 0;

  bool operator==(const FontData&) const = default;
};

/// A paragraph's bullet.
struct BulletData {
  bool visible = false;
  /// PpBulletType of a visible bullet: 1 unnumbered (a character), 2 numbered. A hidden bullet
  /// reads as 0 (ppBulletNone) but keeps this type for when it is shown again.
  int type = 1;
  /// The bullet's character code in its font (8226, "•", by default).
  std::int32_t character = 8226;
  /// The font the character is taken from.
  std::string font = "Arial";
  /// Size relative to the text, 0.25 to 4.
  float relative_size = 1.0f;

  bool operator==(const BulletData&) const = default;
};

/// The format of one paragraph. Spacings are in lines when their line rule is on, in points otherwise.
struct ParagraphFormatData {
  /// PpParagraphAlignment: 1 left, 2 centre, 3 right, 4 justify, 5 distribute, 6 Thai distribute,
  /// 7 justify low.
  int alignment = 1;
  /// Outline level, 1 to 5.
  int indent_level = 1;
  float space_before = 0.0f;
  float space_after = 0.0f;
  float space_within = 1.0f;
  bool line_rule_before = true;
  bool line_rule_after = true;
  bool line_rule_within = true;
  BulletData bullet;

  bool operator==(const ParagraphFormatData&) const = default;
};

/// A tab stop of a ruler: PpTabStopType (1 left, 2 centre, 3 right, 4 decimal) and position in points.
struct TabStopData {
  int type = 1;
  float position = 0.0f;

  bool operator==(const TabStopData&) const = default;
};

/// The indents of one outline level: where the first line (and the bullet) starts, and where the
/// other lines start, in points from the text frame's left margin.
struct RulerLevelData {
  float first_margin = 0.0f;
  float left_margin = 0.0f;

  bool operator==(const RulerLevelData&) const = default;
};

/// A ruler: the tab stops, kept in order of position, and the indents of the five outline levels.
struct Ruler {
  std::vector<TabStopData> tab_stops;
  std::array<RulerLevelData, 5> levels{};

  /// Adds a tab stop in its place by position; a stop already at that position takes the new type.
  /// Returns its index (0-based) after the insertion.
  std::size_t AddTabStop(int type, float position);

  bool operator==(const Ruler&) const = default;
};

/// The text frame's own settings: inner margins in points, word wrap.
struct FrameData {
  float margin_left = 7.2f;
  float margin_right = 7.2f;
  float margin_top = 3.6f;
  float margin_bottom = 3.6f;
  bool word_wrap = true;

  bool operator==(const FrameData&) const = default;
};

// --- Ranges and units ------------------------------------------------------------------------------

/// `length` characters of a body from `start` (0-based).
struct Span {
  std::size_t start = 0;
  std::size_t length = 0;

  std::size_t end() const { return start + length; }
  bool operator==(const Span&) const = default;
};

/// The unit a range was taken with (TextRange.Characters, Words, Lines, Paragraphs); None for a
/// range that was not (a text frame's whole text, a Find result, a TrimText).
enum class TextUnit { None, Characters, Words, Lines, Paragraphs };

/// A range of a body as a TextRange holds it. The whole text follows the body's current length
/// and owns an empty last paragraph; any other range is a fixed span, clipped to the body.
struct RangeRef {
  Span span;
  bool whole = false;
  TextUnit unit = TextUnit::None;

  static RangeRef Whole() { return RangeRef{{}, true, TextUnit::None}; }
};

/// Mixed values over a range, as PowerPoint reports them: tri-states -1 (all), 0 (none), -2 (mixed);
/// Name "" when mixed; Size and Color -2 when mixed.
struct FontSummary {
  std::string name;
  float size = 0.0f;
  int bold = 0;
  int italic = 0;
  int underline = 0;
  int shadow = 0;
  int emboss = 0;
  std::int32_t color = 0;
};

/// Mixed values of the paragraphs of a range: -2 for any value that differs (floats and the
/// bullet's character included), "" for a bullet font name that differs.
struct ParagraphSummary {
  int alignment = 1;
  int indent_level = 1;
  float space_before = 0.0f;
  float space_after = 0.0f;
  float space_within = 1.0f;
  int line_rule_before = -1;
  int line_rule_after = -1;
  int line_rule_within = -1;
  int bullet_visible = 0;
  /// PpBulletType as read: 0 when hidden.
  int bullet_type = 0;
  std::int32_t bullet_character = 0;
  std::string bullet_font;
  float bullet_relative_size = 1.0f;
};

FontSummary SummariseFonts(const std::vector<FontData>& fonts);
ParagraphSummary SummariseParagraphs(const std::vector<ParagraphFormatData>& formats);

// --- The body ----------------------------------------------------------------------------------------

/// The text of one text frame with its formatting.
///
/// Words. A word is a run of letters, digits, apostrophes (' and ’) and hyphens (-, U+2010, U+2011)
/// with the spaces (space, tab, no-break space) that follow it. Every other punctuation mark or
/// symbol, with the spaces that follow it, is a word of its own. Paragraph marks and line breaks
/// belong to no word, nor do spaces that follow no word (at the start of a paragraph or line).
/// "Le festival exceptionnel de juillet" is five words, the last one without a trailing space;
/// "l'été" is one word; "Quoi ?" is "Quoi " and "?".
///
/// Lines. A paragraph's lines end at its line breaks and at its end; a line's length counts the
/// line break or paragraph mark that ends it. Lines also wrap at the wrap width: every character
/// is 0.5 × its font size wide (spaces too), and a line breaks after the last run of spaces that
/// lets the next non-space character fit; spaces never push a line over (they hang past the edge);
/// a word longer than a line breaks where it overflows. A wrap width of 0 or less does not wrap.
///
/// Paragraphs. There is always at least one paragraph, possibly empty. A text ending with a
/// paragraph mark has an empty last paragraph, which belongs to the whole text only.
///
/// Empty ranges. The font of an empty range (the insertion point) is that of the character before
/// it unless that is a paragraph mark, else of the character after it, else of the one before it,
/// else of the body's end (what new text typed into an empty body takes). Its paragraph format is
/// that of the paragraph it stands in. The font of a non-empty range leaves its paragraph marks out,
/// unless it holds nothing else.
///
/// Sub-ranges (Characters, Words, Lines, Paragraphs with Start, Length): Start -1 gives the range
/// itself; a Start with Length -1 gives one item; Start and Length n give n items. An item that
/// overlaps the range is clipped to it. A Start past the last item gives an empty range at the end
/// of the range; a Length reaching past the last item stops at it; Start 0 or below -1, and Length
/// below -1, are refused (std::out_of_range, which the objects turn into PowerPoint's error).
///
/// Edits (Replace, and through it Text, InsertAfter, InsertBefore, Delete): new characters take the
/// font of the first character they replace, else the font of the insertion point. Paragraphs split by new
/// paragraph marks all keep the format of the paragraph they were typed into. Paragraphs merged by a deletion
/// keep the format of the first, except when the deletion starts at the start of a paragraph and inserts
/// nothing: the surviving paragraph then keeps its own format. "\r\n" and "\n" in new text become paragraph
/// marks.
///
/// Caches of word, line and paragraph boundaries are kept per body and dropped at every change
/// (a version counter), so reading Words(i) in a loop does not rescan the text.
class TextBody {
 public:
  TextBody();
  /// A body holding a UTF-8 text, every character in one font and every paragraph in one format.
  explicit TextBody(std::string_view utf8, const FontData& font = {}, const ParagraphFormatData& format = {});

  TextBody(const TextBody& other);
  TextBody& operator=(const TextBody& other);
  TextBody(TextBody&&) noexcept;
  TextBody& operator=(TextBody&&) noexcept;
  ~TextBody();

  // Text.
  std::size_t size() const { return text_.size(); }
  bool empty() const { return text_.empty(); }
  const std::u32string& text() const { return text_; }
  std::string Utf8() const;
  std::string Utf8(Span span) const;
  /// Increases at every change of text or formatting.
  std::uint64_t version() const { return version_; }

  /// The concrete span of a range, clipped to the body.
  Span Resolve(const RangeRef& range) const;

  // Formatting.
  const FontData& FontAt(std::size_t index) const;
  /// The font the body's end carries (what text typed into it, emptied, takes).
  const FontData& end_font() const { return end_font_; }
  void set_end_font(const FontData& font);
  /// The font new text at a position takes when it replaces nothing (see Edits above).
  FontData InsertionFont(std::size_t position) const;
  /// The fonts a range reports: of its characters, leaving out paragraph marks unless it holds only
  /// those; of the insertion point when empty.
  std::vector<FontData> FontsOf(const RangeRef& range) const;
  FontSummary Fonts(const RangeRef& range) const;
  /// Changes the font of every character of a range (paragraph marks included); an empty range
  /// changes nothing but the body's end font when the body is empty.
  void ChangeFonts(const RangeRef& range, const std::function<void(FontData&)>& change);
  /// Sets the font of a span, character by character; for building bodies and reading files.
  void SetFonts(Span span, const FontData& font);

  std::size_t paragraph_count() const { return paragraphs_.size(); }
  const ParagraphFormatData& ParagraphFormat(std::size_t index) const;
  /// The 0-based indexes [first, last) of the paragraphs a range touches.
  std::pair<std::size_t, std::size_t> ParagraphsOf(const RangeRef& range) const;
  std::vector<ParagraphFormatData> ParagraphFormatsOf(const RangeRef& range) const;
  ParagraphSummary Paragraphs(const RangeRef& range) const;
  void ChangeParagraphs(const RangeRef& range, const std::function<void(ParagraphFormatData&)>& change);
  void SetParagraphFormat(std::size_t index, const ParagraphFormatData& format);

  // Units. wrap_width is the width lines wrap at (the shape's width less the frame's margins);
  // it matters for Lines only.
  /// The items of a unit in the body, in order.
  const std::vector<Span>& Items(TextUnit unit, double wrap_width) const;
  /// The number of items of the range's unit in the range (1 for a range taken with no unit).
  std::size_t Count(const RangeRef& range, double wrap_width) const;
  /// The number of items of a unit in a range.
  std::size_t CountOf(TextUnit unit, const RangeRef& range, double wrap_width) const;
  /// Characters/Words/Lines/Paragraphs(start, length) of a range, with PowerPoint's rules.
  RangeRef SubRange(const RangeRef& range, TextUnit unit, long start, long length, double wrap_width) const;
  /// The range without its trailing spaces (TrimText).
  RangeRef Trimmed(const RangeRef& range) const;

  // Edits.
  /// Replaces a span with UTF-8 text; returns the span of the new text.
  Span Replace(Span span, std::string_view utf8);
  Span Replace(Span span, std::u32string_view text);

  /// Find: the first occurrence of a UTF-8 text in a range, starting after the range's character
  /// `after` (0 = from its start). MatchCase compares exactly, otherwise as VB's LCase does on both
  /// sides; WholeWords wants no letter, digit, apostrophe or hyphen right before or after.
  std::optional<Span> Find(const RangeRef& range, std::string_view what, long after, bool match_case,
                           bool whole_words) const;

  // The text frame's settings and ruler, kept with its text.
  FrameData frame;
  Ruler ruler;

 private:
  struct Caches;
  void Changed();
  /// The indexes [first, last) of the items of a unit that belong to a range.
  std::pair<std::size_t, std::size_t> Selected(TextUnit unit, const RangeRef& range, double wrap_width) const;
  std::uint32_t Intern(const FontData& font);

  std::u32string text_;
  /// Each character's font, as an index into fonts_ (equal fonts share one entry).
  std::vector<std::uint32_t> font_of_;
  std::vector<FontData> fonts_;
  FontData end_font_;
  std::vector<ParagraphFormatData> paragraphs_;
  std::uint64_t version_ = 0;
  mutable std::unique_ptr<Caches> caches_;
};

/// The width lines of a body wrap at inside a shape of a width: the width less the frame's margins,
/// or 0 (no wrapping) when word wrap is off.
double WrapWidth(const TextBody& body, double shape_width);

// --- Characters ------------------------------------------------------------------------------------

/// UTF-8 to code points; an invalid byte sequence becomes U+FFFD.
std::u32string FromUtf8(std::string_view utf8);
std::string ToUtf8(std::u32string_view text);
/// The character classes of the word rule.
bool IsWordCharacter(char32_t c);
bool IsSpace(char32_t c);
/// VB's LCase on one character (É → é, Œ → œ …).
char32_t LowerCase(char32_t c);

// --- Files and display -----------------------------------------------------------------------------

/// "#RRGGBB" for an RGB value, and back; RgbFromHex throws std::invalid_argument naming `field`.
std::string RgbToHex(std::int32_t rgb);
std::int32_t RgbFromHex(const std::string& hex, const std::string& field);

/// JSON forms, compact: a body is a list of paragraphs, each with its format and its runs of
/// equally formatted text. Reading validates types, ranges and lengths and throws
/// std::invalid_argument with a message naming the field ("text.paragraphs[2].runs[0].size: …").
void to_json(nlohmann::json& json, const TextBody& body);
void from_json(const nlohmann::json& json, TextBody& body);
void to_json(nlohmann::json& json, const Ruler& ruler);
void from_json(const nlohmann::json& json, Ruler& ruler);
void to_json(nlohmann::json& json, const FontData& font);
void from_json(const nlohmann::json& json, FontData& font);
void to_json(nlohmann::json& json, const ParagraphFormatData& format);
void from_json(const nlohmann::json& json, ParagraphFormatData& format);
/// The same readers with the path of the value named in their errors.
TextBody BodyFromJson(const nlohmann::json& json, const std::string& path);
Ruler RulerFromJson(const nlohmann::json& json, const std::string& path);
FontData FontFromJson(const nlohmann::json& json, const std::string& path);
ParagraphFormatData ParagraphFormatFromJson(const nlohmann::json& json, const std::string& path);

/// A readable rendering for `show`: one line per paragraph with its level, alignment, bullet and
/// spacing, then one line per run with its font; each line starts with `indent`.
std::string RenderText(const TextBody& body, const std::string& indent = "");
std::string RenderRuler(const Ruler& ruler, const std::string& indent = "");

}  // namespace sim::ppt
