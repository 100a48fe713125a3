#include "sim/ppt/model.hpp"

#include <algorithm>
#include <cctype>

namespace sim::ppt::doc {
namespace {

std::string Upper(const std::string& text) {
  std::string result = text;
  for (auto& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

std::shared_ptr<Shape> Placeholder(int& next_id, const std::string& name, int placeholder_type, float left,
                                   float top, float width, float height, const std::string& text,
                                   const FontData& font, const ParagraphFormatData& format = {}) {
  auto shape = std::make_shared<Shape>();
  shape->id = next_id++;
  shape->name = name;
  shape->type = pp::msoPlaceholder;
  shape->auto_shape_type = pp::msoShapeRectangle;
  shape->placeholder_type = placeholder_type;
  shape->left = left;
  shape->top = top;
  shape->width = width;
  shape->height = height;
  shape->has_text_frame = true;
  shape->text = TextBody(text, font, format);
  shape->fill.visible = false;
  return shape;
}

FontData Font(const std::string& name, float size) {
  FontData font;
  font.name = name;
  font.size = size;
  return font;
}

// The default text styles: title in 44-point Arial, body levels with the bullets "•", "–", "•",
// "–", "»" and PowerPoint's default indents.
TextStyles DefaultTextStyles() {
  TextStyles styles;
  static const std::int32_t kBullets[5] = {8226, 8211, 8226, 8211, 187};
  static const float kSizes[5] = {32, 28, 24, 20, 20};
  static const RulerLevelData kLevels[5] = {{0, 27}, {45, 58.5f}, {90, 108}, {135, 153}, {180, 198}};
  for (int i = 0; i < 5; ++i) {
    auto& level = styles.body.levels[static_cast<std::size_t>(i)];
    level.indent_level = i + 1;
    level.space_before = 0.2f;
    level.bullet.visible = true;
    level.bullet.type = 1;
    level.bullet.character = kBullets[i];
    level.bullet.font = "Arial";
    styles.body.fonts[static_cast<std::size_t>(i)] = Font("Arial", kSizes[i]);
    styles.body.ruler.levels[static_cast<std::size_t>(i)] = kLevels[i];
    styles.title.levels[static_cast<std::size_t>(i)].alignment = 2;
    styles.title.levels[static_cast<std::size_t>(i)].indent_level = i + 1;
    styles.title.fonts[static_cast<std::size_t>(i)] = Font("Arial", 44);
    styles.default_style.levels[static_cast<std::size_t>(i)].indent_level = i + 1;
    styles.default_style.fonts[static_cast<std::size_t>(i)] = Font("Arial", 18);
  }
  return styles;
}

}  // namespace

std::string Tags::Get(const std::string& name) const {
  const std::string key = Upper(name);
  for (const auto& tag : items)
    if (tag.name == key) return tag.value;
  return "";
}

void Tags::Add(const std::string& name, const std::string& value) {
  const std::string key = Upper(name);
  for (auto& tag : items) {
    if (tag.name == key) {
      tag.value = value;
      return;
    }
  }
  items.push_back({key, value});
}

bool Tags::Delete(const std::string& name) {
  const std::string key = Upper(name);
  auto it = std::find_if(items.begin(), items.end(), [&](const Tag& tag) { return tag.name == key; });
  if (it == items.end()) return false;
  items.erase(it);
  return true;
}

ColorScheme DefaultColorScheme() {
  // Background, text and lines, shadows, title text, fills, accent, accent and hyperlink,
  // accent and followed hyperlink.
  return ColorScheme{{16777215, 0, 8421504, 0, 10079232, 13382451, 16750848, 52377}};
}

Ruler& BodyStyleRuler(Master& master) {
  auto body = FindPlaceholder(master.shapes, pp::ppPlaceholderBody);
  return body ? body->text.ruler : master.text_styles.body.ruler;
}

const Ruler& BodyStyleRuler(const Master& master) {
  auto body = FindPlaceholder(master.shapes, pp::ppPlaceholderBody);
  return body ? body->text.ruler : master.text_styles.body.ruler;
}

std::shared_ptr<Shape> FindPlaceholder(const ShapeList& shapes, int placeholder_type) {
  for (const auto& shape : shapes)
    if (shape->type == pp::msoPlaceholder && shape->placeholder_type == placeholder_type) return shape;
  return nullptr;
}

std::shared_ptr<Master> MakeDefaultMaster(MasterKind kind, float width, float height, int& next_id) {
  auto master = std::make_shared<Master>();
  master->kind = kind;
  master->width = width;
  master->height = height;
  master->text_styles = DefaultTextStyles();
  master->color_scheme = DefaultColorScheme();
  master->background.fore_color = 16777215;
  const FontData small = Font("Arial", 14);
  const float margin = width * 0.05f;
  const float footer_top = height * 0.91f;
  auto footers = [&](ShapeList& shapes) {
    shapes.push_back(Placeholder(next_id, "Espace réservé de la date 3", pp::ppPlaceholderDate, margin,
                                 footer_top, width * 0.233f, height * 0.07f, "", small));
    shapes.push_back(Placeholder(next_id, "Espace réservé du pied de page 4", pp::ppPlaceholderFooter,
                                 width * 0.342f, footer_top, width * 0.317f, height * 0.07f, "", small));
    shapes.push_back(Placeholder(next_id, "Espace réservé du numéro de diapositive 5",
                                 pp::ppPlaceholderSlideNumber, width * 0.717f, footer_top, width * 0.233f,
                                 height * 0.07f, "‹nº›", small));
  };
  switch (kind) {
    case MasterKind::Slide: {
      master->name = "Masque des diapositives";
      master->shapes.push_back(Placeholder(next_id, "Espace réservé du titre 1", pp::ppPlaceholderTitle,
                                           margin, height * 0.04f, width * 0.9f, height * 0.1667f,
                                           "Cliquez pour modifier le style du titre", Font("Arial", 44),
                                           master->text_styles.title.levels[0]));
      auto body = Placeholder(next_id, "Espace réservé du texte 2", pp::ppPlaceholderBody, margin,
                              height * 0.2333f, width * 0.9f, height * 0.66f, "", Font("Arial", 32));
      static const char* kLevels[5] = {"Cliquez pour modifier les styles du texte du masque",
                                       "Deuxième niveau", "Troisième niveau", "Quatrième niveau",
                                       "Cinquième niveau"};
      std::string text;
      for (int i = 0; i < 5; ++i) text += std::string(i ? "\r" : "") + kLevels[i];
      body->text = TextBody(text, Font("Arial", 32));
      for (std::size_t i = 0; i < 5; ++i) {
        body->text.SetParagraphFormat(i, master->text_styles.body.levels[i]);
      }
      body->text.ruler = master->text_styles.body.ruler;
      master->shapes.push_back(body);
      footers(master->shapes);
      break;
    }
    case MasterKind::Title:
      master->name = "Masque du titre";
      master->shapes.push_back(Placeholder(next_id, "Espace réservé du titre 1", pp::ppPlaceholderCenterTitle,
                                           width * 0.075f, height * 0.3106f, width * 0.85f, height * 0.2144f,
                                           "Cliquez pour modifier le style du titre", Font("Arial", 44),
                                           master->text_styles.title.levels[0]));
      master->shapes.push_back(
          Placeholder(next_id, "Espace réservé du sous-titre 2", pp::ppPlaceholderSubtitle, width * 0.15f,
                      height * 0.5667f, width * 0.7f, height * 0.2556f,
                      "Cliquez pour modifier le style des sous-titres du masque", Font("Arial", 32)));
      footers(master->shapes);
      break;
    case MasterKind::Handout: {
      // The handout master's zones: header and date at the top, footer and number at the bottom,
      // each 312 × 27 points against the page's edges.
      master->name = "Masque du document";
      const float zone_w = 312, zone_h = 27;
      master->shapes.push_back(Placeholder(next_id, "Espace réservé de l'en-tête 1", pp::ppPlaceholderHeader,
                                           0, 0, zone_w, zone_h, "‹en-tête›", Font("Times New Roman", 12)));
      master->shapes.push_back(Placeholder(next_id, "Espace réservé de la date 2", pp::ppPlaceholderDate,
                                           width - zone_w - 0.125f, 0, zone_w, zone_h, "‹date/heure›",
                                           Font("Times New Roman", 12)));
      master->shapes.push_back(Placeholder(next_id, "Espace réservé du pied de page 3",
                                           pp::ppPlaceholderFooter, 0, height - zone_h, zone_w, zone_h,
                                           "‹pied de page›", Font("Times New Roman", 12)));
      master->shapes.push_back(Placeholder(
          next_id, "Espace réservé du numéro de diapositive 4", pp::ppPlaceholderSlideNumber,
          width - zone_w - 0.125f, height - zone_h, zone_w, zone_h, "‹nº›", Font("Times New Roman", 12)));
      break;
    }
    case MasterKind::Notes:
      master->name = "Masque des pages de commentaires";
      master->shapes.push_back(Placeholder(next_id, "Espace réservé de l'en-tête 1", pp::ppPlaceholderHeader,
                                           0, 0, width * 0.43f, height * 0.05f, "",
                                           Font("Times New Roman", 12)));
      master->shapes.push_back(Placeholder(next_id, "Espace réservé de la date 2", pp::ppPlaceholderDate,
                                           width * 0.57f, 0, width * 0.43f, height * 0.05f, "",
                                           Font("Times New Roman", 12)));
      master->shapes.push_back(Placeholder(next_id, "Espace réservé du texte 3", pp::ppPlaceholderBody,
                                           width * 0.1f, height * 0.48f, width * 0.8f, height * 0.4f,
                                           "Cliquez pour modifier les styles du texte du masque",
                                           Font("Times New Roman", 12)));
      break;
  }
  return master;
}

std::shared_ptr<Presentation> MakeBlankPresentation() {
  auto presentation = std::make_shared<Presentation>();
  auto design = std::make_shared<Design>();
  design->id = presentation->next_design_id++;
  design->name = "Conception par défaut";
  const float w = presentation->page_setup.slide_width, h = presentation->page_setup.slide_height;
  design->slide_master = MakeDefaultMaster(MasterKind::Slide, w, h, presentation->next_shape_id);
  design->title_master = MakeDefaultMaster(MasterKind::Title, w, h, presentation->next_shape_id);
  presentation->designs.push_back(design);
  presentation->notes_master = MakeDefaultMaster(MasterKind::Notes, h, w, presentation->next_shape_id);
  presentation->handout_master = MakeDefaultMaster(MasterKind::Handout, w, h, presentation->next_shape_id);
  presentation->color_schemes.push_back(std::make_shared<ColorScheme>(DefaultColorScheme()));
  return presentation;
}

std::shared_ptr<Slide> MakeSlide(Presentation& presentation, int layout,
                                 const std::shared_ptr<Design>& design) {
  auto slide = std::make_shared<Slide>();
  slide->id = presentation.next_slide_id++;
  slide->name = "Slide" + std::to_string(slide->id);
  slide->layout = layout;
  slide->design = design;
  slide->color_scheme =
      design && design->slide_master ? design->slide_master->color_scheme : DefaultColorScheme();
  // The slide's placeholders follow its layout, placed as the master's.
  const Master* master = nullptr;
  if (design)
    master = (layout == pp::ppLayoutTitle && design->title_master) ? design->title_master.get()
                                                                   : design->slide_master.get();
  auto copy_placeholder = [&](int master_type, int type, const std::string& name) {
    std::shared_ptr<Shape> source = master ? FindPlaceholder(master->shapes, master_type) : nullptr;
    auto shape = std::make_shared<Shape>();
    shape->id = presentation.next_shape_id++;
    shape->name = name;
    shape->type = pp::msoPlaceholder;
    shape->placeholder_type = type;
    shape->has_text_frame = true;
    shape->fill.visible = false;
    if (source) {
      shape->left = source->left;
      shape->top = source->top;
      shape->width = source->width;
      shape->height = source->height;
      FontData font = source->text.size() ? source->text.FontAt(0) : source->text.end_font();
      shape->text = TextBody("", font, source->text.ParagraphFormat(0));
      shape->text.set_end_font(font);
      shape->text.ruler = source->text.ruler;
    } else {
      shape->left = 36;
      shape->top = 36;
      shape->width = 648;
      shape->height = 90;
    }
    slide->shapes.push_back(shape);
  };
  switch (layout) {
    case pp::ppLayoutTitle:
      copy_placeholder(pp::ppPlaceholderCenterTitle, pp::ppPlaceholderCenterTitle, "Titre 1");
      copy_placeholder(pp::ppPlaceholderSubtitle, pp::ppPlaceholderSubtitle, "Sous-titre 2");
      break;
    case pp::ppLayoutTitleOnly:
      copy_placeholder(pp::ppPlaceholderTitle, pp::ppPlaceholderTitle, "Titre 1");
      break;
    case pp::ppLayoutBlank:
      break;
    default:
      copy_placeholder(pp::ppPlaceholderTitle, pp::ppPlaceholderTitle, "Titre 1");
      copy_placeholder(pp::ppPlaceholderBody, pp::ppPlaceholderBody, "Espace réservé du texte 2");
      break;
  }
  return slide;
}

std::shared_ptr<Shape> CopyShape(const Shape& shape, int& next_shape_id) {
  auto copy = std::make_shared<Shape>(shape);
  copy->id = next_shape_id++;
  copy->group_items.clear();
  for (const auto& item : shape.group_items) copy->group_items.push_back(CopyShape(*item, next_shape_id));
  return copy;
}

std::shared_ptr<Master> CopyMaster(const Master& master, int& next_shape_id) {
  auto copy = std::make_shared<Master>(master);
  copy->shapes.clear();
  for (const auto& shape : master.shapes) copy->shapes.push_back(CopyShape(*shape, next_shape_id));
  return copy;
}

std::shared_ptr<Slide> CopySlide(const Slide& slide, Presentation& into) {
  auto copy = std::make_shared<Slide>(slide);
  copy->id = into.next_slide_id++;
  copy->name = "Slide" + std::to_string(copy->id);
  copy->shapes.clear();
  for (const auto& shape : slide.shapes) copy->shapes.push_back(CopyShape(*shape, into.next_shape_id));
  return copy;
}

std::shared_ptr<Presentation> CopyPresentation(const Presentation& presentation) {
  auto copy = std::make_shared<Presentation>(presentation);
  copy->designs.clear();
  copy->slides.clear();
  copy->color_schemes.clear();
  for (const auto& scheme : presentation.color_schemes)
    copy->color_schemes.push_back(std::make_shared<ColorScheme>(*scheme));
  for (const auto& design : presentation.designs) {
    auto d = std::make_shared<Design>(*design);
    if (design->slide_master) d->slide_master = CopyMaster(*design->slide_master, copy->next_shape_id);
    if (design->title_master) d->title_master = CopyMaster(*design->title_master, copy->next_shape_id);
    copy->designs.push_back(d);
  }
  for (const auto& slide : presentation.slides) {
    auto s = CopySlide(*slide, *copy);
    s->id = slide->id;
    s->name = slide->name;
    for (std::size_t i = 0; i < presentation.designs.size(); ++i)
      if (presentation.designs[i] == slide->design) s->design = copy->designs[i];
    copy->slides.push_back(s);
  }
  if (presentation.notes_master)
    copy->notes_master = CopyMaster(*presentation.notes_master, copy->next_shape_id);
  if (presentation.handout_master)
    copy->handout_master = CopyMaster(*presentation.handout_master, copy->next_shape_id);
  return copy;
}

std::string SlideSizeFormatName(int slide_size) {
  switch (slide_size) {
    case pp::ppSlideSizeOnScreen:
      return "Affichage à l'écran";
    case pp::ppSlideSizeLetterPaper:
      return "Papier à lettres (8,5 x 11 pouces)";
    case pp::ppSlideSizeA4Paper:
      return "Papier A4 (210 x 297 mm)";
    case pp::ppSlideSize35MM:
      return "Diapositives 35 mm";
    case pp::ppSlideSizeOverhead:
      return "Transparent";
    case pp::ppSlideSizeBanner:
      return "Bannière";
    case pp::ppSlideSizeLedgerPaper:
      return "Papier Ledger (11 x 17 pouces)";
    case pp::ppSlideSizeA3Paper:
      return "Papier A3 (297 x 420 mm)";
    case pp::ppSlideSizeB4ISOPaper:
      return "Papier B4 (ISO) (250 x 353 mm)";
    case pp::ppSlideSizeB5ISOPaper:
      return "Papier B5 (ISO) (176 x 250 mm)";
    case pp::ppSlideSizeB4JISPaper:
      return "Papier B4 (JIS) (257 x 364 mm)";
    case pp::ppSlideSizeB5JISPaper:
      return "Papier B5 (JIS) (182 x 257 mm)";
    case pp::ppSlideSizeHagakiCard:
      return "Carte Hagaki (100 x 148 mm)";
    default:
      return "Personnalisé";
  }
}

bool SlideSizeDimensions(int slide_size, float& width, float& height) {
  struct Size {
    int type;
    float width, height;
  };
  static const Size kSizes[] = {
      {pp::ppSlideSizeOnScreen, 720, 540},    {pp::ppSlideSizeLetterPaper, 720, 540},
      {pp::ppSlideSizeA4Paper, 780, 540},     {pp::ppSlideSize35MM, 810, 540},
      {pp::ppSlideSizeOverhead, 720, 540},    {pp::ppSlideSizeBanner, 576, 72},
      {pp::ppSlideSizeLedgerPaper, 959, 719}, {pp::ppSlideSizeA3Paper, 1071, 756},
      {pp::ppSlideSizeB4ISOPaper, 852, 639},  {pp::ppSlideSizeB5ISOPaper, 598, 399},
      {pp::ppSlideSizeB4JISPaper, 907, 680},  {pp::ppSlideSizeB5JISPaper, 644, 482},
      {pp::ppSlideSizeHagakiCard, 283, 420},
  };
  for (const auto& size : kSizes) {
    if (size.type == slide_size) {
      width = size.width;
      height = size.height;
      return true;
    }
  }
  return false;
}

}  // namespace sim::ppt::doc
