// Calls by name into the simulated PowerPoint, for the conformance tests.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>

#include "sim/clock.hpp"
#include "sim/desktop.hpp"
#include "sim/drives.hpp"
#include "vb/dispatch.hpp"
#include "vb/error.hpp"

namespace ppt_test {

template <class... T>
vb::Arguments Args(T&&... values) {
  return vb::Arguments{vb::Argument{vb::Variant(std::forward<T>(values)), {}}...};
}
inline vb::Argument Named(std::string name, vb::Variant value) {
  return vb::Argument{std::move(value), std::move(name)};
}

inline vb::Variant Get(const vb::ObjectRef& object, std::string_view member, vb::Arguments arguments = {}) {
  return object->Invoke(member, vb::CallKind::Get, arguments);
}
inline vb::ObjectRef Obj(const vb::ObjectRef& object, std::string_view member, vb::Arguments arguments = {}) {
  return Get(object, member, std::move(arguments)).ToObject();
}
inline void Put(const vb::ObjectRef& object, std::string_view member, vb::Variant value,
                vb::Arguments arguments = {}) {
  arguments.push_back({std::move(value), {}});
  object->Invoke(member, vb::CallKind::Put, arguments);
}
inline vb::Variant Call(const vb::ObjectRef& object, std::string_view member, vb::Arguments arguments = {}) {
  return object->Invoke(member, vb::CallKind::Method, arguments);
}

/// The error a statement raises; the test fails when it raises none.
inline vb::Error ErrorOf(const std::function<void()>& statement) {
  try {
    statement();
  } catch (const vb::Error& error) {
    return error;
  }
  ADD_FAILURE() << "no error was raised";
  return vb::Error(0, "", "");
}

/// A desktop with PowerPoint started and the course's Office installation in place.
struct PowerPoint {
  sim::Desktop desktop;
  vb::ObjectRef app;
  PowerPoint() : app(desktop.StartPowerPoint().application()) {}

  /// Places a course file (course/<relative>) at a path of the simulated drives.
  void Place(const std::string& relative, const std::string& path) {
    desktop.drives().PlaceHostFile(std::string(K60418_COURSE_DIR) + "/" + relative, path);
  }
  void WriteFile(const std::string& path, std::string_view bytes) { desktop.drives().WriteFile(path, bytes); }
  /// Opens a file as the module does and returns the presentation.
  vb::ObjectRef Open(const std::string& path) {
    return Call(Obj(app, "Presentations"), "Open",
                {{path, {}}, Named("ReadOnly", 0), Named("Untitled", 0), Named("WithWindow", -1)})
        .ToObject();
  }
  vb::ObjectRef Active() { return Obj(app, "ActivePresentation"); }
};

constexpr std::int32_t kPowerPointError = -2147188160;
inline const std::string kWork = "C:\\Travail\\";

/// PowerPoint with the course's first model in the working folder: placed (Files), or opened as
/// the active presentation in its window (ModelOpen).
class ModelPlaced : public ::testing::Test {
 protected:
  void SetUp() override {
    ppt.desktop.drives().MakeSureDirectoryPathExists(kWork);
    ppt.Place("models/02131201.ppt", kWork + "Cinéloisirs.ppt");
  }
  PowerPoint ppt;
};

class ModelOpen : public ModelPlaced {
 protected:
  void SetUp() override {
    ModelPlaced::SetUp();
    presentation = ppt.Open(kWork + "Cinéloisirs.ppt");
    window = Obj(ppt.app, "ActiveWindow");
  }
  vb::ObjectRef Slide(int index) { return Obj(Obj(presentation, "Slides"), "Item", Args(index)); }
  vb::ObjectRef presentation, window;
};

}  // namespace ppt_test
