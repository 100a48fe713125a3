// Everything the module reaches outside itself, chosen once at the edge (the command, a test,
// the COM server) and handed to the module.
#pragma once

#include "platform/automation.hpp"
#include "platform/clock.hpp"
#include "platform/filesystem.hpp"
#include "platform/registry.hpp"
#include "platform/windows.hpp"

namespace platform {

struct Platform {
  Windows& windows;
  Registry& registry;
  FileSystem& files;
  Automation& automation;
  Clock& clock;
};

}  // namespace platform
