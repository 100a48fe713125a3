// One k60418::Module and the Win32 adapters it works through: user32, the registry under
// HKEY_CURRENT_USER, the disk, COM automation and the clock. Include this before <windows.h>: the
// ports' constants carry the names of its macros.
#pragma once

#include <memory>

#include "module/module.hpp"

namespace win32::server {

class Engine {
 public:
  Engine();
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  k60418::Module& module() { return *module_; }

 private:
  struct Adapters;
  std::unique_ptr<Adapters> adapters_;
  std::unique_ptr<k60418::Module> module_;
};

}  // namespace win32::server
