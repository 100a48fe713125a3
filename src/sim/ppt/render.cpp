#include "sim/ppt/render.hpp"

#include <cstdio>
#include <initializer_list>
#include <sstream>
#include <utility>

#include "sim/ppt/file_format.hpp"

namespace sim::ppt {
namespace {

// A size or position as PowerPoint shows it: two decimals at most, trailing zeros dropped
// (90.018005 → 90.02, 720 → 720).
std::string Size(float value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(value));
  std::string text = buffer;
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text == "-0" ? "0" : text;
}

// "9 (normal)": an enumeration's value with its name, or the value alone for one without.
std::string Named(int value, std::initializer_list<std::pair<int, const char*>> names) {
  for (const auto& [number, name] : names) {
    if (number == value) return std::to_string(value) + " (" + name + ")";
  }
  return std::to_string(value);
}

std::string ViewName(int view) {
  return Named(view, {{1, "slide"},
                      {2, "slide master"},
                      {3, "notes page"},
                      {4, "handout master"},
                      {5, "title master"},
                      {6, "outline"},
                      {7, "slide sorter"},
                      {8, "notes master"},
                      {9, "normal"},
                      {10, "print preview"},
                      {11, "thumbnails"},
                      {12, "master thumbnails"}});
}

std::string PlaceholderName(int type) {
  return Named(type, {{1, "title"},
                      {2, "body"},
                      {3, "centred title"},
                      {4, "subtitle"},
                      {5, "vertical title"},
                      {6, "vertical body"},
                      {7, "object"},
                      {8, "chart"},
                      {9, "bitmap"},
                      {10, "media clip"},
                      {11, "org chart"},
                      {12, "table"},
                      {13, "slide number"},
                      {14, "header"},
                      {15, "footer"},
                      {16, "date"},
                      {17, "vertical object"},
                      {18, "picture"}});
}

std::string LayoutName(int layout) {
  return Named(layout, {{1, "title"},
                        {2, "text"},
                        {3, "two-column text"},
                        {4, "table"},
                        {5, "text and chart"},
                        {6, "chart and text"},
                        {7, "org chart"},
                        {8, "chart"},
                        {9, "text and clip art"},
                        {10, "clip art and text"},
                        {11, "title only"},
                        {12, "blank"},
                        {13, "text and object"},
                        {14, "object and text"},
                        {15, "large object"},
                        {16, "object"},
                        {17, "text and media clip"},
                        {18, "media clip and text"},
                        {19, "object over text"},
                        {20, "text over object"},
                        {21, "text and two objects"},
                        {22, "two objects and text"},
                        {23, "two objects over text"},
                        {24, "four objects"},
                        {25, "vertical text"},
                        {26, "clip art and vertical text"},
                        {27, "vertical title and text"},
                        {28, "vertical title and text over chart"},
                        {29, "two objects"},
                        {30, "object and two objects"},
                        {31, "two objects and object"}});
}

std::string ShapeTypeName(int type) {
  return Named(type, {{1, "autoshape"},
                      {2, "callout"},
                      {3, "chart"},
                      {4, "comment"},
                      {5, "freeform"},
                      {6, "group"},
                      {7, "embedded object"},
                      {8, "form control"},
                      {9, "line"},
                      {10, "linked object"},
                      {11, "linked picture"},
                      {12, "OLE control"},
                      {13, "picture"},
                      {14, "placeholder"},
                      {15, "WordArt"},
                      {16, "media"},
                      {17, "text box"},
                      {18, "script anchor"},
                      {19, "table"}});
}

std::string PaneName(int pane) {
  return Named(pane, {{1, "outline or thumbnails"}, {2, "slide"}, {3, "notes"}});
}

std::string OutputName(int output) {
  return Named(output, {{1, "slides"},
                        {2, "two-slide handouts"},
                        {3, "three-slide handouts"},
                        {4, "six-slide handouts"},
                        {5, "notes pages"},
                        {6, "outline"},
                        {7, "build slides"},
                        {8, "four-slide handouts"},
                        {9, "nine-slide handouts"},
                        {10, "one-slide handouts"}});
}

std::string RangeName(int range) {
  return Named(range, {{1, "all"}, {2, "selection"}, {3, "current"}, {4, "slide range"}, {5, "named show"}});
}

std::string Quote(const std::string& text) {
  return "\"" + text + "\"";
}

std::string FillText(const doc::Fill& fill) {
  static const char* const kTypes[] = {"?",        "solid",      "patterned", "gradient",
                                       "textured", "background", "picture"};
  std::string out = (fill.type >= 1 && fill.type <= 6) ? kTypes[fill.type] : "mixed";
  out += " " + RgbToHex(fill.fore_color);
  if (fill.type == pp::msoFillGradient || fill.type == pp::msoFillPatterned)
    out += "/" + RgbToHex(fill.back_color);
  if (fill.type == pp::msoFillTextured && fill.preset_texture != pp::msoPresetTextureMixed)
    out += " texture " + std::to_string(fill.preset_texture);
  if (!fill.picture.empty()) out += " " + Quote(fill.picture);
  if (!fill.visible) out += " (hidden)";
  return out;
}

std::string SchemeText(const doc::ColorScheme& scheme) {
  std::string out;
  for (std::size_t i = 0; i < scheme.colors.size(); ++i) out += (i ? " " : "") + RgbToHex(scheme.colors[i]);
  return out;
}

void Tags(std::ostringstream& out, const doc::Tags& tags, const std::string& indent) {
  for (const auto& tag : tags.items) out << indent << "tag " << tag.name << " = " << Quote(tag.value) << "\n";
}

void HeadersFooters(std::ostringstream& out, const doc::HeadersFooters& hf, const std::string& indent) {
  const auto zone = [&](const char* name, const doc::HeaderFooter& z) {
    if (z.visible || !z.text.empty())
      out << indent << name << (z.visible ? " shown" : " hidden")
          << (z.text.empty() ? "" : " " + Quote(z.text)) << "\n";
  };
  zone("date and time", hf.date_and_time);
  zone("slide number", hf.slide_number);
  zone("header", hf.header);
  zone("footer", hf.footer);
}

void Shapes(std::ostringstream& out, const doc::ShapeList& shapes, const std::string& indent) {
  for (std::size_t i = 0; i < shapes.size(); ++i) {
    const auto& shape = *shapes[i];
    out << indent << "shape " << i + 1 << " " << Quote(shape.name) << " type " << ShapeTypeName(shape.type);
    if (shape.placeholder_type) out << ", placeholder " << PlaceholderName(shape.placeholder_type);
    if (shape.type == pp::msoAutoShape) out << ", autoshape " << shape.auto_shape_type;
    out << ", at " << Size(shape.left) << ", " << Size(shape.top) << ", size " << Size(shape.width) << " × "
        << Size(shape.height);
    if (shape.rotation != 0) out << ", rotated " << Size(shape.rotation) << "°";
    out << "\n";
    if (shape.fill.visible) out << indent << "  fill " << FillText(shape.fill) << "\n";
    Tags(out, shape.tags, indent + "  ");
    if (shape.has_text_frame) out << RenderText(shape.text, indent + "  ");
    Shapes(out, shape.group_items, indent + "  ");
  }
}

void MasterText(std::ostringstream& out, const char* title, const doc::Master& master,
                const std::string& indent) {
  out << indent << title << " " << Quote(master.name) << " " << Size(master.width) << " × "
      << Size(master.height) << "\n";
  out << indent << "  background " << FillText(master.background) << "\n";
  out << indent << "  colour scheme " << SchemeText(master.color_scheme) << "\n";
  HeadersFooters(out, master.headers_footers, indent + "  ");
  Shapes(out, master.shapes, indent + "  ");
}

void SlideText(std::ostringstream& out, const doc::Presentation& p, std::size_t i) {
  const auto& slide = *p.slides[i];
  std::string design = "?";
  for (const auto& candidate : p.designs)
    if (candidate == slide.design) design = candidate->name;
  out << "slide " << i + 1 << " (id " << slide.id << "), layout " << LayoutName(slide.layout) << ", design "
      << Quote(design) << "\n";
  out << "  colour scheme " << SchemeText(slide.color_scheme) << "\n";
  out << "  background "
      << (slide.follow_master_background ? "follows the master" : FillText(slide.background)) << "\n";
  HeadersFooters(out, slide.headers_footers, "  ");
  Tags(out, slide.tags, "  ");
  Shapes(out, slide.shapes, "  ");
}

}  // namespace

std::string RenderPresentation(const doc::Presentation& p) {
  std::ostringstream out;
  out << "template name " << Quote(p.template_name) << "\n";
  if (!p.declared_template_name.empty())
    out << "declared template name " << Quote(p.declared_template_name) << "\n";
  const auto& d = p.properties;
  out << "properties: title " << Quote(d.title) << ", author " << Quote(d.author) << ", template "
      << Quote(d.template_) << ", created " << (d.creation_date ? d.creation_date->ToIso() : "-")
      << ", saved " << (d.last_save_time ? d.last_save_time->ToIso() : "never") << "\n";
  const auto& s = p.page_setup;
  out << "page setup: " << Quote(doc::SlideSizeFormatName(s.slide_size)) << " " << Size(s.slide_width)
      << " × " << Size(s.slide_height) << ", slides " << (s.slide_orientation == 1 ? "landscape" : "portrait")
      << ", notes " << (s.notes_orientation == 1 ? "landscape" : "portrait") << "\n";
  out << "print: output " << OutputName(p.print_options.output_type) << ", range "
      << RangeName(p.print_options.range_type) << "\n";
  out << "view " << ViewName(p.view.view_type) << ", pane " << PaneName(p.view.active_pane) << ", slide "
      << p.view.current_slide << ", zoom " << p.view.zoom << "%\n";
  for (std::size_t i = 0; i < p.color_schemes.size(); ++i)
    out << "standard scheme " << i + 1 << ": " << SchemeText(*p.color_schemes[i]) << "\n";
  for (std::size_t i = 0; i < p.designs.size(); ++i) {
    const auto& design = *p.designs[i];
    out << "design " << i + 1 << " " << Quote(design.name) << "\n";
    MasterText(out, "slide master", *design.slide_master, "  ");
    out << RenderRuler(doc::BodyStyleRuler(*design.slide_master), "    body style ");
    if (design.title_master) MasterText(out, "title master", *design.title_master, "  ");
  }
  if (p.notes_master) MasterText(out, "notes master", *p.notes_master, "");
  if (p.handout_master) MasterText(out, "handout master", *p.handout_master, "");
  for (std::size_t i = 0; i < p.slides.size(); ++i) SlideText(out, p, i);
  return out.str();
}

std::string RenderSlide(const doc::Presentation& presentation, std::size_t slide) {
  std::ostringstream out;
  SlideText(out, presentation, slide - 1);
  return out.str();
}

std::string RenderPresentationFile(std::string_view content) {
  return RenderPresentation(*LoadPresentation(content));
}

}  // namespace sim::ppt
