// VB's string functions over the module's UTF-8 strings (LCase, UCase, Len, Left, Mid, Right, Trim,
// Replace, InStr), the 8-bit Windows-1252 form of strings at the registry boundary, and VB's 16-bit
// Integer, whose arithmetic overflows with error 6 instead of wrapping.
//
// Positions and lengths count characters (Unicode code points), from 1 as VB does. VB itself counts
// UTF-16 units; the two differ only for characters outside the Basic Multilingual Plane (emoji and
// rare scripts), which no text of the course holds.
//
// Bytes that are not valid UTF-8 are never dropped and never crash: each such byte counts as one
// character and passes through the case mappings unchanged; the Windows-1252 form turns it into '?'.
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace vb {

// --- Case --------------------------------------------------------------------------------------

/// VB's LCase on Unicode text: every letter with a lower-case form takes it (É → é, Œ → œ, Σ → σ,
/// Д → д), whatever the process locale; other characters are left as they are.
std::string LCase(std::string_view text);
/// VB's UCase, the converse (é → É, ÿ → Ÿ, ς → Σ). A letter without a single-letter upper-case
/// form (ß) is left as it is.
std::string UCase(std::string_view text);

// --- Lengths and parts ---------------------------------------------------------------------------

/// The number of characters.
std::int32_t Len(std::string_view text);
/// The first `length` characters (all of them when the text is shorter). A negative length raises
/// error 5 (invalid procedure call), as VB does.
std::string Left(std::string_view text, std::int32_t length);
/// The last `length` characters (all of them when the text is shorter); negative raises error 5.
std::string Right(std::string_view text, std::int32_t length);
/// The characters from position `start` (from 1) to the end: "" when start is past the end.
/// A start below 1 raises error 5.
std::string Mid(std::string_view text, std::int32_t start);
/// At most `length` characters from position `start`. A start below 1 or a negative length raises
/// error 5.
std::string Mid(std::string_view text, std::int32_t start, std::int32_t length);

// --- Spaces, replacement, search -----------------------------------------------------------------

/// The text without its leading spaces (only the space character, as VB's LTrim).
std::string LTrim(std::string_view text);
/// The text without its trailing spaces.
std::string RTrim(std::string_view text);
/// The text without its leading and trailing spaces.
std::string Trim(std::string_view text);

/// Every occurrence of `find` replaced by `replacement`, from left to right without overlap,
/// comparing exactly (case-sensitive). An empty `find` returns the text unchanged.
std::string Replace(std::string_view text, std::string_view find, std::string_view replacement);

/// The position (from 1, in characters) of the first occurrence of `find` in `text` at or after
/// character `start`, comparing exactly; 0 when there is none, or when start is past the end of
/// the text. An empty `find` gives `start`. A start below 1 raises error 5.
std::int32_t InStr(std::int32_t start, std::string_view text, std::string_view find);
/// InStr from the first character.
std::int32_t InStr(std::string_view text, std::string_view find);

// --- The 8-bit registry boundary -----------------------------------------------------------------

/// The Windows-1252 bytes of a UTF-8 text, as the 8-bit registry functions store it: every
/// character of Windows-1252 (including € ‹ › Œ Ÿ of 0x80–0x9F) becomes its byte; any other
/// character, and any byte that is not valid UTF-8, becomes '?', as Windows' default character does.
std::string ToWindows1252(std::string_view utf8);
/// The UTF-8 text of Windows-1252 bytes. The five bytes Windows-1252 leaves undefined (0x81, 0x8D,
/// 0x8F, 0x90, 0x9D) become the control characters of the same code, as Windows maps them, so every
/// byte string comes back unchanged through ToWindows1252.
std::string FromWindows1252(std::string_view bytes);

// --- VB's Integer --------------------------------------------------------------------------------

/// VB's Integer: a 16-bit signed counter (-32768 to 32767) whose arithmetic raises error 6
/// (Overflow) when a result leaves that range, where C++ would wrap or widen. Built implicitly from a
/// 32-bit value, as VB assigns a Long to an Integer: a value out of range raises error 6 too.
/// Comparisons with 32-bit values compare the numbers, without narrowing.
class Integer {
 public:
  constexpr Integer() = default;
  Integer(std::int32_t value);  // NOLINT: VB's implicit conversion on assignment

  constexpr std::int16_t value() const { return value_; }
  explicit constexpr operator std::int32_t() const { return value_; }

  Integer& operator+=(Integer other);
  Integer& operator-=(Integer other);
  Integer& operator*=(Integer other);
  Integer& operator++();
  Integer operator++(int);
  Integer& operator--();
  Integer operator--(int);

  friend Integer operator+(Integer a, Integer b) { return a += b; }
  friend Integer operator-(Integer a, Integer b) { return a -= b; }
  friend Integer operator*(Integer a, Integer b) { return a *= b; }
  /// Negation: -(-32768) overflows.
  friend Integer operator-(Integer a) { return Integer(0) - a; }

  friend constexpr bool operator==(Integer a, Integer b) { return a.value_ == b.value_; }
  friend constexpr std::strong_ordering operator<=>(Integer a, Integer b) { return a.value_ <=> b.value_; }
  friend constexpr bool operator==(Integer a, std::int32_t b) { return a.value_ == b; }
  friend constexpr std::strong_ordering operator<=>(Integer a, std::int32_t b) { return a.value_ <=> b; }

 private:
  std::int16_t value_ = 0;
};

}  // namespace vb
