// Document windows, their panes and views.
//
// Normal view (window view type ppViewNormal, 9) has three panes: thumbnails or outline (11 or 6),
// the slide (1) and the notes (3). Asking for the slide master (2) or the title master (8) shows
// that master in normal view: the window still reads 9, its two panes read 12 (master
// thumbnails) and 2 or 8, the master's pane active. ppViewSlide (1), ppViewOutline (6) and
// ppViewThumbnails (11) give normal view with that pane active. Slide sorter (7), notes page (3),
// print preview (10), handout master (4) and notes master (5) are views of their own, with one
// pane of that type.
#include <algorithm>

#include "sim/ppt/objects.hpp"

namespace sim::ppt {
namespace {

/// The view types of a window's panes, in order.
std::vector<int> PaneTypes(const Window& window) {
  if (window.view_type != pp::ppViewNormal) return {window.view_type};
  if (window.master_view) return {pp::ppViewMasterThumbnails, window.master_view};
  return {window.outline ? pp::ppViewOutline : pp::ppViewThumbnails, pp::ppViewSlide, pp::ppViewNotesPage};
}

/// The position of the window's current slide; 0 when the presentation has none.
int CurrentSlideIndex(const Window& window) {
  const auto& slides = window.document->model->slides;
  for (std::size_t i = 0; i < slides.size(); ++i)
    if (slides[i]->id == window.current_slide_id) return static_cast<int>(i) + 1;
  return slides.empty() ? 0 : 1;
}

/// Objects over a window: they raise once it is closed.
class WindowObject : public ProcessObject {
 public:
  WindowObject(ProcessRef process, std::shared_ptr<Window> window)
      : ProcessObject(std::move(process)), window_(std::move(window)) {}
  Window& window() const {
    if (!window_->open) RaiseGone(TypeName());
    return *window_;
  }
  const std::shared_ptr<Window>& window_ref() const { return window_; }

 private:
  std::shared_ptr<Window> window_;
};

void SetViewType(Process& process, Window& window, int type) {
  (void)process;
  switch (type) {
    case pp::ppViewNormal:
      if (window.view_type != pp::ppViewNormal || window.master_view) window.active_pane = 2;
      window.view_type = pp::ppViewNormal;
      window.master_view = 0;
      break;
    case pp::ppViewSlide:
      window.view_type = pp::ppViewNormal;
      window.master_view = 0;
      window.active_pane = 2;
      break;
    case pp::ppViewOutline:
    case pp::ppViewThumbnails:
      window.view_type = pp::ppViewNormal;
      window.master_view = 0;
      window.outline = type == pp::ppViewOutline;
      window.active_pane = 1;
      break;
    case pp::ppViewTitleMaster:
      if (!window.document->model->designs.front()->title_master)
        RaisePowerPoint("DocumentWindow.ViewType : Invalid request.  This presentation has no title master.");
      [[fallthrough]];
    case pp::ppViewSlideMaster:
      window.view_type = pp::ppViewNormal;
      window.master_view = type;
      window.active_pane = 2;
      break;
    case pp::ppViewNotesPage:
    case pp::ppViewHandoutMaster:
    case pp::ppViewNotesMaster:
    case pp::ppViewSlideSorter:
    case pp::ppViewPrintPreview:
      window.view_type = type;
      window.master_view = 0;
      window.active_pane = 1;
      break;
    default:
      RaisePowerPoint("DocumentWindow.ViewType : The specified value is out of range.");
  }
}

class PaneObject : public WindowObject {
 public:
  PaneObject(ProcessRef process, std::shared_ptr<Window> window, int index)
      : WindowObject(std::move(process), std::move(window)), index_(index) {}
  std::string TypeName() const override { return "Pane"; }

 protected:
  const MemberTable& Members() const override {
    using M = MembersOf<PaneObject>;
    static const MemberTable table({
        M::Property("ViewType",
                    [](PaneObject& self, const CallArgs&) {
                      const auto types = PaneTypes(self.window());
                      if (self.index_ > static_cast<int>(types.size())) RaiseGone("Pane");
                      return vb::Variant(std::int32_t{types[static_cast<std::size_t>(self.index_ - 1)]});
                    }),
        M::Property("Active",
                    [](PaneObject& self, const CallArgs&) {
                      return TriState(self.window().active_pane == self.index_);
                    }),
        M::Procedure("Activate",
                     [](PaneObject& self, const CallArgs&) {
                       auto& window = self.window();
                       if (self.index_ > static_cast<int>(PaneTypes(window).size())) RaiseGone("Pane");
                       window.active_pane = self.index_;
                     }),
    });
    return table;
  }

 private:
  int index_;
};

class PanesObject : public WindowObject {
 public:
  using WindowObject::WindowObject;
  std::string TypeName() const override { return "Panes"; }

 protected:
  const MemberTable& Members() const override {
    using M = MembersOf<PanesObject>;
    static const MemberTable table({
        M::Property("Count",
                    [](PanesObject& self, const CallArgs&) {
                      return vb::Variant(static_cast<std::int32_t>(PaneTypes(self.window()).size()));
                    }),
        M::Indexed("Item",
                   [](PanesObject& self, const CallArgs& args) {
                     args.Expect(1, {"Index"});
                     const long count = static_cast<long>(PaneTypes(self.window()).size());
                     const long index = IndexArgument(args.Required(0, "Index"));
                     if (index < 1 || index > count) RaiseOutOfRange("Panes.Item", index, count);
                     return Obj(std::make_shared<PaneObject>(self.process_ref(), self.window_ref(), index));
                   }),
    });
    return table;
  }
};

class ViewObject : public WindowObject {
 public:
  using WindowObject::WindowObject;
  std::string TypeName() const override { return "View"; }

 protected:
  const MemberTable& Members() const override {
    using M = MembersOf<ViewObject>;
    static const MemberTable table({
        M::Property("Type",
                    [](ViewObject& self, const CallArgs&) {
                      const auto& w = self.window();
                      return vb::Variant(std::int32_t{w.master_view ? w.master_view : w.view_type});
                    }),
        M::Property(
            "Zoom",
            [](ViewObject& self, const CallArgs&) { return vb::Variant(std::int32_t{self.window().zoom}); },
            [](ViewObject& self, const CallArgs& args) {
              const long zoom = args.value().ToLong();
              if (zoom < 10 || zoom > 400)
                RaisePowerPoint("View.Zoom : Integer out of range. " + std::to_string(zoom) +
                                " is not in the valid range of 10 to 400.");
              self.window().zoom = static_cast<int>(zoom);
            }),
        M::Procedure("GotoSlide",
                     [](ViewObject& self, const CallArgs& args) {
                       args.Expect(1, {"Index"});
                       auto& window = self.window();
                       const auto& slides = window.document->model->slides;
                       const long index = IndexArgument(args.Required(0, "Index"));
                       if (index < 1 || index > static_cast<long>(slides.size()))
                         RaiseOutOfRange("View.GotoSlide", index, static_cast<long>(slides.size()));
                       window.current_slide_id = slides[static_cast<std::size_t>(index - 1)]->id;
                     }),
        M::Property("Slide",
                    [](ViewObject& self, const CallArgs&) {
                      auto& window = self.window();
                      auto& model = *window.document->model;
                      if (window.master_view) {
                        auto& design = *model.designs.front();
                        return vb::Variant(
                            MakeMaster(self.process_ref(), window.document,
                                       window.master_view == pp::ppViewTitleMaster && design.title_master
                                           ? design.title_master
                                           : design.slide_master));
                      }
                      const int index = CurrentSlideIndex(window);
                      if (index == 0) RaisePowerPoint("View.Slide : Invalid request.  No slide is shown.");
                      return vb::Variant(MakeSlide(self.process_ref(), window.document,
                                                   model.slides[static_cast<std::size_t>(index - 1)]));
                    }),
        M::Property("PrintOptions",
                    [](ViewObject& self, const CallArgs&) {
                      return vb::Variant(MakePrintOptions(self.process_ref(), self.window().document));
                    }),
    });
    return table;
  }
};

class DocumentWindowObject : public WindowObject {
 public:
  using WindowObject::WindowObject;
  std::string TypeName() const override { return "DocumentWindow"; }
  const void* Identity() const override { return window_ref().get(); }

 protected:
  const MemberTable& Members() const override {
    using M = MembersOf<DocumentWindowObject>;
    using Self = DocumentWindowObject;
    static const MemberTable table({
        M::Property(
            "ViewType",
            [](Self& self, const CallArgs&) { return vb::Variant(std::int32_t{self.window().view_type}); },
            [](Self& self, const CallArgs& args) {
              SetViewType(self.process(), self.window(), static_cast<int>(args.value().ToLong()));
            }),
        M::Property("View",
                    [](Self& self, const CallArgs&) {
                      self.window();
                      return Obj(std::make_shared<ViewObject>(self.process_ref(), self.window_ref()));
                    }),
        M::Property("Panes",
                    [](Self& self, const CallArgs&) {
                      self.window();
                      return Obj(std::make_shared<PanesObject>(self.process_ref(), self.window_ref()));
                    }),
        M::Property("ActivePane",
                    [](Self& self, const CallArgs&) {
                      auto& window = self.window();
                      const int count = static_cast<int>(PaneTypes(window).size());
                      window.active_pane = std::clamp(window.active_pane, 1, count);
                      return Obj(std::make_shared<PaneObject>(self.process_ref(), self.window_ref(),
                                                              window.active_pane));
                    }),
        M::Property("Presentation",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(MakePresentation(self.process_ref(), self.window().document));
                    }),
        M::Property("Caption",
                    [](Self& self, const CallArgs&) { return vb::Variant(self.window().document->name); }),
        M::Property("Active",
                    [](Self& self, const CallArgs&) {
                      return TriState(self.process().active_window.get() == &self.window());
                    }),
        M::Property(
            "WindowState",
            [](Self& self, const CallArgs&) { return vb::Variant(std::int32_t{self.window().window_state}); },
            [](Self& self, const CallArgs& args) {
              const long state = args.value().ToLong();
              if (state < 1 || state > 3)
                RaisePowerPoint("DocumentWindow.WindowState : Invalid enumeration value.");
              self.window().window_state = static_cast<int>(state);
            }),
        M::Procedure("Activate",
                     [](Self& self, const CallArgs&) {
                       self.window();
                       self.process().Activate(self.window_ref());
                     }),
        M::Procedure("Close",
                     [](Self& self, const CallArgs&) {
                       auto& window = self.window();
                       auto document = window.document;
                       if (self.process().WindowsOf(*document).size() <= 1) {
                         self.process().Close(document);
                         return;
                       }
                       window.open = false;
                       auto& windows = self.process().windows;
                       std::erase(windows, self.window_ref());
                       if (self.process().active_window == self.window_ref())
                         self.process().active_window = windows.empty() ? nullptr : windows.back();
                     }),
    });
    return table;
  }
};

class DocumentWindowsObject : public ProcessObject {
 public:
  DocumentWindowsObject(ProcessRef process, std::shared_ptr<Document> only)
      : ProcessObject(std::move(process)), only_(std::move(only)) {}
  std::string TypeName() const override { return "DocumentWindows"; }

 protected:
  const MemberTable& Members() const override {
    using M = MembersOf<DocumentWindowsObject>;
    static const MemberTable table({
        M::Property("Count",
                    [](DocumentWindowsObject& self, const CallArgs&) {
                      return vb::Variant(static_cast<std::int32_t>(self.List().size()));
                    }),
        M::Indexed("Item",
                   [](DocumentWindowsObject& self, const CallArgs& args) {
                     args.Expect(1, {"Index"});
                     const auto list = self.List();
                     const long index = IndexArgument(args.Required(0, "Index"));
                     if (index < 1 || index > static_cast<long>(list.size()))
                       RaiseOutOfRange("DocumentWindows.Item", index, static_cast<long>(list.size()));
                     return vb::Variant(
                         MakeDocumentWindow(self.process_ref(), list[static_cast<std::size_t>(index - 1)]));
                   }),
    });
    return table;
  }

 private:
  std::vector<std::shared_ptr<Window>> List() const {
    if (!only_) return process().windows;
    if (!only_->open) RaiseGone("DocumentWindows");
    return process().WindowsOf(*only_);
  }
  std::shared_ptr<Document> only_;
};

}  // namespace

vb::ObjectRef MakeDocumentWindows(ProcessRef process, std::shared_ptr<Document> only) {
  return std::make_shared<DocumentWindowsObject>(std::move(process), std::move(only));
}

vb::ObjectRef MakeDocumentWindow(ProcessRef process, std::shared_ptr<Window> window) {
  return std::make_shared<DocumentWindowObject>(std::move(process), std::move(window));
}

std::shared_ptr<Window> ActiveWindow(Process& process) {
  if (!process.active_window)
    RaisePowerPoint(
        "Application.ActiveWindow : Invalid request.  There is no currently active document window.");
  return process.active_window;
}

}  // namespace sim::ppt
