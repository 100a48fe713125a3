#include "vb/strings.hpp"

#include <array>
#include <limits>
#include <vector>

#include "vb/error.hpp"

namespace vb {
namespace {

// --- UTF-8 ----------------------------------------------------------------------------------------

/// One character of a UTF-8 text: its code point and the bytes it occupies. A byte that does not
/// start a well-formed sequence is a character of its own with `valid` false.
struct Character {
  char32_t code = 0;
  std::size_t offset = 0;
  std::size_t size = 1;
  bool valid = false;
};

/// Reads the character at `offset` (which must be inside the text). Well-formed means RFC 3629:
/// no overlong forms, no surrogates, nothing above U+10FFFF.
Character ReadCharacter(std::string_view text, std::size_t offset) {
  Character c;
  c.offset = offset;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[offset + i]); };
  const unsigned char lead = byte(0);
  c.code = lead;
  if (lead < 0x80) {
    c.valid = true;
    return c;
  }
  std::size_t size = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    size = 2, code = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    size = 3, code = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    size = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    return c;  // a continuation byte or a byte no sequence starts with
  }
  if (offset + size > text.size()) return c;
  for (std::size_t i = 1; i < size; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return c;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return c;
  c.code = code;
  c.size = size;
  c.valid = true;
  return c;
}

std::vector<Character> Characters(std::string_view text) {
  std::vector<Character> characters;
  characters.reserve(text.size());
  for (std::size_t offset = 0; offset < text.size();) {
    characters.push_back(ReadCharacter(text, offset));
    offset += characters.back().size;
  }
  return characters;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

/// The bytes of characters [first, first + count) of the text, clamped to its end.
std::string_view Slice(std::string_view text, const std::vector<Character>& characters, std::size_t first,
                       std::size_t count) {
  if (first >= characters.size()) return {};
  const std::size_t last = count >= characters.size() - first ? characters.size() : first + count;
  const std::size_t begin = characters[first].offset;
  const std::size_t end = last == characters.size() ? text.size() : characters[last].offset;
  return text.substr(begin, end - begin);
}

// --- Case mapping -------------------------------------------------------------------------------
//
// Unicode's simple case mappings for the scripts a French desktop meets: Latin (ASCII, Latin-1,
// Extended-A, ƒ, Extended Additional), Greek, Cyrillic, Armenian and the full-width Latin letters.

/// Blocks where upper and lower case alternate: the upper-case letter at an even (or odd) code
/// point, its lower-case letter right after it.
struct AlternatingBlock {
  char32_t first;
  char32_t last;
  bool upper_is_even;
};

constexpr std::array kAlternatingBlocks{
    AlternatingBlock{0x0100, 0x012F, true},   // Latin Extended-A: Ā ā … Į į
    AlternatingBlock{0x0132, 0x0137, true},   // Ĳ ĳ … Ķ ķ
    AlternatingBlock{0x0139, 0x0148, false},  // Ĺ ĺ … Ň ň
    AlternatingBlock{0x014A, 0x0177, true},   // Ŋ ŋ … Œ œ … Ŷ ŷ
    AlternatingBlock{0x0179, 0x017E, false},  // Ź ź … Ž ž
    AlternatingBlock{0x0460, 0x0481, true},   // Cyrillic: Ѡ ѡ … Ҁ ҁ
    AlternatingBlock{0x048A, 0x04BF, true},   // Ҋ ҋ … Ҿ ҿ
    AlternatingBlock{0x04C1, 0x04CE, false},  // Ӂ ӂ … Ӎ ӎ
    AlternatingBlock{0x04D0, 0x052F, true},   // Ӑ ӑ … Ԯ ԯ
    AlternatingBlock{0x03D8, 0x03EF, true},   // Greek archaic and Coptic letters: Ϙ ϙ … Ϯ ϯ
    AlternatingBlock{0x1E00, 0x1E95, true},   // Latin Extended Additional: Ḁ ḁ … Ẕ ẕ
    AlternatingBlock{0x1EA0, 0x1EFF, true},   // Ạ ạ … Ỿ ỿ
};

/// Blocks where a run of upper-case letters maps to a run of lower-case letters at a fixed distance.
struct ShiftedBlock {
  char32_t upper_first;
  char32_t upper_last;
  char32_t lower_first;
};

constexpr std::array kShiftedBlocks{
    ShiftedBlock{0x0041, 0x005A, 0x0061},  // A–Z
    ShiftedBlock{0x00C0, 0x00D6, 0x00E0},  // À–Ö
    ShiftedBlock{0x00D8, 0x00DE, 0x00F8},  // Ø–Þ
    ShiftedBlock{0x0388, 0x038A, 0x03AD},  // Έ Ή Ί
    ShiftedBlock{0x038E, 0x038F, 0x03CD},  // Ύ Ώ
    ShiftedBlock{0x0391, 0x03A1, 0x03B1},  // Α–Ρ
    ShiftedBlock{0x03A3, 0x03AB, 0x03C3},  // Σ–Ϋ
    ShiftedBlock{0x0400, 0x040F, 0x0450},  // Ѐ–Џ
    ShiftedBlock{0x0410, 0x042F, 0x0430},  // А–Я
    ShiftedBlock{0x0531, 0x0556, 0x0561},  // Armenian Ա–Ֆ
    ShiftedBlock{0xFF21, 0xFF3A, 0xFF41},  // full-width Ａ–Ｚ
};

/// Pairs outside the regular blocks.
struct CasePair {
  char32_t upper;
  char32_t lower;
};

constexpr std::array kPairs{
    CasePair{0x0178, 0x00FF},  // Ÿ ÿ
    CasePair{0x0191, 0x0192},  // Ƒ ƒ
    CasePair{0x0386, 0x03AC},  // Ά ά
    CasePair{0x038C, 0x03CC},  // Ό ό
    CasePair{0x04C0, 0x04CF},  // Ӏ ӏ
    CasePair{0x0130, 0x0069},  // İ lower-cases to i (upper-casing i still gives I)
    CasePair{0x0049, 0x0131},  // ı upper-cases to I (lower-casing I still gives i)
    CasePair{0x0053, 0x017F},  // ſ upper-cases to S
    CasePair{0x03A3, 0x03C2},  // final ς upper-cases to Σ
};

char32_t ToLower(char32_t code) {
  for (const auto& block : kShiftedBlocks) {
    if (code >= block.upper_first && code <= block.upper_last)
      return code - block.upper_first + block.lower_first;
  }
  for (const auto& block : kAlternatingBlocks) {
    if (code >= block.first && code <= block.last && ((code % 2 == 0) == block.upper_is_even))
      return code + 1;
  }
  // The pairs come last, so that a letter of the regular blocks keeps its own mapping (I lower-cases
  // to i, not to the dotless ı its pair names).
  for (const auto& pair : kPairs) {
    if (code == pair.upper) return pair.lower;
  }
  return code;
}

char32_t ToUpper(char32_t code) {
  for (const auto& block : kShiftedBlocks) {
    const char32_t lower_last = block.lower_first + (block.upper_last - block.upper_first);
    if (code >= block.lower_first && code <= lower_last) return code - block.lower_first + block.upper_first;
  }
  for (const auto& block : kAlternatingBlocks) {
    if (code >= block.first && code <= block.last && ((code % 2 == 0) != block.upper_is_even))
      return code - 1;
  }
  for (const auto& pair : kPairs) {
    if (code == pair.lower) return pair.upper;
  }
  return code;
}

template <class Map>
std::string MapCase(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t offset = 0; offset < text.size();) {
    const Character c = ReadCharacter(text, offset);
    if (c.valid) {
      AppendUtf8(out, map(c.code));
    } else {
      out += text[offset];
    }
    offset += c.size;
  }
  return out;
}

// --- Windows-1252 ---------------------------------------------------------------------------------

/// The characters of bytes 0x80 to 0x9F; the five bytes Windows-1252 leaves undefined keep their
/// own code, as Windows maps them.
constexpr std::array<char32_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // € . ‚ ƒ „ … † ‡
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // ˆ ‰ Š ‹ Œ . Ž .
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // . ‘ ’ “ ” • – —
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // ˜ ™ š › œ . ž Ÿ
};

/// The Windows-1252 byte of a character; '?' when the code page has none.
char Windows1252Byte(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
  for (std::size_t i = 0; i < kWindows1252High.size(); ++i) {
    if (kWindows1252High[i] == code) return static_cast<char>(0x80 + i);
  }
  return '?';
}

[[noreturn]] void InvalidCall() {
  Raise(errors::kInvalidCall);
}

}  // namespace

// --- Case ------------------------------------------------------------------------------------------

std::string LCase(std::string_view text) {
  return MapCase(text, ToLower);
}

std::string UCase(std::string_view text) {
  return MapCase(text, ToUpper);
}

// --- Lengths and parts -------------------------------------------------------------------------------

std::int32_t Len(std::string_view text) {
  std::int32_t count = 0;
  for (std::size_t offset = 0; offset < text.size(); offset += ReadCharacter(text, offset).size) ++count;
  return count;
}

std::string Left(std::string_view text, std::int32_t length) {
  if (length < 0) InvalidCall();
  const auto characters = Characters(text);
  return std::string(Slice(text, characters, 0, static_cast<std::size_t>(length)));
}

std::string Right(std::string_view text, std::int32_t length) {
  if (length < 0) InvalidCall();
  const auto characters = Characters(text);
  const std::size_t count = std::min(characters.size(), static_cast<std::size_t>(length));
  return std::string(Slice(text, characters, characters.size() - count, count));
}

std::string Mid(std::string_view text, std::int32_t start) {
  if (start < 1) InvalidCall();
  const auto characters = Characters(text);
  return std::string(
      Slice(text, characters, static_cast<std::size_t>(start) - 1, std::numeric_limits<std::size_t>::max()));
}

std::string Mid(std::string_view text, std::int32_t start, std::int32_t length) {
  if (start < 1 || length < 0) InvalidCall();
  const auto characters = Characters(text);
  return std::string(
      Slice(text, characters, static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(length)));
}

// --- Spaces, replacement, search ---------------------------------------------------------------------

std::string LTrim(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string RTrim(std::string_view text) {
  const auto last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string Trim(std::string_view text) {
  return LTrim(RTrim(text));
}

std::string Replace(std::string_view text, std::string_view find, std::string_view replacement) {
  if (find.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t from = 0;
  for (auto at = text.find(find); at != std::string_view::npos; at = text.find(find, from)) {
    out.append(text.substr(from, at - from));
    out.append(replacement);
    from = at + find.size();
  }
  out.append(text.substr(from));
  return out;
}

std::int32_t InStr(std::int32_t start, std::string_view text, std::string_view find) {
  if (start < 1) InvalidCall();
  const auto characters = Characters(text);
  if (static_cast<std::size_t>(start) > characters.size()) return 0;
  if (find.empty()) return start;
  // Matching whole characters: a match must begin on a character boundary, which the scan below
  // guarantees by trying each character's offset in turn.
  for (std::size_t i = static_cast<std::size_t>(start) - 1; i < characters.size(); ++i) {
    if (text.substr(characters[i].offset).starts_with(find)) return static_cast<std::int32_t>(i + 1);
  }
  return 0;
}

std::int32_t InStr(std::string_view text, std::string_view find) {
  return InStr(1, text, find);
}

// --- The 8-bit registry boundary ---------------------------------------------------------------------

std::string ToWindows1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t offset = 0; offset < utf8.size();) {
    const Character c = ReadCharacter(utf8, offset);
    out += c.valid ? Windows1252Byte(c.code) : '?';
    offset += c.size;
  }
  return out;
}

std::string FromWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    AppendUtf8(out, b >= 0x80 && b <= 0x9F ? kWindows1252High[b - 0x80] : static_cast<char32_t>(b));
  }
  return out;
}

// --- VB's Integer --------------------------------------------------------------------------------------

namespace {

std::int16_t CheckedInteger(std::int32_t value) {
  if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
    Raise(errors::kOverflow);
  return static_cast<std::int16_t>(value);
}

}  // namespace

Integer::Integer(std::int32_t value) : value_(CheckedInteger(value)) {}

Integer& Integer::operator+=(Integer other) {
  value_ = CheckedInteger(std::int32_t{value_} + other.value_);
  return *this;
}

Integer& Integer::operator-=(Integer other) {
  value_ = CheckedInteger(std::int32_t{value_} - other.value_);
  return *this;
}

Integer& Integer::operator*=(Integer other) {
  value_ = CheckedInteger(std::int32_t{value_} * other.value_);
  return *this;
}

Integer& Integer::operator++() {
  return *this += 1;
}

Integer Integer::operator++(int) {
  Integer before = *this;
  *this += 1;
  return before;
}

Integer& Integer::operator--() {
  return *this -= 1;
}

Integer Integer::operator--(int) {
  Integer before = *this;
  *this -= 1;
  return before;
}

}  // namespace vb
