#include "sim/automation.hpp"

#include <algorithm>

#include "sim/names.hpp"
#include "vb/error.hpp"

namespace sim {
namespace {

// The automation runtime raises its errors in the caller's name, as VB's run-time does.
[[noreturn]] void CannotCreate() {
  vb::Raise(vb::errors::kCannotCreateObject);
}

}  // namespace

std::size_t Automation::ClassOf(std::string_view prog_id) const {
  for (std::size_t i = 0; i < classes_.size(); ++i) {
    const auto& ids = classes_[i].prog_ids;
    if (std::any_of(ids.begin(), ids.end(), [&](const std::string& id) { return SameName(id, prog_id); }))
      return i;
  }
  return classes_.size();
}

vb::ObjectRef Automation::GetObject(std::string_view progId) {
  const std::size_t index = ClassOf(progId);
  for (const auto& entry : running_) {
    if (entry.class_index == index) return entry.object;
  }
  CannotCreate();
}

vb::ObjectRef Automation::CreateObject(std::string_view progId) {
  const std::size_t index = ClassOf(progId);
  if (index == classes_.size()) CannotCreate();
  // The factory may register classes or instances: it runs on its own copy.
  const Factory factory = classes_[index].factory;
  vb::ObjectRef object = factory();
  if (!object) CannotCreate();
  return object;
}

void Automation::RegisterClass(std::vector<std::string> prog_ids, Factory factory) {
  classes_.push_back(Class{std::move(prog_ids), std::move(factory)});
}

void Automation::RegisterRunning(std::string_view prog_id, vb::ObjectRef object, const void* owner) {
  const std::size_t index = ClassOf(prog_id);
  if (index == classes_.size())
    vb::Raise(vb::errors::kInvalidCall, "Sim",
              "No class answers to the ProgID \"" + std::string(prog_id) + "\".");
  running_.push_back(Running{index, std::move(object), owner});
}

void Automation::Revoke(const void* owner) {
  running_.erase(std::remove_if(running_.begin(), running_.end(),
                                [&](const Running& entry) { return entry.owner == owner; }),
                 running_.end());
}

std::size_t Automation::RunningCount(std::string_view prog_id) const {
  const std::size_t index = ClassOf(prog_id);
  return static_cast<std::size_t>(std::count_if(
      running_.begin(), running_.end(), [&](const Running& entry) { return entry.class_index == index; }));
}

}  // namespace sim
