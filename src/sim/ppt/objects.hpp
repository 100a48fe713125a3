// The automation objects of the simulated PowerPoint, reached through these factories. Each is a
// view over the process state or a document node; two views of one node are the same object for
// VB's Is (Identity() is the node's address).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sim/ppt/members.hpp"
#include "sim/ppt/state.hpp"

namespace sim::ppt {

/// An object that belongs to the process (Presentations, windows, command bars …).
class ProcessObject : public SimObject {
 public:
  explicit ProcessObject(ProcessRef process) : SimObject(process->context), process_(std::move(process)) {}
  Process& process() const { return *process_; }
  const ProcessRef& process_ref() const { return process_; }

 private:
  ProcessRef process_;
};

/// An object that belongs to an open presentation. Its members raise once the presentation is
/// closed; a property assignment marks the presentation as modified.
class DocObject : public ProcessObject {
 public:
  DocObject(ProcessRef process, std::shared_ptr<Document> document)
      : ProcessObject(std::move(process)), document_(std::move(document)) {}
  Document& document() const { return *document_; }
  const std::shared_ptr<Document>& document_ref() const { return document_; }
  doc::Presentation& model() const { return *document_->model; }

  /// Raises PowerPoint's "Object does not exist" when the presentation was closed or, for
  /// subclasses, when the node was deleted.
  virtual void CheckAlive() const;
  /// Marks the presentation as modified (Saved False).
  void Modified() const { document_->saved = false; }

 private:
  std::shared_ptr<Document> document_;
};

/// MembersOf for document objects: every call checks that the object still exists, and every
/// property assignment marks the presentation modified.
template <class T>
struct DocMembersOf {
  using Getter = typename MembersOf<T>::Getter;
  using Putter = typename MembersOf<T>::Putter;
  static Member Property(std::string name, Getter get, Putter put = {}) {
    return MembersOf<T>::Property(std::move(name), Checked(std::move(get)), Marking(std::move(put)));
  }
  static Member Indexed(std::string name, Getter get, Putter put = {}) {
    return MembersOf<T>::Indexed(std::move(name), Checked(std::move(get)), Marking(std::move(put)));
  }
  /// A property whose assignment is no modification of the presentation (Saved, view settings).
  static Member Setting(std::string name, Getter get, Putter put) {
    return MembersOf<T>::Property(std::move(name), Checked(std::move(get)), CheckedPut(std::move(put)));
  }
  static Member Method(std::string name, Getter call) {
    return MembersOf<T>::Method(std::move(name), Checked(std::move(call)));
  }
  static Member Procedure(std::string name, std::function<void(T&, const CallArgs&)> call) {
    return MembersOf<T>::Procedure(std::move(name), [call = std::move(call)](T& self, const CallArgs& args) {
      self.CheckAlive();
      call(self, args);
    });
  }

 private:
  static Getter Checked(Getter get) {
    if (!get) return get;
    return [get = std::move(get)](T& self, const CallArgs& args) {
      self.CheckAlive();
      return get(self, args);
    };
  }
  static Putter CheckedPut(Putter put) {
    return [put = std::move(put)](T& self, const CallArgs& args) {
      self.CheckAlive();
      put(self, args);
    };
  }
  static Putter Marking(Putter put) {
    if (!put) return put;
    return [put = std::move(put)](T& self, const CallArgs& args) {
      self.CheckAlive();
      put(self, args);
      self.Modified();
    };
  }
};

/// The message of PowerPoint's error for an object that no longer exists.
[[noreturn]] void RaiseGone(const std::string& type);
/// An integer argument read as a collection index (1-based), raising 13 for a non-number.
long IndexArgument(const vb::Variant& value);
/// Wraps an object in a Variant.
template <class T>
vb::Variant Obj(std::shared_ptr<T> object) {
  return vb::Variant(vb::ObjectRef(std::move(object)));
}

// --- Factories ----------------------------------------------------------------------------------

// Presentations and files (presentation.cpp)
vb::ObjectRef MakePresentations(ProcessRef process);
vb::ObjectRef MakePresentation(ProcessRef process, std::shared_ptr<Document> document);
/// The active presentation; raises when no document window is open.
std::shared_ptr<Document> ActiveDocument(Process& process);

// Windows, panes and views (views.cpp)
vb::ObjectRef MakeDocumentWindows(ProcessRef process, std::shared_ptr<Document> only);
vb::ObjectRef MakeDocumentWindow(ProcessRef process, std::shared_ptr<Window> window);
/// The active window; raises when none is open.
std::shared_ptr<Window> ActiveWindow(Process& process);

// Slides (slides.cpp)
vb::ObjectRef MakeSlides(ProcessRef process, std::shared_ptr<Document> document);
vb::ObjectRef MakeSlide(ProcessRef process, std::shared_ptr<Document> document,
                        std::shared_ptr<doc::Slide> slide);
vb::ObjectRef MakeSlideRange(ProcessRef process, std::shared_ptr<Document> document,
                             std::vector<std::shared_ptr<doc::Slide>> slides);
/// The 1-based position of a slide in its presentation; 0 when it is no longer there.
int SlidePosition(const doc::Presentation& presentation, const doc::Slide& slide);

// Shapes (shapes.cpp). A shape list belongs to a slide or a master, kept alive by `owner`.
struct ShapeOwner {
  std::shared_ptr<void> keep_alive;
  doc::ShapeList* shapes = nullptr;
  /// The shapes' slide (for placeholders' text styles), or null on a master.
  std::shared_ptr<doc::Slide> slide;
  /// The master owning the list, or null on a slide.
  std::shared_ptr<doc::Master> master;
};
vb::ObjectRef MakeShapes(ProcessRef process, std::shared_ptr<Document> document, ShapeOwner owner);
vb::ObjectRef MakeShape(ProcessRef process, std::shared_ptr<Document> document, ShapeOwner owner,
                        std::shared_ptr<doc::Shape> shape);
vb::ObjectRef MakeShapeRange(ProcessRef process, std::shared_ptr<Document> document, ShapeOwner owner,
                             std::vector<std::shared_ptr<doc::Shape>> shapes);
vb::ObjectRef MakePlaceholderFormat(ProcessRef process, std::shared_ptr<Document> document,
                                    std::shared_ptr<doc::Shape> shape);
/// The text frame of a shape (text_frames.cpp, over the text objects).
vb::ObjectRef MakeShapeTextFrame(ProcessRef process, std::shared_ptr<Document> document, ShapeOwner owner,
                                 std::shared_ptr<doc::Shape> shape);
/// Whether a shape is still among its owner's shapes (or their group members).
bool ShapeAlive(const doc::Presentation& presentation, const ShapeOwner& owner, const doc::Shape& shape);
vb::ObjectRef MakeTags(ProcessRef process, std::shared_ptr<Document> document,
                       std::shared_ptr<doc::Tags> tags);

// Masters, designs, backgrounds, fills, colour schemes, text styles (masters.cpp)
vb::ObjectRef MakeMaster(ProcessRef process, std::shared_ptr<Document> document,
                         std::shared_ptr<doc::Master> master);
vb::ObjectRef MakeDesigns(ProcessRef process, std::shared_ptr<Document> document);
vb::ObjectRef MakeDesign(ProcessRef process, std::shared_ptr<Document> document,
                         std::shared_ptr<doc::Design> design);
/// A fill reached through a resolver, called with for_write true when the caller is about to change
/// it (a slide that follows its master's background gets a background of its own then).
using FillResolver = std::function<std::shared_ptr<doc::Fill>(bool for_write)>;
vb::ObjectRef MakeFill(ProcessRef process, std::shared_ptr<Document> document, FillResolver fill);
/// A background or a shape range: an object whose Fill is the given one.
vb::ObjectRef MakeBackground(ProcessRef process, std::shared_ptr<Document> document, FillResolver fill);
vb::ObjectRef MakeColorSchemes(ProcessRef process, std::shared_ptr<Document> document);
/// A colour scheme: a standard scheme, a slide's or a master's. A scheme read from several slides
/// that share it writes to all of them.
vb::ObjectRef MakeColorScheme(ProcessRef process, std::shared_ptr<Document> document,
                              std::vector<std::shared_ptr<doc::ColorScheme>> schemes);
/// The eight colours of a ColorScheme object (this PowerPoint's or any other), read by name.
doc::ColorScheme ColorsOf(const vb::Variant& scheme);
/// The design behind a Design object of this presentation; raises 13 for anything else.
std::shared_ptr<doc::Design> DesignOf(const Document& document, const vb::Variant& design);
/// A master's text styles (text_frames.cpp, over the text objects).
vb::ObjectRef MakeTextStyles(ProcessRef process, std::shared_ptr<Document> document,
                             std::shared_ptr<doc::Master> master);

// Page setup, print options, headers and footers, document properties (settings.cpp)
vb::ObjectRef MakePageSetup(ProcessRef process, std::shared_ptr<Document> document);
vb::ObjectRef MakePrintOptions(ProcessRef process, std::shared_ptr<Document> document);
vb::ObjectRef MakeHeadersFooters(ProcessRef process, std::shared_ptr<Document> document,
                                 std::shared_ptr<doc::HeadersFooters> headers_footers);
vb::ObjectRef MakeDocumentProperties(ProcessRef process, std::shared_ptr<Document> document);

// Command bars (command_bars.cpp)
vb::ObjectRef MakeCommandBars(ProcessRef process);

// Templates (templates.cpp)
/// Reads a presentation or template file through the host; raises PowerPoint's error naming the
/// file and why when it cannot be read.
std::shared_ptr<doc::Presentation> LoadFile(Process& process, const std::string& path,
                                            const std::string& caller);
/// Applies a design template to the whole presentation, or adds its design for some slides.
void ApplyTemplate(Process& process, Document& document, const std::string& file_name,
                   const std::vector<std::shared_ptr<doc::Slide>>* slides);
/// A file name taken against the current folder when it has no folder of its own.
std::string ResolvePath(Process& process, const std::string& file_name);

}  // namespace sim::ppt
