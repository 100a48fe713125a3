// The additional-information lines an exercise's check hands to the host with its verdict.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "module/abstract_module.hpp"

namespace k60418 {

/// The list of additional-information lines of one check: positions from 1, a line per
/// ComplementInfo_add, nothing ever removed. The host reads it through host::ComplementInfo.
class ComplementInfo : public host::ComplementInfo {
 public:
  /// Appends a line; the second argument is not used (every caller passes 0).
  void ComplementInfo_add(std::string sLigne, std::int32_t lInutilise) override;
  /// The number of lines.
  std::int32_t ComplementInfo_count() override;
  /// The line at position noItem (1 = first); error 9 outside 1..count.
  std::string ComplementInfo_item(std::int32_t noItem) override;

 private:
  std::vector<std::string> lignes_;
};

}  // namespace k60418
