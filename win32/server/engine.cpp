#include "win32/server/engine.hpp"

#include "win32/platform/clock.hpp"
#include "win32/platform/filesystem.hpp"
#include "win32/platform/registry.hpp"
#include "win32/platform/windows.hpp"
// After the ports: it brings <windows.h>.
#include "win32/dispatch/automation.hpp"

namespace win32::server {

struct Engine::Adapters {
  UserWindows windows;
  HkcuRegistry registry;
  DiskFileSystem files;
  ComAutomation automation;
  SystemClock clock;
};

Engine::Engine()
    : adapters_(std::make_unique<Adapters>()),
      module_(std::make_unique<k60418::Module>(platform::Platform{adapters_->windows, adapters_->registry,
                                                                  adapters_->files, adapters_->automation,
                                                                  adapters_->clock})) {}

Engine::~Engine() = default;

}  // namespace win32::server
