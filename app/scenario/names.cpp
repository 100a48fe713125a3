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

std::vector<std::string> NearestNames(std::string_view name, const std::vector<std::string>& candidates,
                                      std::size_t limit) {
  // Optimal string alignment distance (a swap of two neighbours counts one), without case.
  const auto distance = [](std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
      for (std::size_t j = 1; j <= b.size(); ++j) {
        const std::size_t cost = Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1;
        d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
        if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) && Lower(a[i - 2]) == Lower(b[j - 1]))
          d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
    return d[a.size()][b.size()];
  };
  if (name.size() > 64) return {};
  const std::size_t allowed = std::max<std::size_t>(1, name.size() / 4);
  std::vector<std::pair<std::size_t, std::string>> near;
  for (const auto& candidate : candidates) {
    if (candidate.size() > 64) continue;
    const std::size_t d = distance(name, candidate);
    if (d <= allowed && !SameName(name, candidate)) near.emplace_back(d, candidate);
  }
  std::stable_sort(near.begin(), near.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> names;
  for (const auto& [d, candidate] : near) {
    // Only the nearest: a second name one edit further is noise beside the first.
    if (names.size() == limit || d > near.front().first) break;
    if (std::find(names.begin(), names.end(), candidate) == names.end()) names.push_back(candidate);
  }
  return names;
}

std::string DidYouMean(const std::vector<std::string>& names) {
  if (names.empty()) return "";
  std::string text = "did you mean ";
  for (std::size_t k = 0; k < names.size(); ++k) {
    if (k) text += k + 1 == names.size() ? " or " : ", ";
    text += "`" + names[k] + "`";
  }
  return text + "?";
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
