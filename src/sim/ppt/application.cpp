#include <algorithm>
#include <memory>

#include "sim/ppt/host.hpp"
#include "sim/ppt/objects.hpp"

namespace sim::ppt {
namespace {

// PowerPoint's ppWindowState values.
constexpr int ppWindowNormal = 1;
constexpr int ppWindowMinimized = 2;
constexpr int ppWindowMaximized = 3;

class ApplicationObject : public ProcessObject {
 public:
  using ProcessObject::ProcessObject;
  std::string TypeName() const override { return "Application"; }
  /// One Application per process: every reference to it is the same object.
  const void* Identity() const override { return &process(); }

 protected:
  const MemberTable& Members() const override {
    using M = MembersOf<ApplicationObject>;
    static const MemberTable table({
        M::Property("Name",
                    [](ApplicationObject&, const CallArgs&) { return vb::Variant("Microsoft PowerPoint"); }),
        M::Property("Version", [](ApplicationObject&, const CallArgs&) { return vb::Variant("11.0"); }),
        M::Property(
            "Visible",
            [](ApplicationObject& self, const CallArgs&) {
              return TriState(self.process().host->MainWindowVisible());
            },
            [](ApplicationObject& self, const CallArgs& args) {
              self.process().host->SetMainWindowVisible(args.value().ToBool());
            }),
        M::Property(
            "WindowState",
            [](ApplicationObject& self, const CallArgs&) {
              return vb::Variant(std::int32_t{self.process().host->MainWindowState()});
            },
            [](ApplicationObject& self, const CallArgs& args) {
              const auto state = args.value().ToLong();
              if (state != ppWindowNormal && state != ppWindowMinimized && state != ppWindowMaximized)
                RaisePowerPoint("Application.WindowState : Invalid enumeration value.");
              self.process().host->SetMainWindowState(state);
            }),
        M::Property(
            "ShowStartupDialog",
            [](ApplicationObject& self, const CallArgs&) {
              return TriState(self.process().show_startup_dialog);
            },
            [](ApplicationObject& self, const CallArgs& args) {
              self.process().show_startup_dialog = args.value().ToBool();
            }),
        M::Property("Presentations",
                    [](ApplicationObject& self, const CallArgs&) {
                      return vb::Variant(MakePresentations(self.process_ref()));
                    }),
        M::Property("ActivePresentation",
                    [](ApplicationObject& self, const CallArgs&) {
                      return vb::Variant(
                          MakePresentation(self.process_ref(), ActiveDocument(self.process())));
                    }),
        M::Property("ActiveWindow",
                    [](ApplicationObject& self, const CallArgs&) {
                      return vb::Variant(
                          MakeDocumentWindow(self.process_ref(), ActiveWindow(self.process())));
                    }),
        M::Property("Windows",
                    [](ApplicationObject& self, const CallArgs&) {
                      return vb::Variant(MakeDocumentWindows(self.process_ref(), nullptr));
                    }),
        M::Property("CommandBars",
                    [](ApplicationObject& self, const CallArgs&) {
                      return vb::Variant(MakeCommandBars(self.process_ref()));
                    }),
        M::Procedure("Quit",
                     [](ApplicationObject& self, const CallArgs& args) {
                       args.Expect(0);
                       // Presentations close without saving, then the process ends.
                       auto open = self.process().presentations;
                       for (auto& document : open) self.process().Close(document);
                       if (self.context() && self.context()->gate) self.context()->gate->EndProcess();
                     }),
    });
    return table;
  }
};

}  // namespace

std::shared_ptr<Window> Process::OpenWindow(const std::shared_ptr<Document>& document) {
  auto window = std::make_shared<Window>();
  window->document = document;
  const auto& view = document->model->view;
  window->view_type = view.view_type;
  if (view.view_type == pp::ppViewSlideMaster || view.view_type == pp::ppViewTitleMaster) {
    window->view_type = pp::ppViewNormal;
    window->master_view = view.view_type;
  } else if (view.view_type == pp::ppViewSlide || view.view_type == pp::ppViewOutline ||
             view.view_type == pp::ppViewThumbnails || view.view_type == pp::ppViewMasterThumbnails) {
    window->view_type = pp::ppViewNormal;
  }
  window->outline = view.outline;
  window->active_pane = window->view_type == pp::ppViewNormal ? view.active_pane : 1;
  if (window->master_view) window->active_pane = 2;
  const auto& slides = document->model->slides;
  if (!slides.empty()) {
    const std::size_t index =
        std::clamp<std::size_t>(static_cast<std::size_t>(view.current_slide), 1, slides.size());
    window->current_slide_id = slides[index - 1]->id;
  }
  window->zoom = view.zoom;
  windows.push_back(window);
  active_window = window;
  return window;
}

void Process::Close(const std::shared_ptr<Document>& document) {
  document->open = false;
  std::erase(presentations, document);
  for (auto& window : windows)
    if (window->document == document) window->open = false;
  std::erase_if(windows, [&](const std::shared_ptr<Window>& window) { return window->document == document; });
  if (active_window && !active_window->open) active_window = windows.empty() ? nullptr : windows.back();
}

void Process::Activate(const std::shared_ptr<Window>& window) {
  active_window = window;
}

std::vector<std::shared_ptr<Window>> Process::WindowsOf(const Document& document) const {
  std::vector<std::shared_ptr<Window>> result;
  for (const auto& window : windows)
    if (window->document.get() == &document) result.push_back(window);
  return result;
}

vb::ObjectRef CreateApplicationOn(std::shared_ptr<Context> context, std::shared_ptr<Host> host) {
  auto process = std::make_shared<Process>();
  process->context = std::move(context);
  process->host = std::move(host);
  process->command_bars = InitialCommandBars();
  return std::make_shared<ApplicationObject>(process);
}

}  // namespace sim::ppt
