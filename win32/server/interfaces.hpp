// The declarations widl generates from both type libraries, in one place. K60418's class
// ComplementInfo and the host's interface ComplementInfo share a name: the class's C++ declaration
// is renamed here (only its CLSID is used), the interface keeps its name. The host's header comes
// first, so AbstractModule's Complement hands back the host-side ComplementInfo.
#pragma once

// clang-format off
#include <windows.h>
#include <oaidl.h>
#include "ContratHote.h"
#define ComplementInfo K60418ComplementInfoClass
#include "K60418.h"
#undef ComplementInfo
// clang-format on
