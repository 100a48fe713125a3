// One JSON object per line, for the commands' --json output. Included by the engine's sources only.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

namespace player {

/// Writes the object on one line; text that is not UTF-8 is replaced rather than refused.
inline void WriteJsonLine(std::ostream& out, const nlohmann::json& object) {
  out << object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

}  // namespace player
