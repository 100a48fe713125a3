#include "powerpoint/constants.hpp"

#include <algorithm>
#include <array>

namespace ppt {
namespace {

struct NamedConstant {
  std::string_view name;
  std::int32_t value;
};

#define K60418_PPT_NAMED_CONSTANT(name, value) NamedConstant{#name, value},
constexpr std::array kConstants{K60418_PPT_CONSTANTS(K60418_PPT_NAMED_CONSTANT)};
#undef K60418_PPT_NAMED_CONSTANT

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Constant names are ASCII; a name with other characters simply matches none.
bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace

std::optional<std::int32_t> ConstantValue(std::string_view name) {
  for (const auto& constant : kConstants) {
    if (SameName(constant.name, name)) return constant.value;
  }
  return std::nullopt;
}

}  // namespace ppt
