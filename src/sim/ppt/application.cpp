#include "sim/ppt/application.hpp"

#include <memory>

#include "sim/ppt/members.hpp"

namespace sim::ppt {
namespace {

// PowerPoint's ppWindowState values.
constexpr int ppWindowNormal = 1;
constexpr int ppWindowMinimized = 2;
constexpr int ppWindowMaximized = 3;

/// The state of one PowerPoint process that its Application and collections share.
struct ApplicationState {
  bool visible = false;
  int window_state = ppWindowNormal;
  bool show_startup_dialog = true;
};

class PresentationsObject : public SimObject {
 public:
  PresentationsObject(std::shared_ptr<Context> context, std::shared_ptr<ApplicationState> state)
      : SimObject(std::move(context)), state_(std::move(state)) {}
  std::string TypeName() const override { return "Presentations"; }

 protected:
  const MemberTable& Members() const override {
    using M = MembersOf<PresentationsObject>;
    static const MemberTable table({
        M::Property("Count",
                    [](PresentationsObject&, const CallArgs&) { return vb::Variant(std::int32_t{0}); }),
        M::Indexed("Item",
                   [](PresentationsObject&, const CallArgs& args) -> vb::Variant {
                     RaiseOutOfRange("Presentations.Item", args.Required(0, "Index").ToLong(), 0);
                   }),
    });
    return table;
  }

 private:
  std::shared_ptr<ApplicationState> state_;
};

class ApplicationObject : public SimObject {
 public:
  explicit ApplicationObject(std::shared_ptr<Context> context)
      : SimObject(std::move(context)), state_(std::make_shared<ApplicationState>()) {}
  std::string TypeName() const override { return "Application"; }

 protected:
  const MemberTable& Members() const override {
    using M = MembersOf<ApplicationObject>;
    static const MemberTable table({
        M::Property(
            "Visible",
            [](ApplicationObject& self, const CallArgs&) { return TriState(self.state_->visible); },
            [](ApplicationObject& self, const CallArgs& args) {
              self.state_->visible = args.value().ToBool();
            }),
        M::Property(
            "WindowState",
            [](ApplicationObject& self, const CallArgs&) {
              return vb::Variant(std::int32_t{self.state_->window_state});
            },
            [](ApplicationObject& self, const CallArgs& args) {
              const auto state = args.value().ToLong();
              if (state != ppWindowNormal && state != ppWindowMinimized && state != ppWindowMaximized)
                RaisePowerPoint("Application.WindowState : Invalid enumeration value.");
              self.state_->window_state = state;
            }),
        M::Property(
            "ShowStartupDialog",
            [](ApplicationObject& self, const CallArgs&) {
              return TriState(self.state_->show_startup_dialog);
            },
            [](ApplicationObject& self, const CallArgs& args) {
              self.state_->show_startup_dialog = args.value().ToBool();
            }),
        M::Property("Presentations",
                    [](ApplicationObject& self, const CallArgs&) {
                      return vb::Variant(
                          vb::ObjectRef(std::make_shared<PresentationsObject>(self.context(), self.state_)));
                    }),
        M::Procedure("Quit",
                     [](ApplicationObject& self, const CallArgs&) {
                       if (self.context() && self.context()->gate) self.context()->gate->EndProcess();
                     }),
    });
    return table;
  }

 private:
  std::shared_ptr<ApplicationState> state_;
};

}  // namespace

vb::ObjectRef CreateApplication(std::shared_ptr<Context> context) {
  return std::make_shared<ApplicationObject>(std::move(context));
}

}  // namespace sim::ppt
