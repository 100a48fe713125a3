#include "sim/names.hpp"

#include "vb/strings.hpp"

namespace sim {

std::string FoldCase(std::string_view utf8) {
  return vb::LCase(utf8);
}

bool SameName(std::string_view a, std::string_view b) {
  return a == b || vb::LCase(a) == vb::LCase(b);
}

}  // namespace sim
