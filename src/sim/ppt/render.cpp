#include "sim/ppt/render.hpp"

#include <charconv>
#include <sstream>

#include "sim/ppt/file_format.hpp"

namespace sim::ppt {
namespace {

std::string Number(float value) {
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string Quoted(const std::string& text) {
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
  if (!fill.picture.empty()) out += " " + Quoted(fill.picture);
  if (!fill.visible) out += " (hidden)";
  return out;
}

std::string SchemeText(const doc::ColorScheme& scheme) {
  std::string out;
  for (std::size_t i = 0; i < scheme.colors.size(); ++i) out += (i ? " " : "") + RgbToHex(scheme.colors[i]);
  return out;
}

void RenderTags(std::ostringstream& out, const doc::Tags& tags, const std::string& indent) {
  for (const auto& tag : tags.items)
    out << indent << "tag " << tag.name << " = " << Quoted(tag.value) << "\n";
}

void RenderHeadersFooters(std::ostringstream& out, const doc::HeadersFooters& hf, const std::string& indent) {
  auto zone = [&](const char* name, const doc::HeaderFooter& z) {
    if (z.visible || !z.text.empty())
      out << indent << name << (z.visible ? " shown" : " hidden")
          << (z.text.empty() ? "" : " " + Quoted(z.text)) << "\n";
  };
  zone("date and time", hf.date_and_time);
  zone("slide number", hf.slide_number);
  zone("header", hf.header);
  zone("footer", hf.footer);
}

void RenderShapes(std::ostringstream& out, const doc::ShapeList& shapes, const std::string& indent) {
  for (std::size_t i = 0; i < shapes.size(); ++i) {
    const auto& shape = *shapes[i];
    out << indent << "shape " << i + 1 << " " << Quoted(shape.name) << " type " << shape.type;
    if (shape.placeholder_type) out << " placeholder " << shape.placeholder_type;
    if (shape.type == pp::msoAutoShape) out << " autoshape " << shape.auto_shape_type;
    out << " at " << Number(shape.left) << "," << Number(shape.top) << " size " << Number(shape.width) << "x"
        << Number(shape.height);
    if (shape.rotation != 0) out << " rotated " << Number(shape.rotation);
    out << "\n";
    if (shape.fill.visible) out << indent << "  fill " << FillText(shape.fill) << "\n";
    RenderTags(out, shape.tags, indent + "  ");
    if (shape.has_text_frame) {
      out << RenderText(shape.text, indent + "  ");
    }
    RenderShapes(out, shape.group_items, indent + "  ");
  }
}

void RenderMaster(std::ostringstream& out, const char* title, const doc::Master& master,
                  const std::string& indent) {
  out << indent << title << " " << Quoted(master.name) << " " << Number(master.width) << "x"
      << Number(master.height) << "\n";
  out << indent << "  background " << FillText(master.background) << "\n";
  out << indent << "  colour scheme " << SchemeText(master.color_scheme) << "\n";
  RenderHeadersFooters(out, master.headers_footers, indent + "  ");
  RenderShapes(out, master.shapes, indent + "  ");
}

}  // namespace

std::string RenderPresentation(const doc::Presentation& p) {
  std::ostringstream out;
  out << "template name " << Quoted(p.template_name) << "\n";
  if (!p.declared_template_name.empty())
    out << "declared template name " << Quoted(p.declared_template_name) << "\n";
  const auto& d = p.properties;
  out << "properties: title " << Quoted(d.title) << ", author " << Quoted(d.author) << ", template "
      << Quoted(d.template_) << ", created " << (d.creation_date ? d.creation_date->ToIso() : "-")
      << ", saved " << (d.last_save_time ? d.last_save_time->ToIso() : "never") << "\n";
  const auto& s = p.page_setup;
  out << "page setup: " << Quoted(doc::SlideSizeFormatName(s.slide_size)) << " " << Number(s.slide_width)
      << "x" << Number(s.slide_height) << ", slides " << (s.slide_orientation == 1 ? "landscape" : "portrait")
      << ", notes " << (s.notes_orientation == 1 ? "landscape" : "portrait") << "\n";
  out << "print: output " << p.print_options.output_type << ", range " << p.print_options.range_type << "\n";
  out << "view " << p.view.view_type << ", pane " << p.view.active_pane << ", slide " << p.view.current_slide
      << ", zoom " << p.view.zoom << "\n";
  for (std::size_t i = 0; i < p.color_schemes.size(); ++i)
    out << "standard scheme " << i + 1 << ": " << SchemeText(*p.color_schemes[i]) << "\n";
  for (std::size_t i = 0; i < p.designs.size(); ++i) {
    const auto& design = *p.designs[i];
    out << "design " << i + 1 << " " << Quoted(design.name) << "\n";
    RenderMaster(out, "slide master", *design.slide_master, "  ");
    out << RenderRuler(doc::BodyStyleRuler(*design.slide_master), "    body style ");
    if (design.title_master) RenderMaster(out, "title master", *design.title_master, "  ");
  }
  if (p.notes_master) RenderMaster(out, "notes master", *p.notes_master, "");
  if (p.handout_master) RenderMaster(out, "handout master", *p.handout_master, "");
  for (std::size_t i = 0; i < p.slides.size(); ++i) {
    const auto& slide = *p.slides[i];
    std::string design = "?";
    for (const auto& candidate : p.designs)
      if (candidate == slide.design) design = candidate->name;
    out << "slide " << i + 1 << " (id " << slide.id << ") layout " << slide.layout << ", design "
        << Quoted(design) << "\n";
    out << "  colour scheme " << SchemeText(slide.color_scheme) << "\n";
    out << "  background "
        << (slide.follow_master_background ? "follows the master" : FillText(slide.background)) << "\n";
    RenderHeadersFooters(out, slide.headers_footers, "  ");
    RenderTags(out, slide.tags, "  ");
    RenderShapes(out, slide.shapes, "  ");
  }
  return out.str();
}

std::string RenderPresentationFile(std::string_view content) {
  return RenderPresentation(*LoadPresentation(content));
}

}  // namespace sim::ppt
