// The VB error number a statement raises, for tests that expect one: 0 when it raises none.
#pragma once

#include <cstdint>
#include <functional>

#include "vb/error.hpp"

namespace test_support {

inline std::int32_t ErrorNumberOf(const std::function<void()>& statement) {
  try {
    statement();
  } catch (const vb::Error& error) {
    return error.number();
  }
  return 0;
}

}  // namespace test_support
