#include "scenario/like.hpp"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "vb/error.hpp"

namespace scenario {
namespace {

// Code points of a UTF-8 string; a malformed byte stands for itself.
std::vector<std::uint32_t> CodePoints(std::string_view text) {
  std::vector<std::uint32_t> codes;
  codes.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    std::size_t length = byte < 0x80             ? 1
                         : (byte & 0xE0) == 0xC0 ? 2
                         : (byte & 0xF0) == 0xE0 ? 3
                         : (byte & 0xF8) == 0xF0 ? 4
                                                 : 0;
    bool valid = length > 0 && i + length <= text.size();
    std::uint32_t code = length == 1   ? byte
                         : length == 2 ? (byte & 0x1F)
                         : length == 3 ? (byte & 0x0F)
                                       : (byte & 0x07);
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = (code << 6) | (next & 0x3F);
    }
    if (!valid) {
      codes.push_back(byte);
      ++i;
      continue;
    }
    codes.push_back(code);
    i += length;
  }
  return codes;
}

[[noreturn]] void InvalidPattern() {
  vb::Raise(kInvalidPattern, vb::kProjectName, "Invalid pattern string");
}

// One element of a compiled pattern: matches one character, except kStar.
struct Item {
  enum Kind { kLiteral, kAny, kDigit, kSet, kStar } kind = kLiteral;
  std::uint32_t literal = 0;
  bool negated = false;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> ranges;

  bool Matches(std::uint32_t c) const {
    switch (kind) {
      case kLiteral:
        return c == literal;
      case kAny:
        return true;
      case kDigit:
        return c >= '0' && c <= '9';
      case kSet: {
        bool in = false;
        for (const auto& [low, high] : ranges) in = in || (c >= low && c <= high);
        return in != negated;
      }
      case kStar:
        break;
    }
    return false;
  }
};

std::vector<Item> Compile(const std::vector<std::uint32_t>& pattern) {
  std::vector<Item> items;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    Item item;
    const std::uint32_t c = pattern[i];
    if (c == '*') {
      if (!items.empty() && items.back().kind == Item::kStar) continue;
      item.kind = Item::kStar;
    } else if (c == '?') {
      item.kind = Item::kAny;
    } else if (c == '#') {
      item.kind = Item::kDigit;
    } else if (c == '[') {
      std::size_t k = i + 1;
      item.kind = Item::kSet;
      if (k < pattern.size() && pattern[k] == '!') {
        item.negated = true;
        ++k;
      }
      const std::size_t first = k;
      while (k < pattern.size() && pattern[k] != ']') {
        std::uint32_t low = pattern[k];
        std::uint32_t high = low;
        const bool last = k + 1 < pattern.size() && pattern[k + 1] == ']';
        if (pattern[k] == '-' && k != first && !last) InvalidPattern();  // "-" alone inside a list
        if (k + 2 < pattern.size() && pattern[k + 1] == '-' && pattern[k + 2] != ']') {
          high = pattern[k + 2];
          if (high < low) InvalidPattern();
          k += 2;
        }
        item.ranges.emplace_back(low, high);
        ++k;
      }
      if (k >= pattern.size()) InvalidPattern();
      i = k;
      if (item.ranges.empty() && !item.negated) continue;  // "[]" matches the empty string
    } else {
      item.literal = c;
    }
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace

bool Like(std::string_view text, std::string_view pattern) {
  const auto items = Compile(CodePoints(pattern));
  const auto codes = CodePoints(text);
  // Every item but "*" takes exactly one character, so one back-tracking point is enough.
  std::size_t i = 0;
  std::size_t j = 0;
  std::size_t star = items.size();
  std::size_t mark = 0;
  while (i < codes.size()) {
    if (j < items.size() && items[j].kind != Item::kStar && items[j].Matches(codes[i])) {
      ++i;
      ++j;
    } else if (j < items.size() && items[j].kind == Item::kStar) {
      star = j++;
      mark = i;
    } else if (star != items.size()) {
      j = star + 1;
      i = ++mark;
    } else {
      return false;
    }
  }
  while (j < items.size() && items[j].kind == Item::kStar) ++j;
  return j == items.size();
}

}  // namespace scenario
