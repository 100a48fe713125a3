#include "sim/ppt/text.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <nlohmann/json.hpp>
#include <stdexcept>

namespace sim::ppt {

// --- Characters ------------------------------------------------------------------------------------

std::u32string FromUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  const std::size_t n = utf8.size();
  while (i < n) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    char32_t code = 0;
    std::size_t extra = 0;
    char32_t minimum = 0;
    if (byte < 0x80) {
      out.push_back(byte);
      ++i;
      continue;
    } else if ((byte & 0xE0) == 0xC0) {
      code = byte & 0x1F;
      extra = 1;
      minimum = 0x80;
    } else if ((byte & 0xF0) == 0xE0) {
      code = byte & 0x0F;
      extra = 2;
      minimum = 0x800;
    } else if ((byte & 0xF8) == 0xF0) {
      code = byte & 0x07;
      extra = 3;
      minimum = 0x10000;
    } else {
      out.push_back(0xFFFD);
      ++i;
      continue;
    }
    std::size_t j = 1;
    for (; j <= extra && i + j < n; ++j) {
      const auto next = static_cast<unsigned char>(utf8[i + j]);
      if ((next & 0xC0) != 0x80) break;
      code = (code << 6) | (next & 0x3F);
    }
    if (j <= extra || code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      // A truncated, overlong or out-of-range sequence: one replacement character for what was read.
      out.push_back(0xFFFD);
      i += j;
      continue;
    }
    out.push_back(code);
    i += extra + 1;
  }
  return out;
}

std::string ToUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

namespace {

// Letters, for the word rule: ASCII letters, and beyond ASCII everything that is not in a block of
// punctuation, symbols or controls (Latin-1's symbols, general punctuation, arrows, maths, CJK
// punctuation, full-width punctuation, specials). This covers French and the Latin, Greek and
// Cyrillic scripts exactly.
bool IsLetter(char32_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  if (c < 0xC0) return c == 0xAA || c == 0xB5 || c == 0xBA;
  if (c == 0xD7 || c == 0xF7) return false;
  if (c >= 0x2000 && c <= 0x2BFF) return false;
  if (c >= 0x3000 && c <= 0x303F) return false;
  if (c >= 0xFE30 && c <= 0xFE4F) return false;
  if ((c >= 0xFF01 && c <= 0xFF0F) || (c >= 0xFF1A && c <= 0xFF20) || (c >= 0xFF3B && c <= 0xFF40) ||
      (c >= 0xFF5B && c <= 0xFF65))
    return false;
  if (c >= 0xFFF0 && c <= 0xFFFF) return false;
  return true;
}

bool IsApostropheOrHyphen(char32_t c) {
  return c == U'\'' || c == 0x2019 || c == U'-' || c == 0x2010 || c == 0x2011;
}

bool IsMark(char32_t c) {
  return c == kParagraphMark || c == kLineBreak;
}

}  // namespace

bool IsWordCharacter(char32_t c) {
  return (c >= '0' && c <= '9') || IsApostropheOrHyphen(c) || IsLetter(c);
}

bool IsSpace(char32_t c) {
  return c == U' ' || c == U'\t' || c == 0xA0;
}

char32_t LowerCase(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c >= 0x100 && c <= 0x17F) {
    if (c == 0x130) return U'i';
    if (c == 0x178) return 0xFF;
    const bool odd_upper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (odd_upper) return (c % 2 == 1) ? c + 1 : c;
    if (c == 0x138 || c == 0x149 || c == 0x17F) return c;
    return (c % 2 == 0) ? c + 1 : c;
  }
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 32;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  return c;
}

// --- Ruler -----------------------------------------------------------------------------------------

std::size_t Ruler::AddTabStop(int type, float position) {
  auto at = std::lower_bound(tab_stops.begin(), tab_stops.end(), position,
                             [](const TabStopData& stop, float p) { return stop.position < p; });
  if (at != tab_stops.end() && at->position == position) {
    at->type = type;
  } else {
    at = tab_stops.insert(at, TabStopData{type, position});
  }
  return static_cast<std::size_t>(at - tab_stops.begin());
}

// --- Mixed values ----------------------------------------------------------------------------------

namespace {

template <class T, class Get>
bool AllSame(const std::vector<T>& items, Get get) {
  return std::all_of(items.begin(), items.end(),
                     [&](const T& item) { return get(item) == get(items.front()); });
}

template <class T, class Get>
int TriStateOf(const std::vector<T>& items, Get get) {
  if (items.empty()) return 0;
  if (!AllSame(items, get)) return kMixed;
  return get(items.front()) ? -1 : 0;
}

template <class T, class Get>
auto NumberOf(const std::vector<T>& items, Get get) -> decltype(get(items.front())) {
  using Value = decltype(get(items.front()));
  if (items.empty()) return Value{};
  return AllSame(items, get) ? get(items.front()) : static_cast<Value>(kMixed);
}

}  // namespace

FontSummary SummariseFonts(const std::vector<FontData>& fonts) {
  FontSummary summary;
  if (fonts.empty()) return summary;
  summary.name = AllSame(fonts, [](const FontData& f) { return f.name; }) ? fonts.front().name : "";
  summary.size = NumberOf(fonts, [](const FontData& f) { return f.size; });
  summary.color = NumberOf(fonts, [](const FontData& f) { return f.color; });
  summary.bold = TriStateOf(fonts, [](const FontData& f) { return f.bold; });
  summary.italic = TriStateOf(fonts, [](const FontData& f) { return f.italic; });
  summary.underline = TriStateOf(fonts, [](const FontData& f) { return f.underline; });
  summary.shadow = TriStateOf(fonts, [](const FontData& f) { return f.shadow; });
  summary.emboss = TriStateOf(fonts, [](const FontData& f) { return f.emboss; });
  return summary;
}

ParagraphSummary SummariseParagraphs(const std::vector<ParagraphFormatData>& formats) {
  ParagraphSummary s;
  if (formats.empty()) return s;
  using P = ParagraphFormatData;
  s.alignment = NumberOf(formats, [](const P& p) { return p.alignment; });
  s.indent_level = NumberOf(formats, [](const P& p) { return p.indent_level; });
  s.space_before = NumberOf(formats, [](const P& p) { return p.space_before; });
  s.space_after = NumberOf(formats, [](const P& p) { return p.space_after; });
  s.space_within = NumberOf(formats, [](const P& p) { return p.space_within; });
  s.line_rule_before = TriStateOf(formats, [](const P& p) { return p.line_rule_before; });
  s.line_rule_after = TriStateOf(formats, [](const P& p) { return p.line_rule_after; });
  s.line_rule_within = TriStateOf(formats, [](const P& p) { return p.line_rule_within; });
  s.bullet_visible = TriStateOf(formats, [](const P& p) { return p.bullet.visible; });
  s.bullet_type = NumberOf(formats, [](const P& p) { return p.bullet.visible ? p.bullet.type : 0; });
  s.bullet_character = NumberOf(formats, [](const P& p) { return p.bullet.character; });
  s.bullet_font = AllSame(formats, [](const P& p) { return p.bullet.font; }) ? formats.front().bullet.font
                                                                             : std::string();
  s.bullet_relative_size = NumberOf(formats, [](const P& p) { return p.bullet.relative_size; });
  return s;
}

// --- The body ----------------------------------------------------------------------------------------

struct TextBody::Caches {
  std::uint64_t words_version = ~std::uint64_t{0};
  std::vector<Span> words;
  std::uint64_t paragraphs_version = ~std::uint64_t{0};
  std::vector<Span> paragraphs;
  std::uint64_t lines_version = ~std::uint64_t{0};
  double lines_width = 0.0;
  std::vector<Span> lines;
  // The last selection of items made, reused while a caller walks one range item by item.
  struct Selection {
    std::uint64_t version = ~std::uint64_t{0};
    TextUnit unit = TextUnit::None;
    Span span;
    bool with_end_empty = false;
    double width = 0.0;
    std::pair<std::size_t, std::size_t> result;
  } selection;
};

namespace {

// New text as the body stores it: "\r\n" and "\n" are paragraph marks.
std::u32string NormaliseBreaks(std::u32string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') {
      out.push_back(kParagraphMark);
      ++i;
    } else if (text[i] == U'\n') {
      out.push_back(kParagraphMark);
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

}  // namespace

TextBody::TextBody() : paragraphs_(1), caches_(std::make_unique<Caches>()) {}

TextBody::TextBody(std::string_view utf8, const FontData& font, const ParagraphFormatData& format)
    : end_font_(font), caches_(std::make_unique<Caches>()) {
  text_ = NormaliseBreaks(FromUtf8(utf8));
  const std::uint32_t index = Intern(font);
  font_of_.assign(text_.size(), index);
  paragraphs_.assign(1 + static_cast<std::size_t>(std::count(text_.begin(), text_.end(), kParagraphMark)),
                     format);
}

TextBody::TextBody(const TextBody& other)
    : frame(other.frame),
      ruler(other.ruler),
      text_(other.text_),
      font_of_(other.font_of_),
      fonts_(other.fonts_),
      end_font_(other.end_font_),
      paragraphs_(other.paragraphs_),
      caches_(std::make_unique<Caches>()) {}

TextBody& TextBody::operator=(const TextBody& other) {
  if (this != &other) {
    frame = other.frame;
    ruler = other.ruler;
    text_ = other.text_;
    font_of_ = other.font_of_;
    fonts_ = other.fonts_;
    end_font_ = other.end_font_;
    paragraphs_ = other.paragraphs_;
    Changed();
  }
  return *this;
}

TextBody::TextBody(TextBody&&) noexcept = default;
TextBody& TextBody::operator=(TextBody&&) noexcept = default;
TextBody::~TextBody() = default;

void TextBody::Changed() {
  ++version_;
  if (!caches_) caches_ = std::make_unique<Caches>();
}

std::uint32_t TextBody::Intern(const FontData& font) {
  for (std::size_t i = 0; i < fonts_.size(); ++i) {
    if (fonts_[i] == font) return static_cast<std::uint32_t>(i);
  }
  fonts_.push_back(font);
  return static_cast<std::uint32_t>(fonts_.size() - 1);
}

std::string TextBody::Utf8() const {
  return ToUtf8(text_);
}

std::string TextBody::Utf8(Span span) const {
  if (span.start >= text_.size()) return {};
  return ToUtf8(std::u32string_view(text_).substr(span.start, span.length));
}

Span TextBody::Resolve(const RangeRef& range) const {
  if (range.whole) return Span{0, text_.size()};
  const std::size_t start = std::min(range.span.start, text_.size());
  const std::size_t length = std::min(range.span.length, text_.size() - start);
  return Span{start, length};
}

const FontData& TextBody::FontAt(std::size_t index) const {
  if (index >= font_of_.size()) throw std::out_of_range("character index past the text");
  return fonts_[font_of_[index]];
}

void TextBody::set_end_font(const FontData& font) {
  end_font_ = font;
  Changed();
}

FontData TextBody::InsertionFont(std::size_t position) const {
  position = std::min(position, text_.size());
  if (position > 0 && text_[position - 1] != kParagraphMark) return FontAt(position - 1);
  if (position < text_.size()) return FontAt(position);
  if (position > 0) return FontAt(position - 1);
  return end_font_;
}

std::vector<FontData> TextBody::FontsOf(const RangeRef& range) const {
  const Span span = Resolve(range);
  if (span.length == 0) return {InsertionFont(span.start)};
  std::vector<std::uint32_t> seen;
  auto collect = [&](bool marks_too) {
    for (std::size_t i = span.start; i < span.end(); ++i) {
      if (!marks_too && text_[i] == kParagraphMark) continue;
      if (std::find(seen.begin(), seen.end(), font_of_[i]) == seen.end()) seen.push_back(font_of_[i]);
    }
  };
  collect(false);
  if (seen.empty()) collect(true);
  std::vector<FontData> fonts;
  fonts.reserve(seen.size());
  for (auto index : seen) fonts.push_back(fonts_[index]);
  return fonts;
}

FontSummary TextBody::Fonts(const RangeRef& range) const {
  return SummariseFonts(FontsOf(range));
}

void TextBody::ChangeFonts(const RangeRef& range, const std::function<void(FontData&)>& change) {
  const Span span = Resolve(range);
  std::map<std::uint32_t, std::uint32_t> changed;
  for (std::size_t i = span.start; i < span.end(); ++i) {
    auto found = changed.find(font_of_[i]);
    if (found == changed.end()) {
      FontData font = fonts_[font_of_[i]];
      change(font);
      found = changed.emplace(font_of_[i], Intern(font)).first;
    }
    font_of_[i] = found->second;
  }
  if (range.whole || text_.empty()) change(end_font_);
  Changed();
}

void TextBody::SetFonts(Span span, const FontData& font) {
  span = Resolve(RangeRef{span, false, TextUnit::None});
  const std::uint32_t index = Intern(font);
  std::fill(font_of_.begin() + static_cast<std::ptrdiff_t>(span.start),
            font_of_.begin() + static_cast<std::ptrdiff_t>(span.end()), index);
  Changed();
}

const ParagraphFormatData& TextBody::ParagraphFormat(std::size_t index) const {
  if (index >= paragraphs_.size()) throw std::out_of_range("paragraph index past the text");
  return paragraphs_[index];
}

namespace {

// The indexes [first, last) of the items of a list that belong to a span. Items are sorted and do
// not overlap; an empty item exists only at the very end of the body (an empty last paragraph and
// its line) and belongs to the span when `with_end_empty` says so and the span reaches it.
std::pair<std::size_t, std::size_t> Select(const std::vector<Span>& items, Span span, bool with_end_empty) {
  auto first = std::partition_point(items.begin(), items.end(), [&](const Span& item) {
    return !(item.end() > span.start || (item.length == 0 && item.start >= span.start));
  });
  auto last = std::partition_point(items.begin(), items.end(),
                                   [&](const Span& item) { return item.start < span.end(); });
  if (with_end_empty && last != items.end() && last->length == 0 && last->start == span.end()) ++last;
  const auto a = static_cast<std::size_t>(first - items.begin());
  const auto b = static_cast<std::size_t>(last - items.begin());
  return {a, std::max(a, b)};
}

Span Clip(Span item, Span to) {
  const std::size_t start = std::max(item.start, to.start);
  const std::size_t end = std::min(item.end(), to.end());
  if (end <= start) return Span{std::min(start, to.end()), 0};
  return Span{start, end - start};
}

}  // namespace

std::pair<std::size_t, std::size_t> TextBody::ParagraphsOf(const RangeRef& range) const {
  const Span span = Resolve(range);
  const auto& items = Items(TextUnit::Paragraphs, 0.0);
  auto selected = Selected(TextUnit::Paragraphs, range, 0.0);
  if (selected.first == selected.second) {
    // An empty range between items: the paragraph it stands in.
    auto after = std::partition_point(items.begin(), items.end(),
                                      [&](const Span& item) { return item.start <= span.start; });
    const auto index = static_cast<std::size_t>(after - items.begin());
    const std::size_t at = index == 0 ? 0 : index - 1;
    return {at, at + 1};
  }
  return selected;
}

std::vector<ParagraphFormatData> TextBody::ParagraphFormatsOf(const RangeRef& range) const {
  const auto [first, last] = ParagraphsOf(range);
  return std::vector<ParagraphFormatData>(paragraphs_.begin() + static_cast<std::ptrdiff_t>(first),
                                          paragraphs_.begin() + static_cast<std::ptrdiff_t>(last));
}

ParagraphSummary TextBody::Paragraphs(const RangeRef& range) const {
  return SummariseParagraphs(ParagraphFormatsOf(range));
}

void TextBody::ChangeParagraphs(const RangeRef& range,
                                const std::function<void(ParagraphFormatData&)>& change) {
  const auto [first, last] = ParagraphsOf(range);
  for (std::size_t i = first; i < last; ++i) change(paragraphs_[i]);
  Changed();
}

void TextBody::SetParagraphFormat(std::size_t index, const ParagraphFormatData& format) {
  if (index >= paragraphs_.size()) throw std::out_of_range("paragraph index past the text");
  paragraphs_[index] = format;
  Changed();
}

const std::vector<Span>& TextBody::Items(TextUnit unit, double wrap_width) const {
  if (!caches_) caches_ = std::make_unique<Caches>();
  Caches& caches = *caches_;
  switch (unit) {
    case TextUnit::Paragraphs: {
      if (caches.paragraphs_version != version_) {
        caches.paragraphs.clear();
        std::size_t start = 0;
        for (std::size_t i = 0; i < text_.size(); ++i) {
          if (text_[i] == kParagraphMark) {
            caches.paragraphs.push_back(Span{start, i + 1 - start});
            start = i + 1;
          }
        }
        caches.paragraphs.push_back(Span{start, text_.size() - start});
        caches.paragraphs_version = version_;
      }
      return caches.paragraphs;
    }
    case TextUnit::Words: {
      if (caches.words_version != version_) {
        caches.words.clear();
        const std::size_t n = text_.size();
        std::size_t i = 0;
        while (i < n) {
          const char32_t c = text_[i];
          if (IsMark(c) || IsSpace(c)) {
            ++i;  // marks, and spaces that follow no word, belong to no word
            continue;
          }
          std::size_t j = i + 1;
          if (IsWordCharacter(c)) {
            while (j < n && IsWordCharacter(text_[j])) ++j;
          }
          while (j < n && IsSpace(text_[j])) ++j;
          caches.words.push_back(Span{i, j - i});
          i = j;
        }
        caches.words_version = version_;
      }
      return caches.words;
    }
    case TextUnit::Lines: {
      if (caches.lines_version != version_ || caches.lines_width != wrap_width) {
        caches.lines.clear();
        for (const Span& paragraph : Items(TextUnit::Paragraphs, 0.0)) {
          if (paragraph.length == 0) {
            caches.lines.push_back(paragraph);
            continue;
          }
          std::size_t line_start = paragraph.start;
          double width = 0.0;           // of the line so far
          std::size_t break_at = 0;     // where the line may end: after its last run of spaces
          double width_at_break = 0.0;  // of the line up to break_at
          for (std::size_t k = paragraph.start; k < paragraph.end(); ++k) {
            const char32_t c = text_[k];
            if (IsMark(c)) {
              caches.lines.push_back(Span{line_start, k + 1 - line_start});
              line_start = k + 1;
              width = 0.0;
              break_at = 0;
              continue;
            }
            const double w = 0.5 * static_cast<double>(fonts_[font_of_[k]].size);
            if (!IsSpace(c)) {
              if (k > line_start && IsSpace(text_[k - 1])) {
                break_at = k;
                width_at_break = width;
              }
              if (wrap_width > 0.0 && width + w > wrap_width && k > line_start) {
                if (break_at > line_start) {
                  caches.lines.push_back(Span{line_start, break_at - line_start});
                  line_start = break_at;
                  width -= width_at_break;
                }
                if (width + w > wrap_width && k > line_start) {
                  caches.lines.push_back(Span{line_start, k - line_start});
                  line_start = k;
                  width = 0.0;
                }
                break_at = 0;
              }
            }
            width += w;
          }
          if (line_start < paragraph.end())
            caches.lines.push_back(Span{line_start, paragraph.end() - line_start});
        }
        caches.lines_version = version_;
        caches.lines_width = wrap_width;
      }
      return caches.lines;
    }
    default:
      throw std::invalid_argument("no item list for this unit");
  }
}

std::pair<std::size_t, std::size_t> TextBody::Selected(TextUnit unit, const RangeRef& range,
                                                       double wrap_width) const {
  const Span span = Resolve(range);
  const bool with_end_empty = range.whole || span.length == 0;
  const auto& items = Items(unit, wrap_width);
  auto& memo = caches_->selection;
  if (memo.version != version_ || memo.unit != unit || memo.span != span ||
      memo.with_end_empty != with_end_empty || (unit == TextUnit::Lines && memo.width != wrap_width)) {
    memo.result = Select(items, span, with_end_empty);
    memo.version = version_;
    memo.unit = unit;
    memo.span = span;
    memo.with_end_empty = with_end_empty;
    memo.width = wrap_width;
  }
  return memo.result;
}

std::size_t TextBody::CountOf(TextUnit unit, const RangeRef& range, double wrap_width) const {
  if (unit == TextUnit::None) return 1;
  if (unit == TextUnit::Characters) return Resolve(range).length;
  const auto [first, last] = Selected(unit, range, wrap_width);
  return last - first;
}

std::size_t TextBody::Count(const RangeRef& range, double wrap_width) const {
  return CountOf(range.unit, range, wrap_width);
}

RangeRef TextBody::SubRange(const RangeRef& range, TextUnit unit, long start, long length,
                            double wrap_width) const {
  if (start == -1) return RangeRef{range.span, range.whole, unit};
  if (start < 1) throw std::out_of_range("Start must be -1 or a position from 1");
  if (length < -1) throw std::out_of_range("Length must be -1 or a count from 0");
  const Span span = Resolve(range);
  const std::size_t count = CountOf(unit, range, wrap_width);
  const auto from = static_cast<std::size_t>(start);
  if (from > count) return RangeRef{Span{span.end(), 0}, false, unit};
  const std::size_t wanted = length == -1 ? 1 : static_cast<std::size_t>(length);

  auto item = [&](std::size_t k) -> Span {  // item k (1-based) of the unit in the range, clipped
    if (unit == TextUnit::Characters) return Span{span.start + k - 1, 1};
    const auto first = Selected(unit, range, wrap_width).first;
    return Clip(Items(unit, wrap_width)[first + k - 1], span);
  };
  const Span first = item(from);
  if (wanted == 0) return RangeRef{Span{first.start, 0}, false, unit};
  const std::size_t to = std::min(count, from + wanted - 1);
  const Span last = item(to);
  return RangeRef{Span{first.start, last.end() - first.start}, false, unit};
}

RangeRef TextBody::Trimmed(const RangeRef& range) const {
  Span span = Resolve(range);
  while (span.length > 0 && IsSpace(text_[span.end() - 1])) --span.length;
  return RangeRef{span, false, TextUnit::None};
}

Span TextBody::Replace(Span span, std::string_view utf8) {
  return Replace(span, std::u32string_view(FromUtf8(utf8)));
}

Span TextBody::Replace(Span span, std::u32string_view new_text) {
  span = Resolve(RangeRef{span, false, TextUnit::None});
  const std::u32string text = NormaliseBreaks(new_text);

  // The font of the new characters, and the end font when the body empties.
  const std::uint32_t font = span.length > 0 ? font_of_[span.start] : Intern(InsertionFont(span.start));
  if (span.length == text_.size() && span.length > 0 && text.empty())
    end_font_ = fonts_[font_of_[span.start]];

  // Paragraphs: i holds the start of the span, j its end.
  const auto& paragraphs = Items(TextUnit::Paragraphs, 0.0);
  auto paragraph_at = [&](std::size_t position) {
    auto after = std::partition_point(paragraphs.begin(), paragraphs.end(),
                                      [&](const Span& item) { return item.start <= position; });
    return static_cast<std::size_t>(after - paragraphs.begin()) - 1;
  };
  const std::size_t i = paragraph_at(span.start);
  const std::size_t j = paragraph_at(span.end());
  const bool at_paragraph_start = span.start == paragraphs[i].start;
  const ParagraphFormatData kept =
      (span.length > 0 && text.empty() && at_paragraph_start) ? paragraphs_[j] : paragraphs_[i];
  const auto marks = static_cast<std::size_t>(std::count(text.begin(), text.end(), kParagraphMark));
  paragraphs_.erase(paragraphs_.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                    paragraphs_.begin() + static_cast<std::ptrdiff_t>(j) + 1);
  paragraphs_[i] = kept;
  paragraphs_.insert(paragraphs_.begin() + static_cast<std::ptrdiff_t>(i) + 1, marks, kept);

  text_.replace(span.start, span.length, text);
  font_of_.erase(font_of_.begin() + static_cast<std::ptrdiff_t>(span.start),
                 font_of_.begin() + static_cast<std::ptrdiff_t>(span.end()));
  font_of_.insert(font_of_.begin() + static_cast<std::ptrdiff_t>(span.start), text.size(), font);
  Changed();
  return Span{span.start, text.size()};
}

std::optional<Span> TextBody::Find(const RangeRef& range, std::string_view what, long after, bool match_case,
                                   bool whole_words) const {
  if (after < 0) throw std::out_of_range("After must be 0 or a position in the range");
  const Span span = Resolve(range);
  std::u32string needle = NormaliseBreaks(FromUtf8(what));
  if (needle.empty() || static_cast<std::size_t>(after) >= span.length) return std::nullopt;
  auto fold = [&](char32_t c) { return match_case ? c : LowerCase(c); };
  for (char32_t& c : needle) c = fold(c);
  const std::size_t from = span.start + static_cast<std::size_t>(after);
  if (needle.size() > span.end() - from) return std::nullopt;
  for (std::size_t at = from; at + needle.size() <= span.end(); ++at) {
    std::size_t k = 0;
    while (k < needle.size() && fold(text_[at + k]) == needle[k]) ++k;
    if (k < needle.size()) continue;
    if (whole_words) {
      const std::size_t end = at + needle.size();
      if (at > 0 && IsWordCharacter(text_[at - 1])) continue;
      if (end < text_.size() && IsWordCharacter(text_[end])) continue;
    }
    return Span{at, needle.size()};
  }
  return std::nullopt;
}

double WrapWidth(const TextBody& body, double shape_width) {
  if (!body.frame.word_wrap || !(shape_width > 0.0)) return 0.0;
  const double inner = shape_width - static_cast<double>(body.frame.margin_left) -
                       static_cast<double>(body.frame.margin_right);
  // A frame narrower than its margins still wraps, one character to a line.
  return std::max(inner, 1e-3);
}

// --- Files -------------------------------------------------------------------------------------------
//
// A body is written as
//   { "paragraphs": [ { "format": {…}, "runs": [ { "text": "Le festival ", "font": {…} }, … ],
//                       "mark": {…} }, … ],
//     "frame": {…}, "ruler": {…} }
// Paragraph marks are not written: they stand between paragraphs. A run without "font" continues
// the font before it; "mark" is the font of the paragraph's end (its mark, or the body's end for the
// last one), written when it differs from the font before it; a paragraph without "format" has the
// format of the one before it (the first one: the default format).

namespace {

using nlohmann::json;

[[noreturn]] void Invalid(const std::string& path, const std::string& why) {
  throw std::invalid_argument(path + ": " + why);
}

// A float as a JSON number written in its shortest decimal form (0.2f is written 0.2, not
// 0.20000000298023224), so files read back to the same single-precision value.
json FloatJson(float value) {
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return json(std::strtod(std::string(buffer, result.ptr).c_str(), nullptr));
}

void CheckObject(const json& j, const std::string& path, std::initializer_list<const char*> keys) {
  if (!j.is_object()) Invalid(path, "expected an object");
  for (const auto& item : j.items()) {
    if (std::none_of(keys.begin(), keys.end(), [&](const char* key) { return item.key() == key; }))
      Invalid(path + "." + item.key(), "unknown field");
  }
}

bool ReadBool(const json& j, const char* key, const std::string& path, bool fallback) {
  if (!j.contains(key)) return fallback;
  const json& v = j.at(key);
  if (!v.is_boolean()) Invalid(path + "." + key, "expected true or false");
  return v.get<bool>();
}

float ReadFloat(const json& j, const char* key, const std::string& path, float fallback, double low,
                double high) {
  if (!j.contains(key)) return fallback;
  const json& v = j.at(key);
  if (!v.is_number()) Invalid(path + "." + key, "expected a number");
  const double value = v.get<double>();
  if (!std::isfinite(value) || value < low || value > high)
    Invalid(path + "." + key, v.dump() + " is outside " + json(low).dump() + " to " + json(high).dump());
  return static_cast<float>(value);
}

int ReadInt(const json& j, const char* key, const std::string& path, int fallback, long low, long high) {
  if (!j.contains(key)) return fallback;
  const json& v = j.at(key);
  if (!v.is_number_integer()) Invalid(path + "." + key, "expected a whole number");
  const bool outside = v.is_number_unsigned()
                           ? v.get<std::uint64_t>() > static_cast<std::uint64_t>(high) ||
                                 v.get<std::uint64_t>() < static_cast<std::uint64_t>(std::max(low, 0L))
                           : (v.get<std::int64_t>() < low || v.get<std::int64_t>() > high);
  if (outside)
    Invalid(path + "." + key,
            v.dump() + " is outside " + std::to_string(low) + " to " + std::to_string(high));
  return static_cast<int>(v.get<std::int64_t>());
}

std::string ReadString(const json& j, const char* key, const std::string& path, const std::string& fallback,
                       bool non_empty) {
  if (!j.contains(key)) return fallback;
  const json& v = j.at(key);
  if (!v.is_string()) Invalid(path + "." + key, "expected a string");
  std::string value = v.get<std::string>();
  if (non_empty && value.empty()) Invalid(path + "." + key, "must not be empty");
  return value;
}

json FrameJson(const FrameData& frame) {
  return json{{"margin_left", FloatJson(frame.margin_left)},
              {"margin_right", FloatJson(frame.margin_right)},
              {"margin_top", FloatJson(frame.margin_top)},
              {"margin_bottom", FloatJson(frame.margin_bottom)},
              {"word_wrap", frame.word_wrap}};
}

FrameData FrameFromJson(const json& j, const std::string& path) {
  CheckObject(j, path, {"margin_left", "margin_right", "margin_top", "margin_bottom", "word_wrap"});
  FrameData frame;
  frame.margin_left = ReadFloat(j, "margin_left", path, frame.margin_left, 0, 1584);
  frame.margin_right = ReadFloat(j, "margin_right", path, frame.margin_right, 0, 1584);
  frame.margin_top = ReadFloat(j, "margin_top", path, frame.margin_top, 0, 1584);
  frame.margin_bottom = ReadFloat(j, "margin_bottom", path, frame.margin_bottom, 0, 1584);
  frame.word_wrap = ReadBool(j, "word_wrap", path, frame.word_wrap);
  return frame;
}

}  // namespace

std::string RgbToHex(std::int32_t rgb) {
  char buffer[8];
  const auto value = static_cast<std::uint32_t>(rgb) & 0xFFFFFFu;
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", value & 0xFF, (value >> 8) & 0xFF,
                (value >> 16) & 0xFF);
  return buffer;
}

std::int32_t RgbFromHex(const std::string& hex, const std::string& field) {
  const bool shaped = hex.size() == 7 && hex[0] == '#' && std::all_of(hex.begin() + 1, hex.end(), [](char c) {
                        return std::isxdigit(static_cast<unsigned char>(c));
                      });
  if (!shaped) Invalid(field, "\"" + hex + "\" is not a colour written #RRGGBB");
  const auto value = std::strtoul(hex.c_str() + 1, nullptr, 16);
  const auto red = (value >> 16) & 0xFF, green = (value >> 8) & 0xFF, blue = value & 0xFF;
  return static_cast<std::int32_t>(red | (green << 8) | (blue << 16));
}

void to_json(json& j, const FontData& font) {
  j = json{{"name", font.name}, {"size", FloatJson(font.size)}, {"color", RgbToHex(font.color)}};
  if (font.bold) j["bold"] = true;
  if (font.italic) j["italic"] = true;
  if (font.underline) j["underline"] = true;
  if (font.shadow) j["shadow"] = true;
  if (font.emboss) j["emboss"] = true;
}

FontData FontFromJson(const json& j, const std::string& path) {
  CheckObject(j, path, {"name", "size", "color", "bold", "italic", "underline", "shadow", "emboss"});
  FontData font;
  font.name = ReadString(j, "name", path, font.name, true);
  font.size = ReadFloat(j, "size", path, font.size, 1, 4000);
  if (j.contains("color")) {
    if (!j.at("color").is_string()) Invalid(path + ".color", "expected a colour written #RRGGBB");
    font.color = RgbFromHex(j.at("color").get<std::string>(), path + ".color");
  }
  font.bold = ReadBool(j, "bold", path, false);
  font.italic = ReadBool(j, "italic", path, false);
  font.underline = ReadBool(j, "underline", path, false);
  font.shadow = ReadBool(j, "shadow", path, false);
  font.emboss = ReadBool(j, "emboss", path, false);
  return font;
}

void from_json(const json& j, FontData& font) {
  font = FontFromJson(j, "font");
}

void to_json(json& j, const ParagraphFormatData& format) {
  j = json{{"alignment", format.alignment},
           {"level", format.indent_level},
           {"space_before", FloatJson(format.space_before)},
           {"space_after", FloatJson(format.space_after)},
           {"space_within", FloatJson(format.space_within)},
           {"line_rule_before", format.line_rule_before},
           {"line_rule_after", format.line_rule_after},
           {"line_rule_within", format.line_rule_within},
           {"bullet",
            {{"visible", format.bullet.visible},
             {"type", format.bullet.type},
             {"character", format.bullet.character},
             {"font", format.bullet.font},
             {"relative_size", FloatJson(format.bullet.relative_size)}}}};
}

ParagraphFormatData ParagraphFormatFromJson(const json& j, const std::string& path) {
  CheckObject(j, path,
              {"alignment", "level", "space_before", "space_after", "space_within", "line_rule_before",
               "line_rule_after", "line_rule_within", "bullet"});
  ParagraphFormatData format;
  format.alignment = ReadInt(j, "alignment", path, format.alignment, 1, 7);
  format.indent_level = ReadInt(j, "level", path, format.indent_level, 1, 5);
  format.space_before = ReadFloat(j, "space_before", path, format.space_before, 0, 1584);
  format.space_after = ReadFloat(j, "space_after", path, format.space_after, 0, 1584);
  format.space_within = ReadFloat(j, "space_within", path, format.space_within, 0, 1584);
  format.line_rule_before = ReadBool(j, "line_rule_before", path, format.line_rule_before);
  format.line_rule_after = ReadBool(j, "line_rule_after", path, format.line_rule_after);
  format.line_rule_within = ReadBool(j, "line_rule_within", path, format.line_rule_within);
  if (j.contains("bullet")) {
    const json& b = j.at("bullet");
    const std::string at = path + ".bullet";
    CheckObject(b, at, {"visible", "type", "character", "font", "relative_size"});
    BulletData& bullet = format.bullet;
    bullet.visible = ReadBool(b, "visible", at, bullet.visible);
    bullet.type = ReadInt(b, "type", at, bullet.type, 1, 2);
    bullet.character = ReadInt(b, "character", at, bullet.character, 1, 0x10FFFF);
    bullet.font = ReadString(b, "font", at, bullet.font, true);
    bullet.relative_size = ReadFloat(b, "relative_size", at, bullet.relative_size, 0.25, 4);
  }
  return format;
}

void from_json(const json& j, ParagraphFormatData& format) {
  format = ParagraphFormatFromJson(j, "format");
}

void to_json(json& j, const Ruler& ruler) {
  json stops = json::array();
  for (const auto& stop : ruler.tab_stops)
    stops.push_back({{"type", stop.type}, {"position", FloatJson(stop.position)}});
  json levels = json::array();
  for (const auto& level : ruler.levels)
    levels.push_back(
        {{"first_margin", FloatJson(level.first_margin)}, {"left_margin", FloatJson(level.left_margin)}});
  j = json{{"tab_stops", stops}, {"levels", levels}};
}

Ruler RulerFromJson(const json& j, const std::string& path) {
  CheckObject(j, path, {"tab_stops", "levels"});
  Ruler ruler;
  if (j.contains("tab_stops")) {
    const json& stops = j.at("tab_stops");
    if (!stops.is_array()) Invalid(path + ".tab_stops", "expected a list");
    for (std::size_t i = 0; i < stops.size(); ++i) {
      const std::string at = path + ".tab_stops[" + std::to_string(i) + "]";
      CheckObject(stops[i], at, {"type", "position"});
      if (!stops[i].contains("position")) Invalid(at + ".position", "missing");
      const int type = ReadInt(stops[i], "type", at, 1, 1, 4);
      const float position = ReadFloat(stops[i], "position", at, 0, 0, 4000);
      const std::size_t before = ruler.tab_stops.size();
      ruler.AddTabStop(type, position);
      if (ruler.tab_stops.size() == before) Invalid(at + ".position", "a tab stop already stands there");
    }
  }
  if (j.contains("levels")) {
    const json& levels = j.at("levels");
    if (!levels.is_array() || levels.size() != 5) Invalid(path + ".levels", "expected a list of five levels");
    for (std::size_t i = 0; i < 5; ++i) {
      const std::string at = path + ".levels[" + std::to_string(i) + "]";
      CheckObject(levels[i], at, {"first_margin", "left_margin"});
      ruler.levels[i].first_margin = ReadFloat(levels[i], "first_margin", at, 0, 0, 4000);
      ruler.levels[i].left_margin = ReadFloat(levels[i], "left_margin", at, 0, 0, 4000);
    }
  }
  return ruler;
}

void from_json(const json& j, Ruler& ruler) {
  ruler = RulerFromJson(j, "ruler");
}

void to_json(json& j, const TextBody& body) {
  json paragraphs = json::array();
  const auto& items = body.Items(TextUnit::Paragraphs, 0.0);
  const FontData* previous_font = nullptr;
  const ParagraphFormatData* previous_format = nullptr;
  FontData default_font;
  ParagraphFormatData default_format;
  for (std::size_t p = 0; p < items.size(); ++p) {
    const Span item = items[p];
    const bool last = p + 1 == items.size();
    const std::size_t text_end = last ? item.end() : item.end() - 1;
    json paragraph = json::object();
    const auto& format = body.ParagraphFormat(p);
    if (!(format == (previous_format ? *previous_format : default_format))) paragraph["format"] = format;
    previous_format = &format;
    json runs = json::array();
    std::size_t run_start = item.start;
    while (run_start < text_end) {
      std::size_t run_end = run_start + 1;
      const FontData& font = body.FontAt(run_start);
      while (run_end < text_end && body.FontAt(run_end) == font) ++run_end;
      json run{{"text", body.Utf8(Span{run_start, run_end - run_start})}};
      if (!(font == (previous_font ? *previous_font : default_font))) run["font"] = font;
      previous_font = &font;
      runs.push_back(std::move(run));
      run_start = run_end;
    }
    if (!runs.empty()) paragraph["runs"] = std::move(runs);
    const FontData& mark = last ? body.end_font() : body.FontAt(text_end);
    if (!(mark == (previous_font ? *previous_font : default_font))) paragraph["mark"] = mark;
    previous_font = &mark;
    paragraphs.push_back(std::move(paragraph));
  }
  j = json{{"paragraphs", std::move(paragraphs)}};
  if (!(body.frame == FrameData{})) j["frame"] = FrameJson(body.frame);
  if (!(body.ruler == Ruler{})) j["ruler"] = body.ruler;
}

TextBody BodyFromJson(const json& j, const std::string& path) {
  CheckObject(j, path, {"paragraphs", "frame", "ruler"});
  if (!j.contains("paragraphs") || !j.at("paragraphs").is_array() || j.at("paragraphs").empty())
    Invalid(path + ".paragraphs", "expected a list of at least one paragraph");
  const json& paragraphs = j.at("paragraphs");

  std::u32string text;
  std::vector<FontData> fonts;  // per character
  std::vector<ParagraphFormatData> formats;
  FontData font;
  ParagraphFormatData format;
  for (std::size_t p = 0; p < paragraphs.size(); ++p) {
    const std::string at = path + ".paragraphs[" + std::to_string(p) + "]";
    const json& paragraph = paragraphs[p];
    CheckObject(paragraph, at, {"format", "runs", "mark"});
    if (paragraph.contains("format"))
      format = ParagraphFormatFromJson(paragraph.at("format"), at + ".format");
    formats.push_back(format);
    if (paragraph.contains("runs")) {
      const json& runs = paragraph.at("runs");
      if (!runs.is_array()) Invalid(at + ".runs", "expected a list");
      for (std::size_t r = 0; r < runs.size(); ++r) {
        const std::string run_at = at + ".runs[" + std::to_string(r) + "]";
        CheckObject(runs[r], run_at, {"text", "font"});
        if (!runs[r].contains("text") || !runs[r].at("text").is_string())
          Invalid(run_at + ".text", "expected a string");
        if (runs[r].contains("font")) font = FontFromJson(runs[r].at("font"), run_at + ".font");
        const std::u32string run_text = FromUtf8(runs[r].at("text").get<std::string>());
        if (run_text.find_first_of(U"\r\n") != std::u32string::npos)
          Invalid(run_at + ".text", "a run holds no paragraph mark; start a new paragraph instead");
        text += run_text;
        fonts.insert(fonts.end(), run_text.size(), font);
      }
    }
    if (paragraph.contains("mark")) font = FontFromJson(paragraph.at("mark"), at + ".mark");
    if (p + 1 < paragraphs.size()) {
      text.push_back(kParagraphMark);
      fonts.push_back(font);
    }
  }

  TextBody body;
  body.Replace(Span{0, 0}, std::u32string_view(text));
  for (std::size_t i = 0; i < formats.size(); ++i) body.SetParagraphFormat(i, formats[i]);
  std::size_t start = 0;
  while (start < fonts.size()) {
    std::size_t end = start + 1;
    while (end < fonts.size() && fonts[end] == fonts[start]) ++end;
    body.SetFonts(Span{start, end - start}, fonts[start]);
    start = end;
  }
  body.set_end_font(font);
  if (j.contains("frame")) body.frame = FrameFromJson(j.at("frame"), path + ".frame");
  if (j.contains("ruler")) body.ruler = RulerFromJson(j.at("ruler"), path + ".ruler");
  return body;
}

void from_json(const json& j, TextBody& body) {
  body = BodyFromJson(j, "text");
}

// --- Display -----------------------------------------------------------------------------------------

namespace {

// A size as PowerPoint shows it: two decimals at most, trailing zeros dropped (20.5, not 20.500000).
std::string Number(float value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(value));
  std::string text = buffer;
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text == "-0" ? "0" : text;
}

const char* AlignmentName(int alignment) {
  switch (alignment) {
    case 1:
      return "left";
    case 2:
      return "centre";
    case 3:
      return "right";
    case 4:
      return "justify";
    case 5:
      return "distribute";
    case 6:
      return "Thai distribute";
    case 7:
      return "justify low";
    default:
      return "?";
  }
}

std::string Spacing(float value, bool lines) {
  return Number(value) + (lines ? " lines" : " pt");
}

std::string Visible(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) {
    if (c == kLineBreak) {
      out += "\\v";
    } else if (c == U'\t') {
      out += "\\t";
    } else if (c == U'"' || c == U'\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else {
      out += ToUtf8(std::u32string_view(&c, 1));
    }
  }
  return out;
}

std::string Describe(const FontData& font) {
  std::string out = font.name + " " + Number(font.size) + " " + RgbToHex(font.color);
  if (font.bold) out += " bold";
  if (font.italic) out += " italic";
  if (font.underline) out += " underline";
  if (font.shadow) out += " shadow";
  if (font.emboss) out += " emboss";
  return out;
}

}  // namespace

std::string RenderText(const TextBody& body, const std::string& indent) {
  std::string out;
  const auto& items = body.Items(TextUnit::Paragraphs, 0.0);
  for (std::size_t p = 0; p < items.size(); ++p) {
    const auto& f = body.ParagraphFormat(p);
    out += indent + "paragraph " + std::to_string(p + 1) + ": level " + std::to_string(f.indent_level) +
           ", " + AlignmentName(f.alignment) + ", bullet ";
    if (f.bullet.visible) {
      out += (f.bullet.type == 2 ? "numbered" : "character " + std::to_string(f.bullet.character)) + " of " +
             f.bullet.font;
      if (f.bullet.relative_size != 1.0f) out += " at " + Number(f.bullet.relative_size);
    } else {
      out += "none";
    }
    out += ", before " + Spacing(f.space_before, f.line_rule_before) + ", after " +
           Spacing(f.space_after, f.line_rule_after) + ", within " +
           Spacing(f.space_within, f.line_rule_within) + "\n";
    const Span item = items[p];
    const std::size_t text_end = (p + 1 == items.size()) ? item.end() : item.end() - 1;
    std::size_t start = item.start;
    while (start < text_end) {
      std::size_t end = start + 1;
      while (end < text_end && body.FontAt(end) == body.FontAt(start)) ++end;
      out += indent + "  \"" + Visible(std::u32string_view(body.text()).substr(start, end - start)) + "\" " +
             Describe(body.FontAt(start)) + "\n";
      start = end;
    }
  }
  if (!(body.ruler == Ruler{})) out += RenderRuler(body.ruler, indent);
  return out;
}

std::string RenderRuler(const Ruler& ruler, const std::string& indent) {
  static const char* const kTabNames[] = {"?", "left", "centre", "right", "decimal"};
  std::string out = indent + "ruler: tab stops";
  if (ruler.tab_stops.empty()) out += " none";
  for (const auto& stop : ruler.tab_stops)
    out += std::string(" ") + kTabNames[(stop.type >= 1 && stop.type <= 4) ? stop.type : 0] + " at " +
           Number(stop.position);
  out += "; levels";
  for (const auto& level : ruler.levels)
    out += " " + Number(level.first_margin) + "/" + Number(level.left_margin);
  return out + "\n";
}

}  // namespace sim::ppt
