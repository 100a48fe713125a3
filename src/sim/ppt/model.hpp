// The document model of the simulated PowerPoint: what a presentation or a design template holds,
// as plain data. The automation objects (Slide, Shape, Master …) are views over these nodes; the
// file format reads and writes them. Units are PowerPoint's: points for geometry, RGB integers
// (red + 256 × green + 65536 × blue) for colours.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/ppt/text.hpp"
#include "vb/date.hpp"

namespace sim::ppt {

/// PowerPoint's and Office's enumeration values used by the model.
namespace pp {
// MsoTriState
inline constexpr int msoTrue = -1;
inline constexpr int msoFalse = 0;
inline constexpr int msoTriStateMixed = -2;
// MsoShapeType
inline constexpr int msoAutoShape = 1;
inline constexpr int msoGroup = 6;
inline constexpr int msoPicture = 13;
inline constexpr int msoPlaceholder = 14;
inline constexpr int msoTextBox = 17;
// MsoAutoShapeType
inline constexpr int msoShapeMixed = -2;
inline constexpr int msoShapeRectangle = 1;
inline constexpr int msoShapeRoundedRectangle = 5;
inline constexpr int msoShapeOval = 9;
// PpPlaceholderType
inline constexpr int ppPlaceholderTitle = 1;
inline constexpr int ppPlaceholderBody = 2;
inline constexpr int ppPlaceholderCenterTitle = 3;
inline constexpr int ppPlaceholderSubtitle = 4;
inline constexpr int ppPlaceholderSlideNumber = 13;
inline constexpr int ppPlaceholderHeader = 14;
inline constexpr int ppPlaceholderFooter = 15;
inline constexpr int ppPlaceholderDate = 16;
// MsoFillType
inline constexpr int msoFillSolid = 1;
inline constexpr int msoFillPatterned = 2;
inline constexpr int msoFillGradient = 3;
inline constexpr int msoFillTextured = 4;
inline constexpr int msoFillBackground = 5;
inline constexpr int msoFillPicture = 6;
// MsoPresetTexture
inline constexpr int msoPresetTextureMixed = -2;
inline constexpr int msoTexturePapyrus = 1;
inline constexpr int msoTextureWalnut = 22;
inline constexpr int msoTextureLast = 24;
// PpSlideLayout
inline constexpr int ppLayoutTitle = 1;
inline constexpr int ppLayoutText = 2;
inline constexpr int ppLayoutBlank = 12;
inline constexpr int ppLayoutTitleOnly = 11;
inline constexpr int ppLayoutLast = 36;
// PpSlideSizeType
inline constexpr int ppSlideSizeOnScreen = 1;
inline constexpr int ppSlideSizeLetterPaper = 2;
inline constexpr int ppSlideSizeA4Paper = 3;
inline constexpr int ppSlideSize35MM = 4;
inline constexpr int ppSlideSizeOverhead = 5;
inline constexpr int ppSlideSizeBanner = 6;
inline constexpr int ppSlideSizeCustom = 7;
inline constexpr int ppSlideSizeLedgerPaper = 8;
inline constexpr int ppSlideSizeA3Paper = 9;
inline constexpr int ppSlideSizeB4ISOPaper = 10;
inline constexpr int ppSlideSizeB5ISOPaper = 11;
inline constexpr int ppSlideSizeB4JISPaper = 12;
inline constexpr int ppSlideSizeB5JISPaper = 13;
inline constexpr int ppSlideSizeHagakiCard = 14;
// MsoOrientation
inline constexpr int msoOrientationHorizontal = 1;
inline constexpr int msoOrientationVertical = 2;
// PpPrintOutputType
inline constexpr int ppPrintOutputSlides = 1;
inline constexpr int ppPrintOutputFourSlideHandouts = 8;
inline constexpr int ppPrintOutputOneSlideHandouts = 10;
// PpPrintRangeType
inline constexpr int ppPrintAll = 1;
inline constexpr int ppPrintSelection = 2;
inline constexpr int ppPrintCurrent = 3;
inline constexpr int ppPrintSlideRange = 4;
inline constexpr int ppPrintNamedSlideShow = 5;
// PpViewType
inline constexpr int ppViewSlide = 1;
inline constexpr int ppViewSlideMaster = 2;
inline constexpr int ppViewNotesPage = 3;
inline constexpr int ppViewHandoutMaster = 4;
inline constexpr int ppViewNotesMaster = 5;
inline constexpr int ppViewOutline = 6;
inline constexpr int ppViewSlideSorter = 7;
inline constexpr int ppViewTitleMaster = 8;
inline constexpr int ppViewNormal = 9;
inline constexpr int ppViewPrintPreview = 10;
inline constexpr int ppViewThumbnails = 11;
inline constexpr int ppViewMasterThumbnails = 12;
// PpColorSchemeIndex
inline constexpr int ppBackground = 1;
inline constexpr int ppAccent3 = 8;
// PpTextStyleType
inline constexpr int ppDefaultStyle = 1;
inline constexpr int ppTitleStyle = 2;
inline constexpr int ppBodyStyle = 3;
}  // namespace pp

namespace doc {

/// One tag: PowerPoint keeps tag names in capitals; values as given.
struct Tag {
  std::string name;
  std::string value;
};

/// The tags of a slide, a shape or a master shape, in the order they were added.
struct Tags {
  std::vector<Tag> items;

  /// The value of a tag (names compared without case); "" when the object does not carry it.
  std::string Get(const std::string& name) const;
  /// Adds a tag, or replaces the value of the tag of that name.
  void Add(const std::string& name, const std::string& value);
  /// Removes a tag; false when there was none of that name.
  bool Delete(const std::string& name);
};

/// A fill (a shape's or a background's): its type and what that type uses.
struct Fill {
  int type = pp::msoFillSolid;
  std::int32_t fore_color = 0xFFFFFF;
  std::int32_t back_color = 0;
  /// MsoPresetTexture of a textured fill; msoPresetTextureMixed otherwise.
  int preset_texture = pp::msoPresetTextureMixed;
  /// The picture file of a picture fill (or of a user texture).
  std::string picture;
  bool visible = true;
};

struct Shape;
using ShapeList = std::vector<std::shared_ptr<Shape>>;

/// A shape of a slide or a master.
struct Shape {
  /// Unique within the presentation (Shape.Id).
  int id = 0;
  std::string name;
  /// MsoShapeType.
  int type = pp::msoAutoShape;
  /// MsoAutoShapeType; msoShapeMixed for shapes that are not auto shapes (groups, pictures).
  int auto_shape_type = pp::msoShapeRectangle;
  /// PpPlaceholderType when the shape is a placeholder (type msoPlaceholder), 0 otherwise.
  int placeholder_type = 0;
  float left = 0, top = 0, width = 0, height = 0, rotation = 0;
  bool has_text_frame = false;
  TextBody text;
  Fill fill;
  Tags tags;
  /// The members of a group shape (type msoGroup).
  ShapeList group_items;
};

/// One of the zones of a HeadersFooters: visible or not, and its text.
struct HeaderFooter {
  bool visible = false;
  std::string text;
};

/// The headers and footers of a slide or a master.
struct HeadersFooters {
  HeaderFooter date_and_time, slide_number, header, footer;
};

/// The eight colours of a colour scheme, indexed by PpColorSchemeIndex - 1 (ppBackground … ppAccent3).
struct ColorScheme {
  std::array<std::int32_t, 8> colors{};
  bool operator==(const ColorScheme&) const = default;
};

/// A text style: the ruler of its five outline levels and, for each level, the paragraph format
/// and font that text of that level takes.
struct TextStyle {
  Ruler ruler;
  std::array<ParagraphFormatData, 5> levels{};
  std::array<FontData, 5> fonts{};
};

/// The three text styles of a master: default (ppDefaultStyle), title and body.
struct TextStyles {
  TextStyle default_style, title, body;
};

/// What kind of master a Master node is.
enum class MasterKind { Slide, Title, Notes, Handout };

/// A master: its shapes, background, headers and footers and text styles. The body style's ruler
/// is the ruler of the master's body placeholder when it has one (see BodyStyleRuler).
struct Master {
  MasterKind kind = MasterKind::Slide;
  std::string name;
  ShapeList shapes;
  Fill background;
  HeadersFooters headers_footers;
  TextStyles text_styles;
  ColorScheme color_scheme;
  float width = 720, height = 540;
};

/// A design: a slide master and, when the design has one, a title master.
struct Design {
  int id = 0;
  /// The design's name: its template's file name without ".pot".
  std::string name;
  std::shared_ptr<Master> slide_master;
  std::shared_ptr<Master> title_master;  // null when the design has no title master
};

/// A slide.
struct Slide {
  /// Unique within the presentation and never reused (Slide.SlideID).
  int id = 0;
  std::string name;
  int layout = pp::ppLayoutText;
  /// The design the slide uses (one of the presentation's designs).
  std::shared_ptr<Design> design;
  /// The slide's own copy of a colour scheme.
  ColorScheme color_scheme;
  bool follow_master_background = true;
  /// The slide's own background, used when it does not follow the master's.
  Fill background;
  ShapeList shapes;
  Tags tags;
  HeadersFooters headers_footers;
};
using SlideList = std::vector<std::shared_ptr<Slide>>;

/// The page setup of a presentation.
struct PageSetup {
  int slide_size = pp::ppSlideSizeOnScreen;
  float slide_width = 720, slide_height = 540;
  int slide_orientation = pp::msoOrientationHorizontal;
  int notes_orientation = pp::msoOrientationVertical;
  int first_slide_number = 1;
};

/// One range of slides to print (PrintRange: Start, End).
struct PrintRange {
  int start = 1, end = 1;
};

/// The print options of a presentation.
struct PrintOptions {
  int output_type = pp::ppPrintOutputSlides;
  int range_type = pp::ppPrintAll;
  std::vector<PrintRange> ranges;
  int number_of_copies = 1;
  bool frame_slides = false;
};

/// The built-in document properties that PowerPoint keeps (numbered as in
/// BuiltInDocumentProperties); the format (19) is derived from the page setup.
struct Properties {
  std::string title;                       // 1
  std::string subject;                     // 2
  std::string author;                      // 3
  std::string keywords;                    // 4
  std::string comments;                    // 5
  std::string template_;                   // 6: the template the presentation was created from
  std::string last_author;                 // 7
  std::optional<vb::Date> creation_date;   // 11
  std::optional<vb::Date> last_save_time;  // 12: none until the presentation is saved
  std::string company;                     // 21
};

/// How the presentation's window last showed it (stored with the file, as PowerPoint does).
struct ViewState {
  int view_type = pp::ppViewNormal;
  /// The active pane of the normal view (1 thumbnails or outline, 2 slide, 3 notes).
  int active_pane = 2;
  /// Whether the first pane of the normal view shows the outline (6) rather than thumbnails (11).
  bool outline = false;
  /// The slide shown, from 1.
  int current_slide = 1;
  int zoom = 66;
};

/// A presentation or a design template.
struct Presentation {
  /// TemplateName: the file name, with its extension, of the template last applied.
  std::string template_name;
  /// The name a template declares for itself, which presentations created from it take as their
  /// template property (6); empty for most templates, which are then known by their file name.
  std::string declared_template_name;
  std::vector<std::shared_ptr<Design>> designs;
  SlideList slides;
  std::shared_ptr<Master> notes_master;
  std::shared_ptr<Master> handout_master;
  /// The standard colour schemes.
  std::vector<std::shared_ptr<ColorScheme>> color_schemes;
  PageSetup page_setup;
  PrintOptions print_options;
  Properties properties;
  ViewState view;
  int next_slide_id = 256;
  int next_shape_id = 1;
  int next_design_id = 1;
};

// --- Building and copying ----------------------------------------------------------------------

/// The colours of PowerPoint's default (blank presentation) colour scheme.
ColorScheme DefaultColorScheme();
/// A master of a kind with PowerPoint's default placeholders for a page of the given size.
std::shared_ptr<Master> MakeDefaultMaster(MasterKind kind, float width, float height, int& next_shape_id);
/// A blank presentation: one design "Conception par défaut" with slide and title masters, notes and
/// handout masters, the default colour scheme and no slide.
std::shared_ptr<Presentation> MakeBlankPresentation();
/// A new slide of the presentation with the placeholders of its layout, using a design.
std::shared_ptr<Slide> MakeSlide(Presentation& presentation, int layout,
                                 const std::shared_ptr<Design>& design);

/// Deep copies, giving shapes new ids from the presentation's counter.
std::shared_ptr<Shape> CopyShape(const Shape& shape, int& next_shape_id);
std::shared_ptr<Master> CopyMaster(const Master& master, int& next_shape_id);
std::shared_ptr<Slide> CopySlide(const Slide& slide, Presentation& into);
/// A deep copy of a whole presentation (a template opened as a new presentation).
std::shared_ptr<Presentation> CopyPresentation(const Presentation& presentation);

/// The ruler of a master's body text style: its body placeholder's ruler when it has one, otherwise
/// the style's own.
Ruler& BodyStyleRuler(Master& master);
const Ruler& BodyStyleRuler(const Master& master);
/// The first placeholder of a type among shapes; null when there is none.
std::shared_ptr<Shape> FindPlaceholder(const ShapeList& shapes, int placeholder_type);

/// The French name PowerPoint 2003 gives a slide size as the format property (19), for example
/// "Affichage à l'écran" (ppSlideSizeOnScreen) or "Transparent" (ppSlideSizeOverhead).
std::string SlideSizeFormatName(int slide_size);
/// The width and height, in points, of a slide size in landscape orientation; false for
/// ppSlideSizeCustom or an unknown size.
bool SlideSizeDimensions(int slide_size, float& width, float& height);

}  // namespace doc
}  // namespace sim::ppt
