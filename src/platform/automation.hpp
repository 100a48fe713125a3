// The automation runtime: getting the running object of a class and creating a new one.
#pragma once

#include <string_view>

#include "vb/dispatch.hpp"

namespace platform {

class Automation {
 public:
  virtual ~Automation() = default;
  /// VB's GetObject(, progId): the running instance registered first; error 429 when none runs.
  virtual vb::ObjectRef GetObject(std::string_view progId) = 0;
  /// VB's CreateObject(progId): a new instance; error 429 when the class is unknown.
  virtual vb::ObjectRef CreateObject(std::string_view progId) = 0;
};

}  // namespace platform
