// Presentations, Presentation, and the files behind them: opening, creating, saving, closing,
// and applying design templates.
#include <algorithm>
#include <set>

#include "sim/ppt/file_format.hpp"
#include "sim/ppt/objects.hpp"

namespace sim::ppt {
namespace {

// PpSaveAsFileType values this PowerPoint writes.
constexpr int ppSaveAsPresentation = 1;
constexpr int ppSaveAsTemplate = 5;
constexpr int ppSaveAsDefault = 11;

std::string Lower(std::string text) {
  for (auto& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

/// The file name of a path (after its last backslash).
std::string FileNameOf(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

/// The folder of a path, without its trailing backslash (PowerPoint's Path).
std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

/// The extension of a file name, lower-cased with its dot (".pot"); "" when it has none.
std::string ExtensionOf(const std::string& name) {
  const auto dot = name.find_last_of('.');
  return dot == std::string::npos ? "" : Lower(name.substr(dot));
}

/// A name without its extension.
std::string StemOf(const std::string& name) {
  const auto dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

/// Keeps the window's view in the document, so that the file opens as it was left.
void RecordView(Process& process, Document& document) {
  auto windows = process.WindowsOf(document);
  if (windows.empty()) return;
  const Window& window = *windows.front();
  auto& view = document.model->view;
  view.view_type = window.master_view ? window.master_view : window.view_type;
  view.active_pane = window.active_pane;
  view.outline = window.outline;
  view.zoom = window.zoom;
  const auto& slides = document.model->slides;
  for (std::size_t i = 0; i < slides.size(); ++i)
    if (slides[i]->id == window.current_slide_id) view.current_slide = static_cast<int>(i) + 1;
}

void WriteDocument(Process& process, Document& document, const std::string& path, const std::string& caller) {
  RecordView(process, document);
  auto& properties = document.model->properties;
  const auto previous = properties.last_save_time;
  properties.last_save_time = process.host->Now();
  try {
    process.host->WriteFile(path, SavePresentation(*document.model));
  } catch (const vb::Error& error) {
    properties.last_save_time = previous;
    RaisePowerPoint(caller + " : PowerPoint can't save the file \"" + path + "\": " + error.description() +
                    ".");
  }
}

std::shared_ptr<Document> NewUntitled(Process& process, std::shared_ptr<doc::Presentation> model) {
  auto document = std::make_shared<Document>();
  document->model = std::move(model);
  document->name = "Présentation" + std::to_string(++process.untitled_count);
  document->model->properties.creation_date = process.host->Now();
  document->model->properties.last_save_time.reset();
  process.presentations.push_back(document);
  return document;
}

class PresentationsObject : public ProcessObject {
 public:
  using ProcessObject::ProcessObject;
  std::string TypeName() const override { return "Presentations"; }
  const void* Identity() const override { return &process().presentations; }

 protected:
  const MemberTable& Members() const override {
    using M = MembersOf<PresentationsObject>;
    static const MemberTable table({
        M::Property("Count",
                    [](PresentationsObject& self, const CallArgs&) {
                      return vb::Variant(static_cast<std::int32_t>(self.process().presentations.size()));
                    }),
        M::Indexed("Item",
                   [](PresentationsObject& self, const CallArgs& args) {
                     args.Expect(1, {"Index"});
                     const auto index = args.Required(0, "Index");
                     auto& list = self.process().presentations;
                     if (index.IsString()) {
                       const std::string name = Lower(index.ToString());
                       for (const auto& document : list)
                         if (Lower(document->name) == name || Lower(StemOf(document->name)) == name)
                           return vb::Variant(MakePresentation(self.process_ref(), document));
                       RaisePowerPoint("Presentations.Item : Item " + index.ToString() +
                                       " not found in the " + "Presentations collection.");
                     }
                     const long i = IndexArgument(index);
                     if (i < 1 || i > static_cast<long>(list.size()))
                       RaiseOutOfRange("Presentations.Item", i, static_cast<long>(list.size()));
                     return vb::Variant(
                         MakePresentation(self.process_ref(), list[static_cast<std::size_t>(i - 1)]));
                   }),
        M::Method("Open",
                  [](PresentationsObject& self, const CallArgs& args) {
                    args.Expect(4, {"FileName", "ReadOnly", "Untitled", "WithWindow"});
                    auto& process = self.process();
                    const std::string path = ResolvePath(process, args.Required(0, "FileName").ToString());
                    const bool read_only = args.Optional(1, "ReadOnly", false).ToBool();
                    const bool untitled = args.Optional(2, "Untitled", false).ToBool();
                    const bool with_window = args.Optional(3, "WithWindow", true).ToBool();
                    auto model = LoadFile(process, path, "Presentations.Open");
                    std::shared_ptr<Document> document;
                    if (untitled) {
                      // A new presentation made from the file: it takes the template's name as its
                      // template property, and its creation date is now.
                      const std::string file_name = FileNameOf(path);
                      const bool is_template = ExtensionOf(file_name) == ".pot";
                      model->properties.template_ =
                          !model->declared_template_name.empty() ? model->declared_template_name : file_name;
                      if (is_template) model->template_name = file_name;
                      model->declared_template_name.clear();
                      document = NewUntitled(process, model);
                    } else {
                      for (const auto& open : process.presentations) {
                        if (Lower(open->full_name) == Lower(path)) {
                          auto windows = process.WindowsOf(*open);
                          if (!windows.empty()) process.Activate(windows.front());
                          return vb::Variant(MakePresentation(self.process_ref(), open));
                        }
                      }
                      document = std::make_shared<Document>();
                      document->model = model;
                      document->full_name = path;
                      document->name = FileNameOf(path);
                      document->read_only = read_only;
                      if (!model->properties.creation_date)
                        model->properties.creation_date = process.host->Now();
                      process.presentations.push_back(document);
                    }
                    if (with_window) process.OpenWindow(document);
                    return vb::Variant(MakePresentation(self.process_ref(), document));
                  }),
        M::Method("Add",
                  [](PresentationsObject& self, const CallArgs& args) {
                    args.Expect(1, {"WithWindow"});
                    auto document = NewUntitled(self.process(), doc::MakeBlankPresentation());
                    if (args.Optional(0, "WithWindow", true).ToBool()) self.process().OpenWindow(document);
                    return vb::Variant(MakePresentation(self.process_ref(), document));
                  }),
    });
    return table;
  }
};

class PresentationObject : public DocObject {
 public:
  using DocObject::DocObject;
  std::string TypeName() const override { return "Presentation"; }
  const void* Identity() const override { return &document(); }

 protected:
  const MemberTable& Members() const override {
    using M = DocMembersOf<PresentationObject>;
    using Self = PresentationObject;
    static const MemberTable table({
        M::Property("Name",
                    [](Self& self, const CallArgs&) {
                      // A saved file's known extension is left out when Windows hides them.
                      const auto& d = self.document();
                      const std::string extension = ExtensionOf(d.name);
                      const bool known = extension == ".ppt" || extension == ".pot" || extension == ".pps";
                      if (!d.full_name.empty() && known && self.process().host->HidesKnownExtensions())
                        return vb::Variant(StemOf(d.name));
                      return vb::Variant(d.name);
                    }),
        M::Property("FullName",
                    [](Self& self, const CallArgs&) {
                      const auto& d = self.document();
                      return vb::Variant(d.full_name.empty() ? d.name : d.full_name);
                    }),
        M::Property("Path", [](Self& self,
                               const CallArgs&) { return vb::Variant(FolderOf(self.document().full_name)); }),
        M::Property("ReadOnly",
                    [](Self& self, const CallArgs&) { return TriState(self.document().read_only); }),
        M::Setting(
            "Saved", [](Self& self, const CallArgs&) { return TriState(self.document().saved); },
            [](Self& self, const CallArgs& args) { self.document().saved = args.value().ToBool(); }),
        M::Procedure("Save",
                     [](Self& self, const CallArgs& args) {
                       args.Expect(0);
                       auto& d = self.document();
                       if (d.read_only)
                         RaisePowerPoint("Presentation.Save : \"" + d.name +
                                         "\" is read-only; save it under another name.");
                       if (d.full_name.empty()) {
                         d.full_name = self.process().host->CurrentFolder() + d.name + ".ppt";
                         d.name = FileNameOf(d.full_name);
                       }
                       WriteDocument(self.process(), d, d.full_name, "Presentation.Save");
                       d.saved = true;
                     }),
        M::Procedure(
            "SaveAs",
            [](Self& self, const CallArgs& args) {
              args.Expect(3, {"FileName", "FileFormat", "EmbedTrueTypeFonts"});
              auto& d = self.document();
              std::string path = ResolvePath(self.process(), args.Required(0, "FileName").ToString());
              int format = static_cast<int>(args.Optional(1, "FileFormat", ppSaveAsDefault).ToLong());
              if (format != ppSaveAsPresentation && format != ppSaveAsTemplate && format != ppSaveAsDefault)
                RaisePowerPoint("Presentation.SaveAs : This file format is not supported.");
              if (FileNameOf(path).empty()) RaisePowerPoint("Presentation.SaveAs : Invalid file name.");
              const std::string extension = ExtensionOf(FileNameOf(path));
              if (format == ppSaveAsDefault)
                format = extension == ".pot" ? ppSaveAsTemplate : ppSaveAsPresentation;
              if (extension.empty()) path += format == ppSaveAsTemplate ? ".pot" : ".ppt";
              for (const auto& other : self.process().presentations)
                if (other.get() != &d && Lower(other->full_name) == Lower(path))
                  RaisePowerPoint("Presentation.SaveAs : PowerPoint can't save \"" + path +
                                  "\": a presentation of that name is open.");
              auto& properties = d.model->properties;
              const std::string template_before = properties.template_;
              // A design template is a template of its own: it names none.
              if (format == ppSaveAsTemplate) properties.template_.clear();
              try {
                WriteDocument(self.process(), d, path, "Presentation.SaveAs");
              } catch (...) {
                properties.template_ = template_before;
                throw;
              }
              d.full_name = path;
              d.name = FileNameOf(path);
              d.read_only = false;
              d.saved = true;
            }),
        M::Procedure("Close",
                     [](Self& self, const CallArgs& args) {
                       args.Expect(0);
                       self.process().Close(self.document_ref());
                     }),
        M::Property("TemplateName",
                    [](Self& self, const CallArgs&) { return vb::Variant(self.model().template_name); }),
        M::Procedure("ApplyTemplate",
                     [](Self& self, const CallArgs& args) {
                       args.Expect(1, {"FileName"});
                       ApplyTemplate(self.process(), self.document(), args.Required(0, "FileName").ToString(),
                                     nullptr);
                       self.Modified();
                     }),
        M::Property("Slides",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(MakeSlides(self.process_ref(), self.document_ref()));
                    }),
        M::Property("SlideMaster",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(MakeMaster(self.process_ref(), self.document_ref(),
                                                    self.model().designs.front()->slide_master));
                    }),
        M::Property("HasTitleMaster",
                    [](Self& self, const CallArgs&) {
                      return TriState(self.model().designs.front()->title_master != nullptr);
                    }),
        M::Property(
            "TitleMaster",
            [](Self& self, const CallArgs&) {
              auto master = self.model().designs.front()->title_master;
              if (!master)
                RaisePowerPoint(
                    "Presentation.TitleMaster : Invalid request.  This presentation has no title master.");
              return vb::Variant(MakeMaster(self.process_ref(), self.document_ref(), master));
            }),
        M::Method(
            "AddTitleMaster",
            [](Self& self, const CallArgs&) {
              auto& design = *self.model().designs.front();
              if (design.title_master)
                RaisePowerPoint(
                    "Presentation.AddTitleMaster : Invalid request.  The title master already exists.");
              const auto& setup = self.model().page_setup;
              design.title_master = doc::MakeDefaultMaster(doc::MasterKind::Title, setup.slide_width,
                                                           setup.slide_height, self.model().next_shape_id);
              self.Modified();
              return vb::Variant(MakeMaster(self.process_ref(), self.document_ref(), design.title_master));
            }),
        M::Property("NotesMaster",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(
                          MakeMaster(self.process_ref(), self.document_ref(), self.model().notes_master));
                    }),
        M::Property("HandoutMaster",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(
                          MakeMaster(self.process_ref(), self.document_ref(), self.model().handout_master));
                    }),
        M::Property("Designs",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(MakeDesigns(self.process_ref(), self.document_ref()));
                    }),
        M::Property("ColorSchemes",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(MakeColorSchemes(self.process_ref(), self.document_ref()));
                    }),
        M::Property("PageSetup",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(MakePageSetup(self.process_ref(), self.document_ref()));
                    }),
        M::Property("PrintOptions",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(MakePrintOptions(self.process_ref(), self.document_ref()));
                    }),
        M::Property("BuiltInDocumentProperties",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(MakeDocumentProperties(self.process_ref(), self.document_ref()));
                    }),
        M::Property("Windows",
                    [](Self& self, const CallArgs&) {
                      return vb::Variant(MakeDocumentWindows(self.process_ref(), self.document_ref()));
                    }),
        M::Method("NewWindow",
                  [](Self& self, const CallArgs&) {
                    return vb::Variant(MakeDocumentWindow(self.process_ref(),
                                                          self.process().OpenWindow(self.document_ref())));
                  }),
    });
    return table;
  }
};

}  // namespace

void DocObject::CheckAlive() const {
  if (!document_->open) RaiseGone(TypeName());
}

void RaiseGone(const std::string& type) {
  RaisePowerPoint(type + " (unknown member) : Object does not exist.");
}

long IndexArgument(const vb::Variant& value) {
  if (!value.IsNumeric() && !value.IsString()) vb::Raise(vb::errors::kTypeMismatch, "PowerPoint");
  return value.ToLong();
}

vb::ObjectRef MakePresentations(ProcessRef process) {
  return std::make_shared<PresentationsObject>(std::move(process));
}

vb::ObjectRef MakePresentation(ProcessRef process, std::shared_ptr<Document> document) {
  return std::make_shared<PresentationObject>(std::move(process), std::move(document));
}

std::shared_ptr<Document> ActiveDocument(Process& process) {
  if (!process.active_window)
    RaisePowerPoint("Application.ActivePresentation : Invalid request.  There is no active presentation.");
  return process.active_window->document;
}

std::string ResolvePath(Process& process, const std::string& file_name) {
  if (file_name.empty()) RaisePowerPoint("PowerPoint can't use an empty file name.");
  const bool absolute = (file_name.size() >= 2 && file_name[1] == ':') || file_name.front() == '\\';
  return absolute ? file_name : process.host->CurrentFolder() + file_name;
}

std::shared_ptr<doc::Presentation> LoadFile(Process& process, const std::string& path,
                                            const std::string& caller) {
  const std::string prefix = caller + " : PowerPoint can't open the file \"" + path + "\": ";
  std::string content;
  try {
    content = process.host->ReadFile(path);
  } catch (const vb::Error& error) {
    const bool missing =
        error.number() == vb::errors::kFileNotFound || error.number() == vb::errors::kPathNotFound;
    RaisePowerPoint(prefix + (missing ? std::string("the file does not exist.") : error.description() + "."));
  }
  try {
    return LoadPresentation(content);
  } catch (const FileFormatError& error) {
    RaisePowerPoint(prefix + error.what() + ".");
  }
}

void ApplyTemplate(Process& process, Document& document, const std::string& file_name,
                   const std::vector<std::shared_ptr<doc::Slide>>* slides) {
  const std::string caller = slides ? "SlideRange.ApplyTemplate" : "Presentation.ApplyTemplate";
  const std::string path = ResolvePath(process, file_name);
  auto source = LoadFile(process, path, caller);
  auto& model = *document.model;
  const auto& source_design = *source->designs.front();

  auto design = std::make_shared<doc::Design>();
  design->id = model.next_design_id++;
  design->name = StemOf(FileNameOf(path));
  design->slide_master = doc::CopyMaster(*source_design.slide_master, model.next_shape_id);
  if (source_design.title_master)
    design->title_master = doc::CopyMaster(*source_design.title_master, model.next_shape_id);

  // The slides the design goes to: all of them, or those of the range.
  std::set<const doc::Slide*> targets;
  if (slides) {
    for (const auto& slide : *slides) targets.insert(slide.get());
  } else {
    for (const auto& slide : model.slides) targets.insert(slide.get());
  }
  const bool whole = !slides || targets.size() == model.slides.size();
  for (auto& slide : model.slides) {
    if (!targets.count(slide.get())) continue;
    slide->design = design;
    slide->color_scheme = design->slide_master->color_scheme;
  }
  if (whole) {
    model.designs.clear();
    model.designs.push_back(design);
    model.color_schemes = source->color_schemes;  // the loaded file is ours alone
    model.template_name = FileNameOf(path);
  } else {
    model.designs.push_back(design);
    // A design that no slide uses any more goes.
    std::erase_if(model.designs, [&](const std::shared_ptr<doc::Design>& d) {
      return std::none_of(model.slides.begin(), model.slides.end(),
                          [&](const std::shared_ptr<doc::Slide>& s) { return s->design == d; });
    });
  }
}

}  // namespace sim::ppt
