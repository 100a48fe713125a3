// The names a scenario may start a path with, and the Sim. and Host. members it may use.
// Names are compared without case, as VBA compares them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/ast.hpp"

namespace scenario {

/// ASCII case-insensitive equality, as VBA compares names.
bool SameName(std::string_view a, std::string_view b);

/// A Sim. member: an event (a statement that changes the desktop) or a value read in expressions,
/// with the number of arguments it takes.
struct SimMember {
  std::string name;
  bool event = false;
  int minimum_arguments = 0;
  int maximum_arguments = 0;
  /// How the arguments read, for messages ("\"title\", \"owner title\"").
  std::string usage;
};

/// All Sim. members, events first.
const std::vector<SimMember>& SimMembers();
const SimMember* FindSimMember(std::string_view name);

/// The host's variables and switches reachable as Host.<name>, in their canonical spelling.
const std::vector<std::string>& HostMembers();
const std::string* FindHostMember(std::string_view name);

/// The VBA globals of PowerPoint a learner's statement can start with.
const std::vector<std::string>& PowerPointGlobals();
/// The members of the module the host reads (ErreurGenerale, CauseErreur, BravoNuance, Complement).
const std::vector<std::string>& VerdictMembers();
/// The functions of the language: RGB, Array, Chr.
const std::vector<std::string>& Functions();

/// The value of a PowerPoint or Office constant by name (case-insensitive), if there is one.
std::optional<vb::Variant> FindConstant(std::string_view name);

/// What a path's first name refers to; nullopt for a name the language does not know.
std::optional<RootKind> ClassifyRoot(std::string_view name);

/// The candidates nearest to a misspelt name (case ignored): those at the smallest number of
/// edits from it (a swap of two neighbours is one), if that is at most one in four of its
/// letters; at most `limit`.
std::vector<std::string> NearestNames(std::string_view name, const std::vector<std::string>& candidates,
                                      std::size_t limit = 3);

/// "did you mean `A`?" / "did you mean `A` or `B`?", or "" when there is none.
std::string DidYouMean(const std::vector<std::string>& names);

/// The canonical spelling of a known name (for traces): "activepresentation" → "ActivePresentation".
std::string CanonicalName(std::string_view name);

}  // namespace scenario
