#include "scenario/names.hpp"

#include <algorithm>

#include "powerpoint/constants.hpp"

namespace scenario {
namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

const std::string* FindIn(const std::vector<std::string>& names, std::string_view name) {
  for (const auto& candidate : names) {
    if (SameName(candidate, name)) return &candidate;
  }
  return nullptr;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

const std::vector<SimMember>& SimMembers() {
  static const std::vector<SimMember> kMembers = {
      {"StartPowerPoint", true, 0, 0, ""},
      {"HideWindow", true, 0, 0, ""},
      {"QuitPowerPoint", true, 0, 0, ""},
      {"Minimize", true, 0, 0, ""},
      {"Restore", true, 0, 0, ""},
      {"OpenDialog", true, 1, 2, "\"title\" [, \"owner title\"]"},
      {"OpenWindow", true, 2, 2, "\"title\", \"class\""},
      {"ShowBalloon", true, 0, 0, ""},
      {"Wait", true, 1, 1, "seconds"},
      {"FailCalls", true, 2, 2, "\"Member\", n"},
      {"SetRegistry", true, 3, 3, "\"key\", \"value name\", \"data\""},
      {"DeleteRegistry", true, 1, 2, "\"key\" [, \"value name\"]"},
      {"CopyFile", true, 2, 2, "\"from\", \"to\""},
      {"DeleteFile", true, 1, 1, "\"path\""},
      {"SetReadOnly", true, 1, 1, "\"path\""},
      {"DestroyMainWindow", true, 0, 0, ""},
      {"WorkFolder", false, 0, 0, ""},
      {"TemplateFolder", false, 0, 0, ""},
      {"DesignsFolder", false, 0, 0, ""},
      {"ContentFolder", false, 0, 0, ""},
      {"FileExists", false, 1, 1, "(\"path\")"},
      {"Registry", false, 2, 2, "(\"key\", \"value name\")"},
      {"WindowVisible", false, 0, 0, ""},
      {"PowerPointRunning", false, 0, 0, ""},
      {"WindowHandle", false, 1, 1, "(\"title\")"},
  };
  return kMembers;
}

const SimMember* FindSimMember(std::string_view name) {
  for (const auto& member : SimMembers()) {
    if (SameName(member.name, name)) return &member;
  }
  return nullptr;
}

const std::vector<std::string>& HostMembers() {
  static const std::vector<std::string> kMembers = {"Application", "Handle", "PlaceFiles"};
  return kMembers;
}

const std::string* FindHostMember(std::string_view name) {
  return FindIn(HostMembers(), name);
}

const std::vector<std::string>& PowerPointGlobals() {
  static const std::vector<std::string> kGlobals = {"Application",   "ActivePresentation", "ActiveWindow",
                                                    "Presentations", "CommandBars",        "Windows"};
  return kGlobals;
}

const std::vector<std::string>& VerdictMembers() {
  static const std::vector<std::string> kMembers = {"ErreurGenerale", "CauseErreur", "BravoNuance",
                                                    "Complement"};
  return kMembers;
}

const std::vector<std::string>& Functions() {
  static const std::vector<std::string> kFunctions = {"RGB", "Array", "Chr"};
  return kFunctions;
}

std::optional<vb::Variant> FindConstant(std::string_view name) {
  if (auto value = ppt::ConstantValue(name)) return vb::Variant(*value);
  return std::nullopt;
}

std::optional<RootKind> ClassifyRoot(std::string_view name) {
  if (FindIn(PowerPointGlobals(), name)) return RootKind::kPowerPoint;
  if (SameName(name, "Host")) return RootKind::kHost;
  if (SameName(name, "Sim")) return RootKind::kSim;
  if (SameName(name, "Error")) return RootKind::kError;
  if (FindIn(VerdictMembers(), name)) return RootKind::kVerdict;
  if (FindIn(Functions(), name)) return RootKind::kFunction;
  if (FindConstant(name)) return RootKind::kConstant;
  return std::nullopt;
}

std::string CanonicalName(std::string_view name) {
  for (const auto* list : {&PowerPointGlobals(), &VerdictMembers(), &Functions(), &HostMembers()}) {
    if (const auto* found = FindIn(*list, name)) return *found;
  }
  for (const char* word : {"Host", "Sim", "Error"}) {
    if (SameName(word, name)) return word;
  }
  if (const auto* member = FindSimMember(name)) return member->name;
  return std::string(name);
}

}  // namespace scenario
