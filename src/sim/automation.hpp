// The simulated automation runtime: the classes that CreateObject can start, by ProgID, and the
// running-object table that GetObject reads. ProgIDs are compared without case; a class may answer
// to several ProgIDs (versioned and version-independent), as one CLSID does on Windows.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation.hpp"

namespace sim {

class Automation : public platform::Automation {
 public:
  /// Starts a new instance of a class and gives its object (already registered as running).
  using Factory = std::function<vb::ObjectRef()>;

  /// The running instance of the class registered first; error 429 when none runs or the
  /// ProgID is unknown.
  vb::ObjectRef GetObject(std::string_view progId) override;
  /// A new instance; error 429 when the ProgID is unknown.
  vb::ObjectRef CreateObject(std::string_view progId) override;

  /// Makes a class creatable under its ProgIDs.
  void RegisterClass(std::vector<std::string> prog_ids, Factory factory);
  /// Registers a running instance of the class of `prog_id`, after those already registered;
  /// `owner` identifies the registration for Revoke.
  void RegisterRunning(std::string_view prog_id, vb::ObjectRef object, const void* owner);
  /// Removes the registrations of an owner (its process ended).
  void Revoke(const void* owner);
  /// How many instances of the class of `prog_id` are registered as running.
  std::size_t RunningCount(std::string_view prog_id) const;

 private:
  struct Class {
    std::vector<std::string> prog_ids;
    Factory factory;
  };
  struct Running {
    std::size_t class_index;
    vb::ObjectRef object;
    const void* owner;
  };
  /// The index of the class answering to a ProgID, or classes_.size() when none does.
  std::size_t ClassOf(std::string_view prog_id) const;

  std::vector<Class> classes_;
  std::vector<Running> running_;
};

}  // namespace sim
