// The module as the player hosts it: the host's interface, and the two things the player reads
// beside it to play a scenario (the PowerPoint the module holds, the template folder it resolved).
// Two kinds exist: the core linked into the player (the default), and K60418.dll created by its
// ProgID and called through AbstractModule's vtable, as the training player binds it on Windows.
#pragma once

#include <string>

#include "module/abstract_module.hpp"
#include "vb/dispatch.hpp"

namespace player {

class HostedModule : public host::AbstractModule {
 public:
  /// The PowerPoint Application the module works with now; Nothing when it holds none. A module
  /// that cannot be asked (the DLL) answers with the host's variable as its last call left it.
  virtual vb::ObjectRef HeldApplication() = 0;
  /// The folder of the design templates the module's last InitQuestion resolved, ending with a
  /// backslash ("" before the first).
  virtual std::string TemplateFolder() = 0;
};

}  // namespace player
