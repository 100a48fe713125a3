// The Application object of a simulated PowerPoint 2003 process.
#pragma once

#include <memory>

#include "sim/ppt/object.hpp"

namespace sim::ppt {

/// Creates the Application object of a new PowerPoint process: no presentation open, the
/// command bars in their initial arrangement. The context's gate, desktop and process are set.
vb::ObjectRef CreateApplication(std::shared_ptr<Context> context);

}  // namespace sim::ppt
