#include "sim/ppt/file_format.hpp"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <set>

namespace sim::ppt {
namespace {

using json = nlohmann::json;

/// Deepest nesting of arrays and objects a file may have (groups of groups included).
constexpr int kMaxNesting = 48;
/// Deepest nesting of group shapes.
constexpr int kMaxGroupDepth = 8;
/// Geometry beyond this many points is refused.
constexpr float kMaxCoordinate = 1.0e6f;
constexpr std::size_t kMaxItems = 100000;

/// A field of the file that does not hold what it should.
struct FieldError : FileFormatError {
  using FileFormatError::FileFormatError;
};

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
  throw FieldError(path + ": " + why);
}

// --- Reading helpers: each names the field it reads in its error ---------------------------------

const json* Find(const json& object, const char* key) {
  auto it = object.find(key);
  return it == object.end() || it->is_null() ? nullptr : &*it;
}

void ExpectObject(const json& value, const std::string& path) {
  if (!value.is_object()) Fail(path, "expected an object");
}

// Refuses a field the format does not have at this place: a misspelt one ("txt" for "text")
// would otherwise be dropped silently and the file read as if it were not there.
void ExpectFields(const json& object, const std::string& path, std::initializer_list<const char*> known) {
  ExpectObject(object, path);
  for (const auto& item : object.items()) {
    const std::string& key = item.key();
    if (std::none_of(known.begin(), known.end(), [&](const char* name) { return key == name; })) {
      std::string fields;
      for (const char* name : known) fields += std::string(fields.empty() ? "" : ", ") + name;
      Fail(path + "." + key, "unknown field (the fields here are " + fields + ")");
    }
  }
}

const json& Array(const json& object, const char* key, const std::string& path) {
  static const json kEmpty = json::array();
  const json* value = Find(object, key);
  if (!value) return kEmpty;
  if (!value->is_array()) Fail(path + "." + key, "expected a list");
  if (value->size() > kMaxItems) Fail(path + "." + key, "too many items");
  return *value;
}

long long Integer(const json& object, const char* key, const std::string& path, long long fallback,
                  long long min, long long max) {
  const json* value = Find(object, key);
  if (!value) return fallback;
  long long result = 0;
  if (value->is_number_integer()) {
    if (value->is_number_unsigned() &&
        value->get<unsigned long long>() > static_cast<unsigned long long>(max))
      Fail(path + "." + key, "out of range");
    result = value->get<long long>();
  } else {
    Fail(path + "." + key, "expected a whole number");
  }
  if (result < min || result > max)
    Fail(path + "." + key,
         std::to_string(result) + " is not between " + std::to_string(min) + " and " + std::to_string(max));
  return result;
}

int Int(const json& object, const char* key, const std::string& path, int fallback, int min, int max) {
  return static_cast<int>(Integer(object, key, path, fallback, min, max));
}

float Float(const json& object, const char* key, const std::string& path, float fallback,
            float limit = kMaxCoordinate) {
  const json* value = Find(object, key);
  if (!value) return fallback;
  if (!value->is_number()) Fail(path + "." + key, "expected a number");
  const double number = value->get<double>();
  if (!std::isfinite(number) || std::fabs(number) > limit) Fail(path + "." + key, "out of range");
  return static_cast<float>(number);
}

bool Bool(const json& object, const char* key, const std::string& path, bool fallback) {
  const json* value = Find(object, key);
  if (!value) return fallback;
  if (!value->is_boolean()) Fail(path + "." + key, "expected true or false");
  return value->get<bool>();
}

std::string String(const json& object, const char* key, const std::string& path,
                   const std::string& fallback = "") {
  const json* value = Find(object, key);
  if (!value) return fallback;
  if (!value->is_string()) Fail(path + "." + key, "expected a text");
  return value->get<std::string>();
}

std::int32_t Color(const json& value, const std::string& path) {
  if (value.is_string()) {
    try {
      return RgbFromHex(value.get<std::string>(), path);
    } catch (const std::invalid_argument& error) {
      Fail(path, error.what());
    }
  }
  if (value.is_number_integer()) {
    const long long rgb = value.get<long long>();
    if (rgb < 0 || rgb > 0xFFFFFF) Fail(path, "not an RGB colour");
    return static_cast<std::int32_t>(rgb);
  }
  Fail(path, "expected a colour (\"#RRGGBB\")");
}

std::int32_t ColorField(const json& object, const char* key, const std::string& path, std::int32_t fallback) {
  const json* value = Find(object, key);
  return value ? Color(*value, path + "." + key) : fallback;
}

std::optional<vb::Date> DateField(const json& object, const char* key, const std::string& path) {
  const json* value = Find(object, key);
  if (!value) return std::nullopt;
  vb::Date date;
  if (!value->is_string() || !vb::Date::FromIso(value->get<std::string>(), date))
    Fail(path + "." + key, "expected a date \"YYYY-MM-DD hh:mm:ss\"");
  return date;
}

// The nesting depth of a JSON text, found without parsing it, so that a hostile file cannot make
// the parser or the destruction of its tree recurse without bound.
bool NestingWithin(std::string_view text, int limit) {
  int depth = 0;
  bool in_string = false, escaped = false;
  for (char c : text) {
    if (in_string) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        in_string = false;
      }
      continue;
    }
    if (c == '"') {
      in_string = true;
    } else if (c == '[' || c == '{') {
      if (++depth > limit) return false;
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return true;
}

// --- Writing -------------------------------------------------------------------------------------

json SaveFill(const doc::Fill& fill) {
  json j = {{"type", fill.type},
            {"fore_color", RgbToHex(fill.fore_color)},
            {"back_color", RgbToHex(fill.back_color)},
            {"visible", fill.visible}};
  if (fill.preset_texture != pp::msoPresetTextureMixed) j["preset_texture"] = fill.preset_texture;
  if (!fill.picture.empty()) j["picture"] = fill.picture;
  return j;
}

json SaveTags(const doc::Tags& tags) {
  json j = json::array();
  for (const auto& tag : tags.items) j.push_back(json::array({tag.name, tag.value}));
  return j;
}

json SaveScheme(const doc::ColorScheme& scheme) {
  json j = json::array();
  for (auto color : scheme.colors) j.push_back(RgbToHex(color));
  return j;
}

json SaveHeadersFooters(const doc::HeadersFooters& hf) {
  auto zone = [](const doc::HeaderFooter& z) { return json{{"visible", z.visible}, {"text", z.text}}; };
  return json{{"date_and_time", zone(hf.date_and_time)},
              {"slide_number", zone(hf.slide_number)},
              {"header", zone(hf.header)},
              {"footer", zone(hf.footer)}};
}

json SaveShape(const doc::Shape& shape) {
  json j = {{"id", shape.id},
            {"name", shape.name},
            {"type", shape.type},
            {"auto_shape_type", shape.auto_shape_type},
            {"left", shape.left},
            {"top", shape.top},
            {"width", shape.width},
            {"height", shape.height},
            {"rotation", shape.rotation},
            {"fill", SaveFill(shape.fill)}};
  if (shape.placeholder_type) j["placeholder"] = shape.placeholder_type;
  if (!shape.tags.items.empty()) j["tags"] = SaveTags(shape.tags);
  if (shape.has_text_frame) j["text"] = shape.text;
  if (!shape.group_items.empty()) {
    j["items"] = json::array();
    for (const auto& item : shape.group_items) j["items"].push_back(SaveShape(*item));
  }
  return j;
}

json SaveShapes(const doc::ShapeList& shapes) {
  json j = json::array();
  for (const auto& shape : shapes) j.push_back(SaveShape(*shape));
  return j;
}

json SaveTextStyle(const doc::TextStyle& style) {
  json levels = json::array();
  for (std::size_t i = 0; i < 5; ++i)
    levels.push_back(json{{"paragraph", style.levels[i]}, {"font", style.fonts[i]}});
  return json{{"ruler", style.ruler}, {"levels", levels}};
}

json SaveMaster(const doc::Master& master) {
  return json{{"name", master.name},
              {"width", master.width},
              {"height", master.height},
              {"background", SaveFill(master.background)},
              {"color_scheme", SaveScheme(master.color_scheme)},
              {"headers_footers", SaveHeadersFooters(master.headers_footers)},
              {"text_styles",
               {{"default", SaveTextStyle(master.text_styles.default_style)},
                {"title", SaveTextStyle(master.text_styles.title)},
                {"body", SaveTextStyle(master.text_styles.body)}}},
              {"shapes", SaveShapes(master.shapes)}};
}

// --- Reading -------------------------------------------------------------------------------------

doc::Fill LoadFill(const json& j, const std::string& path) {
  ExpectFields(j, path, {"type", "fore_color", "back_color", "preset_texture", "picture", "visible"});
  doc::Fill fill;
  fill.type = Int(j, "type", path, fill.type, -2, 6);
  fill.fore_color = ColorField(j, "fore_color", path, fill.fore_color);
  fill.back_color = ColorField(j, "back_color", path, fill.back_color);
  fill.preset_texture = Int(j, "preset_texture", path, fill.preset_texture, -2, pp::msoTextureLast);
  fill.picture = String(j, "picture", path);
  fill.visible = Bool(j, "visible", path, fill.visible);
  return fill;
}

doc::Tags LoadTags(const json& object, const std::string& path) {
  doc::Tags tags;
  const json& list = Array(object, "tags", path);
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string at = path + ".tags[" + std::to_string(i) + "]";
    const json& pair = list[i];
    if (!pair.is_array() || pair.size() != 2 || !pair[0].is_string() || !pair[1].is_string())
      Fail(at, "expected [\"NAME\", \"value\"]");
    if (pair[0].get<std::string>().empty()) Fail(at, "a tag needs a name");
    tags.Add(pair[0].get<std::string>(), pair[1].get<std::string>());
  }
  return tags;
}

doc::ColorScheme LoadScheme(const json& j, const std::string& path) {
  if (!j.is_array() || j.size() != 8) Fail(path, "expected a list of eight colours");
  doc::ColorScheme scheme;
  for (std::size_t i = 0; i < 8; ++i) scheme.colors[i] = Color(j[i], path + "[" + std::to_string(i) + "]");
  return scheme;
}

doc::HeadersFooters LoadHeadersFooters(const json& object, const std::string& path) {
  doc::HeadersFooters hf;
  const json* j = Find(object, "headers_footers");
  if (!j) return hf;
  const std::string at = path + ".headers_footers";
  ExpectFields(*j, at, {"date_and_time", "slide_number", "header", "footer"});
  auto zone = [&](const char* key, doc::HeaderFooter& z) {
    const json* value = Find(*j, key);
    if (!value) return;
    ExpectFields(*value, at + "." + key, {"visible", "text"});
    z.visible = Bool(*value, "visible", at + "." + key, z.visible);
    z.text = String(*value, "text", at + "." + key);
  };
  zone("date_and_time", hf.date_and_time);
  zone("slide_number", hf.slide_number);
  zone("header", hf.header);
  zone("footer", hf.footer);
  return hf;
}

std::shared_ptr<doc::Shape> LoadShape(const json& j, const std::string& path, int depth) {
  ExpectFields(j, path,
               {"id", "name", "type", "placeholder", "auto_shape_type", "left", "top", "width", "height",
                "rotation", "fill", "tags", "text", "items"});
  if (depth > kMaxGroupDepth) Fail(path, "groups nested too deeply");
  auto shape = std::make_shared<doc::Shape>();
  shape->id = Int(j, "id", path, 0, 0, 1 << 30);
  shape->name = String(j, "name", path);
  shape->placeholder_type = Int(j, "placeholder", path, 0, 0, 30);
  shape->type = Int(j, "type", path, shape->placeholder_type ? pp::msoPlaceholder : pp::msoAutoShape, 1, 30);
  shape->auto_shape_type = Int(j, "auto_shape_type", path, shape->auto_shape_type, -2, 200);
  shape->left = Float(j, "left", path, 0);
  shape->top = Float(j, "top", path, 0);
  shape->width = Float(j, "width", path, 0);
  shape->height = Float(j, "height", path, 0);
  shape->rotation = Float(j, "rotation", path, 0, 360);
  if (const json* fill = Find(j, "fill")) shape->fill = LoadFill(*fill, path + ".fill");
  shape->tags = LoadTags(j, path);
  if (const json* text = Find(j, "text")) {
    shape->has_text_frame = true;
    try {
      shape->text = BodyFromJson(*text, path + ".text");
    } catch (const std::exception& error) {
      throw FieldError(error.what());
    }
  }
  const json& items = Array(j, "items", path);
  for (std::size_t i = 0; i < items.size(); ++i)
    shape->group_items.push_back(LoadShape(items[i], path + ".items[" + std::to_string(i) + "]", depth + 1));
  if (!shape->group_items.empty()) {
    shape->type = pp::msoGroup;
    shape->auto_shape_type = pp::msoShapeMixed;
  }
  return shape;
}

doc::ShapeList LoadShapes(const json& object, const std::string& path) {
  doc::ShapeList shapes;
  const json& list = Array(object, "shapes", path);
  for (std::size_t i = 0; i < list.size(); ++i)
    shapes.push_back(LoadShape(list[i], path + ".shapes[" + std::to_string(i) + "]", 0));
  return shapes;
}

doc::TextStyle LoadTextStyle(const json& j, const std::string& path, const doc::TextStyle& fallback) {
  ExpectFields(j, path, {"ruler", "levels"});
  doc::TextStyle style = fallback;
  try {
    if (const json* ruler = Find(j, "ruler")) style.ruler = RulerFromJson(*ruler, path + ".ruler");
    const json& levels = Array(j, "levels", path);
    if (!levels.empty() && levels.size() != 5) Fail(path + ".levels", "expected five levels");
    for (std::size_t i = 0; i < levels.size(); ++i) {
      const std::string at = path + ".levels[" + std::to_string(i) + "]";
      ExpectFields(levels[i], at, {"paragraph", "font"});
      if (const json* p = Find(levels[i], "paragraph"))
        style.levels[i] = ParagraphFormatFromJson(*p, at + ".paragraph");
      if (const json* f = Find(levels[i], "font")) style.fonts[i] = FontFromJson(*f, at + ".font");
    }
  } catch (const FileFormatError&) {
    throw;
  } catch (const std::exception& error) {
    throw FieldError(error.what());
  }
  return style;
}

std::shared_ptr<doc::Master> LoadMaster(const json& j, const std::string& path, doc::MasterKind kind) {
  ExpectFields(
      j, path,
      {"name", "width", "height", "background", "color_scheme", "headers_footers", "text_styles", "shapes"});
  int unused_ids = 1;
  const float width = Float(j, "width", path, 720), height = Float(j, "height", path, 540);
  auto master = doc::MakeDefaultMaster(kind, width, height, unused_ids);
  master->name = String(j, "name", path, master->name);
  if (const json* fill = Find(j, "background")) master->background = LoadFill(*fill, path + ".background");
  if (const json* scheme = Find(j, "color_scheme"))
    master->color_scheme = LoadScheme(*scheme, path + ".color_scheme");
  master->headers_footers = LoadHeadersFooters(j, path);
  if (const json* styles = Find(j, "text_styles")) {
    const std::string at = path + ".text_styles";
    ExpectFields(*styles, at, {"default", "title", "body"});
    auto& ts = master->text_styles;
    if (const json* s = Find(*styles, "default"))
      ts.default_style = LoadTextStyle(*s, at + ".default", ts.default_style);
    if (const json* s = Find(*styles, "title")) ts.title = LoadTextStyle(*s, at + ".title", ts.title);
    if (const json* s = Find(*styles, "body")) ts.body = LoadTextStyle(*s, at + ".body", ts.body);
  }
  if (Find(j, "shapes")) master->shapes = LoadShapes(j, path);
  return master;
}

// Gives every shape an id unique in the presentation (hand-written files may leave them out).
void NumberShapes(doc::ShapeList& shapes, std::set<int>& used, int& next) {
  for (auto& shape : shapes) {
    if (shape->id <= 0 || !used.insert(shape->id).second) {
      while (used.count(next)) ++next;
      shape->id = next;
      used.insert(next);
    }
    if (shape->id >= next) next = shape->id + 1;
    NumberShapes(shape->group_items, used, next);
  }
}

std::shared_ptr<doc::Presentation> Load(const json& root) {
  const std::string path = "file";
  ExpectObject(root, path);
  // The identification first, so that another JSON document is named as such rather than by its
  // first field.
  if (String(root, "format", path) != kFileFormatName)
    throw FileFormatError("it is not a presentation of this PowerPoint (its \"format\" is not \"" +
                          std::string(kFileFormatName) + "\")");
  const int version = Int(root, "version", path, 0, 0, 1 << 20);
  if (version < 1 || version > kFileFormatVersion)
    throw FileFormatError("it was written in version " + std::to_string(version) +
                          " of the format, which this PowerPoint does not read");
  ExpectFields(
      root, path,
      {"format", "version", "template_name", "declared_template_name", "page_setup", "print_options",
       "properties", "view", "color_schemes", "designs", "notes_master", "handout_master", "slides"});

  auto p = std::make_shared<doc::Presentation>();
  p->template_name = String(root, "template_name", path);
  p->declared_template_name = String(root, "declared_template_name", path);

  if (const json* ps = Find(root, "page_setup")) {
    const std::string at = path + ".page_setup";
    ExpectFields(*ps, at,
                 {"slide_size", "slide_width", "slide_height", "slide_orientation", "notes_orientation",
                  "first_slide_number"});
    auto& s = p->page_setup;
    s.slide_size = Int(*ps, "slide_size", at, s.slide_size, 1, 14);
    s.slide_width = Float(*ps, "slide_width", at, s.slide_width);
    s.slide_height = Float(*ps, "slide_height", at, s.slide_height);
    s.slide_orientation = Int(*ps, "slide_orientation", at, s.slide_orientation, 1, 2);
    s.notes_orientation = Int(*ps, "notes_orientation", at, s.notes_orientation, 1, 2);
    s.first_slide_number = Int(*ps, "first_slide_number", at, 1, 0, 9999);
  }
  if (const json* po = Find(root, "print_options")) {
    const std::string at = path + ".print_options";
    ExpectFields(*po, at, {"output_type", "range_type", "ranges", "number_of_copies", "frame_slides"});
    auto& o = p->print_options;
    o.output_type = Int(*po, "output_type", at, o.output_type, 1, 10);
    o.range_type = Int(*po, "range_type", at, o.range_type, 1, 5);
    o.number_of_copies = Int(*po, "number_of_copies", at, 1, 1, 9999);
    o.frame_slides = Bool(*po, "frame_slides", at, false);
    const json& ranges = Array(*po, "ranges", at);
    for (std::size_t i = 0; i < ranges.size(); ++i) {
      const std::string r = at + ".ranges[" + std::to_string(i) + "]";
      if (!ranges[i].is_array() || ranges[i].size() != 2 || !ranges[i][0].is_number_integer() ||
          !ranges[i][1].is_number_integer())
        Fail(r, "expected [start, end]");
      const long long a = ranges[i][0].get<long long>(), b = ranges[i][1].get<long long>();
      if (a < 1 || b < a || b > 100000) Fail(r, "not a range of slides");
      o.ranges.push_back({static_cast<int>(a), static_cast<int>(b)});
    }
  }
  if (const json* pr = Find(root, "properties")) {
    const std::string at = path + ".properties";
    ExpectFields(*pr, at,
                 {"title", "subject", "author", "keywords", "comments", "template", "last_author", "company",
                  "creation_date", "last_save_time"});
    auto& d = p->properties;
    d.title = String(*pr, "title", at);
    d.subject = String(*pr, "subject", at);
    d.author = String(*pr, "author", at);
    d.keywords = String(*pr, "keywords", at);
    d.comments = String(*pr, "comments", at);
    d.template_ = String(*pr, "template", at);
    d.last_author = String(*pr, "last_author", at);
    d.company = String(*pr, "company", at);
    d.creation_date = DateField(*pr, "creation_date", at);
    d.last_save_time = DateField(*pr, "last_save_time", at);
  }
  if (const json* v = Find(root, "view")) {
    const std::string at = path + ".view";
    ExpectFields(*v, at, {"view_type", "active_pane", "outline", "current_slide", "zoom"});
    auto& view = p->view;
    view.view_type = Int(*v, "view_type", at, view.view_type, 1, 12);
    view.active_pane = Int(*v, "active_pane", at, view.active_pane, 1, 3);
    view.outline = Bool(*v, "outline", at, false);
    view.current_slide = Int(*v, "current_slide", at, 1, 1, 100000);
    view.zoom = Int(*v, "zoom", at, view.zoom, 10, 400);
  }

  const json& schemes = Array(root, "color_schemes", path);
  for (std::size_t i = 0; i < schemes.size(); ++i)
    p->color_schemes.push_back(std::make_shared<doc::ColorScheme>(
        LoadScheme(schemes[i], path + ".color_schemes[" + std::to_string(i) + "]")));
  if (p->color_schemes.empty())
    p->color_schemes.push_back(std::make_shared<doc::ColorScheme>(doc::DefaultColorScheme()));

  const json& designs = Array(root, "designs", path);
  if (designs.empty()) Fail(path + ".designs", "a presentation needs at least one design");
  for (std::size_t i = 0; i < designs.size(); ++i) {
    const std::string at = path + ".designs[" + std::to_string(i) + "]";
    ExpectFields(designs[i], at, {"name", "slide_master", "title_master"});
    auto design = std::make_shared<doc::Design>();
    design->id = static_cast<int>(i) + 1;
    design->name = String(designs[i], "name", at);
    const json* slide_master = Find(designs[i], "slide_master");
    if (!slide_master) Fail(at + ".slide_master", "a design needs a slide master");
    design->slide_master = LoadMaster(*slide_master, at + ".slide_master", doc::MasterKind::Slide);
    if (const json* title = Find(designs[i], "title_master"))
      design->title_master = LoadMaster(*title, at + ".title_master", doc::MasterKind::Title);
    p->designs.push_back(design);
  }
  p->next_design_id = static_cast<int>(p->designs.size()) + 1;

  const auto& w = p->page_setup.slide_width;
  const auto& h = p->page_setup.slide_height;
  int unused = 1;
  p->notes_master = Find(root, "notes_master")
                        ? LoadMaster(root["notes_master"], path + ".notes_master", doc::MasterKind::Notes)
                        : doc::MakeDefaultMaster(doc::MasterKind::Notes, h, w, unused);
  p->handout_master =
      Find(root, "handout_master")
          ? LoadMaster(root["handout_master"], path + ".handout_master", doc::MasterKind::Handout)
          : doc::MakeDefaultMaster(doc::MasterKind::Handout, w, h, unused);

  const json& slides = Array(root, "slides", path);
  std::set<int> slide_ids;
  int next_slide_id = 256;
  for (std::size_t i = 0; i < slides.size(); ++i) {
    const std::string at = path + ".slides[" + std::to_string(i) + "]";
    const json& js = slides[i];
    ExpectFields(js, at,
                 {"id", "name", "layout", "design", "color_scheme", "follow_master_background", "background",
                  "headers_footers", "tags", "shapes"});
    auto slide = std::make_shared<doc::Slide>();
    slide->id = Int(js, "id", at, 0, 0, 1 << 30);
    if (slide->id == 0 || !slide_ids.insert(slide->id).second) {
      while (slide_ids.count(next_slide_id)) ++next_slide_id;
      slide->id = next_slide_id;
      slide_ids.insert(slide->id);
    }
    next_slide_id = std::max(next_slide_id, slide->id + 1);
    slide->name = String(js, "name", at, "Slide" + std::to_string(slide->id));
    slide->layout = Int(js, "layout", at, pp::ppLayoutText, 1, pp::ppLayoutLast);
    const int design = Int(js, "design", at, 1, 1, static_cast<int>(p->designs.size()));
    slide->design = p->designs[static_cast<std::size_t>(design - 1)];
    slide->color_scheme = Find(js, "color_scheme") ? LoadScheme(js["color_scheme"], at + ".color_scheme")
                                                   : slide->design->slide_master->color_scheme;
    slide->follow_master_background = Bool(js, "follow_master_background", at, true);
    if (const json* fill = Find(js, "background")) slide->background = LoadFill(*fill, at + ".background");
    slide->headers_footers = LoadHeadersFooters(js, at);
    slide->tags = LoadTags(js, at);
    slide->shapes = LoadShapes(js, at);
    p->slides.push_back(slide);
  }
  p->next_slide_id = next_slide_id;

  // Shape ids: unique over the whole presentation.
  std::set<int> used;
  int next = 1;
  for (auto& design : p->designs) {
    NumberShapes(design->slide_master->shapes, used, next);
    if (design->title_master) NumberShapes(design->title_master->shapes, used, next);
  }
  NumberShapes(p->notes_master->shapes, used, next);
  NumberShapes(p->handout_master->shapes, used, next);
  for (auto& slide : p->slides) NumberShapes(slide->shapes, used, next);
  p->next_shape_id = next;
  return p;
}

// Where JSON text stops being JSON, as an author finds it in an editor: the line, and the column
// in characters; then the parser's own reason, without its prefix and position.
std::string SyntaxError(std::string_view content, const json::parse_error& error) {
  const std::size_t at = std::min<std::size_t>(error.byte == 0 ? 0 : error.byte - 1, content.size());
  int line = 1;
  int column = 1;
  for (std::size_t k = 0; k < at; ++k) {
    if (content[k] == '\n') {
      ++line;
      column = 1;
    } else if ((static_cast<unsigned char>(content[k]) & 0xC0) != 0x80) {
      ++column;
    }
  }
  std::string reason = error.what();
  const auto colon = reason.find(": ");
  if (colon != std::string::npos && reason.compare(0, 6, "[json.") == 0) reason = reason.substr(colon + 2);
  return "line " + std::to_string(line) + ", column " + std::to_string(column) +
         ": the text is not valid JSON here (" + reason + ")";
}

}  // namespace

std::string SavePresentation(const doc::Presentation& p) {
  json root;
  root["format"] = kFileFormatName;
  root["version"] = kFileFormatVersion;
  root["template_name"] = p.template_name;
  if (!p.declared_template_name.empty()) root["declared_template_name"] = p.declared_template_name;
  const auto& s = p.page_setup;
  root["page_setup"] = {{"slide_size", s.slide_size},
                        {"slide_width", s.slide_width},
                        {"slide_height", s.slide_height},
                        {"slide_orientation", s.slide_orientation},
                        {"notes_orientation", s.notes_orientation},
                        {"first_slide_number", s.first_slide_number}};
  const auto& o = p.print_options;
  json ranges = json::array();
  for (const auto& r : o.ranges) ranges.push_back(json::array({r.start, r.end}));
  root["print_options"] = {{"output_type", o.output_type},
                           {"range_type", o.range_type},
                           {"number_of_copies", o.number_of_copies},
                           {"frame_slides", o.frame_slides},
                           {"ranges", ranges}};
  const auto& d = p.properties;
  json properties = {{"title", d.title},
                     {"subject", d.subject},
                     {"author", d.author},
                     {"keywords", d.keywords},
                     {"comments", d.comments},
                     {"template", d.template_},
                     {"last_author", d.last_author},
                     {"company", d.company}};
  if (d.creation_date) properties["creation_date"] = d.creation_date->ToIso();
  if (d.last_save_time) properties["last_save_time"] = d.last_save_time->ToIso();
  root["properties"] = properties;
  root["view"] = {{"view_type", p.view.view_type},
                  {"active_pane", p.view.active_pane},
                  {"outline", p.view.outline},
                  {"current_slide", p.view.current_slide},
                  {"zoom", p.view.zoom}};
  root["color_schemes"] = json::array();
  for (const auto& scheme : p.color_schemes) root["color_schemes"].push_back(SaveScheme(*scheme));
  root["designs"] = json::array();
  for (const auto& design : p.designs) {
    json j = {{"name", design->name}, {"slide_master", SaveMaster(*design->slide_master)}};
    if (design->title_master) j["title_master"] = SaveMaster(*design->title_master);
    root["designs"].push_back(j);
  }
  if (p.notes_master) root["notes_master"] = SaveMaster(*p.notes_master);
  if (p.handout_master) root["handout_master"] = SaveMaster(*p.handout_master);
  root["slides"] = json::array();
  for (const auto& slide : p.slides) {
    int design = 1;
    for (std::size_t i = 0; i < p.designs.size(); ++i)
      if (p.designs[i] == slide->design) design = static_cast<int>(i) + 1;
    json j = {{"id", slide->id},
              {"name", slide->name},
              {"layout", slide->layout},
              {"design", design},
              {"color_scheme", SaveScheme(slide->color_scheme)},
              {"follow_master_background", slide->follow_master_background},
              {"background", SaveFill(slide->background)},
              {"headers_footers", SaveHeadersFooters(slide->headers_footers)},
              {"tags", SaveTags(slide->tags)},
              {"shapes", SaveShapes(slide->shapes)}};
    root["slides"].push_back(j);
  }
  return root.dump(1, '\t') + "\n";
}

std::shared_ptr<doc::Presentation> LoadPresentation(std::string_view content) {
  if (content.size() >= 4 && static_cast<unsigned char>(content[0]) == 0xD0 &&
      static_cast<unsigned char>(content[1]) == 0xCF && static_cast<unsigned char>(content[2]) == 0x11 &&
      static_cast<unsigned char>(content[3]) == 0xE0)
    throw FileFormatError(
        "it is a binary PowerPoint 97-2003 file; this PowerPoint reads presentations in its text format "
        "only");
  if (content.empty()) throw FileFormatError("the file is empty");
  if (content.size() > kMaximumFileBytes) throw FileFormatError("the file is too large to be a presentation");
  if (!NestingWithin(content, kMaxNesting))
    throw FileFormatError("the file is nested too deeply to be a presentation");
  json root;
  try {
    root = json::parse(content.begin(), content.end());
  } catch (const json::parse_error& error) {
    throw FileFormatError(SyntaxError(content, error));
  } catch (const json::exception&) {
    throw FileFormatError("it is not a presentation file (its content is not readable as one)");
  }
  try {
    return Load(root);
  } catch (const FieldError& error) {
    throw FileFormatError(std::string("the file is damaged (") + error.what() + ")");
  } catch (const FileFormatError&) {
    throw;
  } catch (const std::exception& error) {
    throw FileFormatError(std::string("the file is damaged (") + error.what() + ")");
  }
}

}  // namespace sim::ppt
