#include "module/complement_info.hpp"

#include "vb/error.hpp"

namespace k60418 {

void ComplementInfo::ComplementInfo_add(std::string sLigne, std::int32_t /*lInutilise*/) {
  lignes_.push_back(std::move(sLigne));
}

std::int32_t ComplementInfo::ComplementInfo_count() {
  return static_cast<std::int32_t>(lignes_.size());
}

std::string ComplementInfo::ComplementInfo_item(std::int32_t noItem) {
  if (noItem < 1 || noItem > ComplementInfo_count()) vb::Raise(vb::errors::kSubscriptOutOfRange);
  return lignes_[static_cast<std::size_t>(noItem - 1)];
}

}  // namespace k60418
