// PowerPoint 2003's object model as the module sees it: one typed view per object, each member a
// one-line call by PowerPoint's own member name through the late-bound ppt::Object. Whatever stands
// behind the reference (the simulated desktop or the real PowerPoint), it answers to these names.
//
// Conventions of the object model, kept as they are:
// - Collections count from 1; Item outside 1..Count raises PowerPoint's error (-2147188160).
// - Tri-states (MsoTriState) are std::int32_t: -1 msoTrue, 0 msoFalse, -2 msoTriStateMixed (a range
//   whose parts differ). Enumerations are std::int32_t with the values of constants.hpp.
// - Sizes, margins, spacings and positions are single-precision points (float), as PowerPoint gives them.
// - Colours are RGB values (std::int32_t): red + 256 * green + 65536 * blue; -2 for a mixed range.
// - Text sub-ranges take (Start, Length); -1 for Start means the whole range, -1 for Length means one unit.
// - Every member can raise: PowerPoint refusing calls while a modal dialog is open, the process gone,
//   an object deleted. Nothing here traps; the caller decides.
//
// Classes are defined leaves first, so that each member's result type is complete where it is used.
#pragma once

#include <cstdint>
#include <string>

#include "powerpoint/constants.hpp"
#include "powerpoint/object.hpp"

namespace ppt {

// ---------------------------------------------------------------------------------------------
// Tags, colours and fonts
// ---------------------------------------------------------------------------------------------

/// The named string values stored with a slide or a shape in the presentation file.
class Tags : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  /// The value of the tag of that name; "" when the object carries no such tag.
  std::string Item(const std::string& Name) const { return Call("Item", Args(Name)).ToString(); }
  /// Writes a tag, replacing an earlier value of the same name.
  void Add(const std::string& Name, const std::string& Value) const { Call("Add", Args(Name, Value)); }
  void Delete(const std::string& Name) const { Call("Delete", Args(Name)); }
};

/// A colour of a font, a fill or a line.
class ColorFormat : public Object {
 public:
  using Object::Object;
  /// The colour as red + 256 * green + 65536 * blue; -2 when the range's characters differ.
  std::int32_t RGB() const { return Get("RGB").ToLong(); }
  void RGB(std::int32_t value) const { Put("RGB", value); }
  /// The colour-scheme index (ppBackground … ppAccent3) the colour follows; 0 when it is not one.
  std::int32_t SchemeColor() const { return Get("SchemeColor").ToLong(); }
  void SchemeColor(std::int32_t value) const { Put("SchemeColor", value); }
};

/// The character formatting of a text range (or of a bullet, for Name).
class Font : public Object {
 public:
  using Object::Object;
  /// The font's name; "" when the range's characters use different fonts.
  std::string Name() const { return Get("Name").ToString(); }
  void Name(const std::string& value) const { Put("Name", value); }
  /// The size in points; -2 when the range's characters differ.
  float Size() const { return Get("Size").ToSingle(); }
  void Size(float value) const { Put("Size", value); }
  ppt::ColorFormat Color() const { return GetAs<ppt::ColorFormat>("Color"); }
  // Tri-states: -1 on every character, 0 on none, -2 on some only.
  std::int32_t Bold() const { return Get("Bold").ToLong(); }
  void Bold(std::int32_t value) const { Put("Bold", value); }
  std::int32_t Italic() const { return Get("Italic").ToLong(); }
  void Italic(std::int32_t value) const { Put("Italic", value); }
  std::int32_t Underline() const { return Get("Underline").ToLong(); }
  void Underline(std::int32_t value) const { Put("Underline", value); }
  std::int32_t Shadow() const { return Get("Shadow").ToLong(); }
  void Shadow(std::int32_t value) const { Put("Shadow", value); }
  std::int32_t Emboss() const { return Get("Emboss").ToLong(); }
  void Emboss(std::int32_t value) const { Put("Emboss", value); }
};

// ---------------------------------------------------------------------------------------------
// Paragraphs, bullets and rulers
// ---------------------------------------------------------------------------------------------

/// The bullet of a paragraph (or of a text style level).
class BulletFormat : public Object {
 public:
  using Object::Object;
  /// Tri-state: whether the bullet shows (-2 when the paragraphs differ).
  std::int32_t Visible() const { return Get("Visible").ToLong(); }
  void Visible(std::int32_t value) const { Put("Visible", value); }
  /// ppBulletNone 0, ppBulletUnnumbered 1, ppBulletNumbered 2, ppBulletPicture 3; -2 mixed.
  std::int32_t Type() const { return Get("Type").ToLong(); }
  void Type(std::int32_t value) const { Put("Type", value); }
  /// The code of the bullet character in the bullet's font.
  std::int32_t Character() const { return Get("Character").ToLong(); }
  void Character(std::int32_t value) const { Put("Character", value); }
  /// The bullet's font; its Name is the font the character is drawn from.
  ppt::Font Font() const { return GetAs<ppt::Font>("Font"); }
};

/// The paragraph formatting of a text range.
class ParagraphFormat : public Object {
 public:
  using Object::Object;
  /// ppAlignLeft 1, ppAlignCenter 2, ppAlignRight 3, ppAlignJustify 4 …; -2 mixed.
  std::int32_t Alignment() const { return Get("Alignment").ToLong(); }
  void Alignment(std::int32_t value) const { Put("Alignment", value); }
  /// Space before the paragraph: in lines when LineRuleBefore is -1, in points when it is 0.
  float SpaceBefore() const { return Get("SpaceBefore").ToSingle(); }
  void SpaceBefore(float value) const { Put("SpaceBefore", value); }
  /// Space after the paragraph: in lines when LineRuleAfter is -1, in points when it is 0.
  float SpaceAfter() const { return Get("SpaceAfter").ToSingle(); }
  void SpaceAfter(float value) const { Put("SpaceAfter", value); }
  /// Line spacing: in lines when LineRuleWithin is -1, in points when it is 0.
  float SpaceWithin() const { return Get("SpaceWithin").ToSingle(); }
  void SpaceWithin(float value) const { Put("SpaceWithin", value); }
  /// Tri-state: -1 when SpaceBefore is measured in lines, 0 in points.
  std::int32_t LineRuleBefore() const { return Get("LineRuleBefore").ToLong(); }
  void LineRuleBefore(std::int32_t value) const { Put("LineRuleBefore", value); }
  std::int32_t LineRuleAfter() const { return Get("LineRuleAfter").ToLong(); }
  void LineRuleAfter(std::int32_t value) const { Put("LineRuleAfter", value); }
  std::int32_t LineRuleWithin() const { return Get("LineRuleWithin").ToLong(); }
  void LineRuleWithin(std::int32_t value) const { Put("LineRuleWithin", value); }
  ppt::BulletFormat Bullet() const { return GetAs<ppt::BulletFormat>("Bullet"); }
};

/// One tab stop of a ruler.
class TabStop : public Object {
 public:
  using Object::Object;
  /// ppTabStopLeft 1, ppTabStopCenter 2, ppTabStopRight 3, ppTabStopDecimal 4.
  std::int32_t Type() const { return Get("Type").ToLong(); }
  void Type(std::int32_t value) const { Put("Type", value); }
  /// Distance from the ruler's origin, in points.
  float Position() const { return Get("Position").ToSingle(); }
  void Position(float value) const { Put("Position", value); }
  void Clear() const { Call("Clear"); }
};

/// The tab stops of a ruler, from 1.
class TabStops : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::TabStop Item(std::int32_t Index) const { return CallAs<ppt::TabStop>("Item", Args(Index)); }
  ppt::TabStop Add(std::int32_t Type, float Position) const {
    return CallAs<ppt::TabStop>("Add", Args(Type, Position));
  }
};

/// The indents of one outline level (1 to 5) of a ruler.
class RulerLevel : public Object {
 public:
  using Object::Object;
  /// Indent of the first line (where the bullet stands), in points.
  float FirstMargin() const { return Get("FirstMargin").ToSingle(); }
  void FirstMargin(float value) const { Put("FirstMargin", value); }
  /// Indent of the other lines (where the text stands), in points.
  float LeftMargin() const { return Get("LeftMargin").ToSingle(); }
  void LeftMargin(float value) const { Put("LeftMargin", value); }
};

/// The five outline levels of a ruler.
class RulerLevels : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::RulerLevel Item(std::int32_t Index) const { return CallAs<ppt::RulerLevel>("Item", Args(Index)); }
};

/// The ruler of a text frame or of a text style: tab stops and indents.
class Ruler : public Object {
 public:
  using Object::Object;
  ppt::TabStops TabStops() const { return GetAs<ppt::TabStops>("TabStops"); }
  ppt::RulerLevels Levels() const { return GetAs<ppt::RulerLevels>("Levels"); }
  /// Levels(i) is Levels().Item(i), as VB reads it.
  ppt::RulerLevel Levels(std::int32_t Index) const { return Levels().Item(Index); }
};

// ---------------------------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------------------------

/// A run of the text of a shape: the whole text, or paragraphs, words, characters or lines of it.
class TextRange : public Object {
 public:
  using Object::Object;
  // Sub-ranges counted in the unit named, relative to this range. Start -1 means the whole range
  // (and Count then gives the number of units); Length -1 means one unit from Start.
  ppt::TextRange Paragraphs(std::int32_t Start = -1, std::int32_t Length = -1) const {
    return CallAs<ppt::TextRange>("Paragraphs", Args(Start, Length));
  }
  /// A word includes the spaces that follow it.
  ppt::TextRange Words(std::int32_t Start = -1, std::int32_t Length = -1) const {
    return CallAs<ppt::TextRange>("Words", Args(Start, Length));
  }
  ppt::TextRange Characters(std::int32_t Start = -1, std::int32_t Length = -1) const {
    return CallAs<ppt::TextRange>("Characters", Args(Start, Length));
  }
  /// Lines as the text is laid out in its frame; a manual line break ends a line.
  ppt::TextRange Lines(std::int32_t Start = -1, std::int32_t Length = -1) const {
    return CallAs<ppt::TextRange>("Lines", Args(Start, Length));
  }
  /// The number of units (paragraphs, words …) of the kind this range was taken as.
  std::int32_t Count() const { return Get("Count").ToLong(); }
  /// Length and Start in characters (Start from 1 in the whole text of the frame).
  std::int32_t Length() const { return Get("Length").ToLong(); }
  std::int32_t Start() const { return Get("Start").ToLong(); }
  /// The text; paragraphs end with character 13, a manual line break is character 11.
  std::string Text() const { return Get("Text").ToString(); }
  void Text(const std::string& value) const { Put("Text", value); }
  /// The range without its trailing spaces.
  ppt::TextRange TrimText() const { return CallAs<ppt::TextRange>("TrimText"); }
  /// The outline level (1 to 5) of the range's first paragraph.
  std::int32_t IndentLevel() const { return Get("IndentLevel").ToLong(); }
  void IndentLevel(std::int32_t value) const { Put("IndentLevel", value); }
  ppt::Font Font() const { return GetAs<ppt::Font>("Font"); }
  ppt::ParagraphFormat ParagraphFormat() const { return GetAs<ppt::ParagraphFormat>("ParagraphFormat"); }
};

/// The text frame of a shape: its text and its ruler.
class TextFrame : public Object {
 public:
  using Object::Object;
  ppt::TextRange TextRange() const { return GetAs<ppt::TextRange>("TextRange"); }
  ppt::Ruler Ruler() const { return GetAs<ppt::Ruler>("Ruler"); }
  /// Tri-state: whether the frame holds any text.
  std::int32_t HasText() const { return Get("HasText").ToLong(); }
};

// ---------------------------------------------------------------------------------------------
// Fills, shapes
// ---------------------------------------------------------------------------------------------

/// The fill of a shape or of a background.
class FillFormat : public Object {
 public:
  using Object::Object;
  /// msoFillSolid 1, msoFillPatterned 2, msoFillGradient 3, msoFillTextured 4, msoFillBackground 5,
  /// msoFillPicture 6; -2 mixed.
  std::int32_t Type() const { return Get("Type").ToLong(); }
  /// The preset texture (msoTextureWalnut 22 …) of a textured fill; -2 when it is not a preset one.
  std::int32_t PresetTexture() const { return Get("PresetTexture").ToLong(); }
  ppt::ColorFormat ForeColor() const { return GetAs<ppt::ColorFormat>("ForeColor"); }
  ppt::ColorFormat BackColor() const { return GetAs<ppt::ColorFormat>("BackColor"); }
  /// Tri-state: whether the fill shows.
  std::int32_t Visible() const { return Get("Visible").ToLong(); }
  void Visible(std::int32_t value) const { Put("Visible", value); }
};

/// A set of shapes taken together; a master's or a slide's Background is one.
class ShapeRange : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::FillFormat Fill() const { return GetAs<ppt::FillFormat>("Fill"); }
};

class GroupShapes;

/// A shape of a slide or a master.
class Shape : public Object {
 public:
  using Object::Object;
  std::string Name() const { return Get("Name").ToString(); }
  void Name(const std::string& value) const { Put("Name", value); }
  /// MsoShapeType: msoAutoShape 1, msoGroup 6, msoPlaceholder 14, msoTextBox 17 …
  std::int32_t Type() const { return Get("Type").ToLong(); }
  /// MsoAutoShapeType of an AutoShape (msoShapeRectangle 1 …).
  std::int32_t AutoShapeType() const { return Get("AutoShapeType").ToLong(); }
  /// The member shapes of a group shape.
  ppt::GroupShapes GroupItems() const;
  /// Tri-state: whether the shape can hold text.
  std::int32_t HasTextFrame() const { return Get("HasTextFrame").ToLong(); }
  ppt::TextFrame TextFrame() const { return GetAs<ppt::TextFrame>("TextFrame"); }
  ppt::FillFormat Fill() const { return GetAs<ppt::FillFormat>("Fill"); }
  // Geometry in points from the slide's top left corner; Rotation in degrees.
  float Left() const { return Get("Left").ToSingle(); }
  void Left(float value) const { Put("Left", value); }
  float Top() const { return Get("Top").ToSingle(); }
  void Top(float value) const { Put("Top", value); }
  float Width() const { return Get("Width").ToSingle(); }
  void Width(float value) const { Put("Width", value); }
  float Height() const { return Get("Height").ToSingle(); }
  void Height(float value) const { Put("Height", value); }
  float Rotation() const { return Get("Rotation").ToSingle(); }
  void Rotation(float value) const { Put("Rotation", value); }
  ppt::Tags Tags() const { return GetAs<ppt::Tags>("Tags"); }
};

/// The member shapes of a group, from 1.
class GroupShapes : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::Shape Item(std::int32_t Index) const { return CallAs<ppt::Shape>("Item", Args(Index)); }
};

inline GroupShapes Shape::GroupItems() const {
  return GetAs<ppt::GroupShapes>("GroupItems");
}

/// The shapes of a slide or a master, from 1 in their z-order (the frontmost last).
class Shapes : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::Shape Item(std::int32_t Index) const { return CallAs<ppt::Shape>("Item", Args(Index)); }
};

// ---------------------------------------------------------------------------------------------
// Headers and footers, colour schemes, text styles
// ---------------------------------------------------------------------------------------------

/// One header or footer item (date, slide number, header, footer).
class HeaderFooter : public Object {
 public:
  using Object::Object;
  /// Tri-state: whether the item shows.
  std::int32_t Visible() const { return Get("Visible").ToLong(); }
  void Visible(std::int32_t value) const { Put("Visible", value); }
  std::string Text() const { return Get("Text").ToString(); }
  void Text(const std::string& value) const { Put("Text", value); }
};

/// The header and footer items of a slide or a master.
class HeadersFooters : public Object {
 public:
  using Object::Object;
  ppt::HeaderFooter DateAndTime() const { return GetAs<ppt::HeaderFooter>("DateAndTime"); }
  ppt::HeaderFooter SlideNumber() const { return GetAs<ppt::HeaderFooter>("SlideNumber"); }
  /// Only notes and handout masters have a header.
  ppt::HeaderFooter Header() const { return GetAs<ppt::HeaderFooter>("Header"); }
  ppt::HeaderFooter Footer() const { return GetAs<ppt::HeaderFooter>("Footer"); }
};

/// One colour of a colour scheme.
class RGBColor : public Object {
 public:
  using Object::Object;
  /// red + 256 * green + 65536 * blue.
  std::int32_t RGB() const { return Get("RGB").ToLong(); }
  void RGB(std::int32_t value) const { Put("RGB", value); }
};

/// A colour scheme: eight colours, indexed ppBackground 1 … ppAccent3 8.
class ColorScheme : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::RGBColor Colors(std::int32_t SchemeColor) const {
    return CallAs<ppt::RGBColor>("Colors", Args(SchemeColor));
  }
};

/// The standard colour schemes of a presentation, from 1.
class ColorSchemes : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::ColorScheme Item(std::int32_t Index) const { return CallAs<ppt::ColorScheme>("Item", Args(Index)); }
};

/// The formatting of one outline level (1 to 5) of a text style.
class TextStyleLevel : public Object {
 public:
  using Object::Object;
  ppt::ParagraphFormat ParagraphFormat() const { return GetAs<ppt::ParagraphFormat>("ParagraphFormat"); }
  ppt::Font Font() const { return GetAs<ppt::Font>("Font"); }
};

/// The five outline levels of a text style.
class TextStyleLevels : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::TextStyleLevel Item(std::int32_t Level) const {
    return CallAs<ppt::TextStyleLevel>("Item", Args(Level));
  }
};

/// A text style of a master (ppDefaultStyle 1, ppTitleStyle 2, ppBodyStyle 3).
class TextStyle : public Object {
 public:
  using Object::Object;
  ppt::Ruler Ruler() const { return GetAs<ppt::Ruler>("Ruler"); }
  ppt::TextStyleLevels Levels() const { return GetAs<ppt::TextStyleLevels>("Levels"); }
  /// Levels(i) is Levels().Item(i), as VB reads it.
  ppt::TextStyleLevel Levels(std::int32_t Level) const { return Levels().Item(Level); }
};

/// The text styles of a master, indexed by PpTextStyleType.
class TextStyles : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::TextStyle Item(std::int32_t Type) const { return CallAs<ppt::TextStyle>("Item", Args(Type)); }
};

// ---------------------------------------------------------------------------------------------
// Masters, designs, slides
// ---------------------------------------------------------------------------------------------

/// A master: slide master, title master, notes master or handout master.
class Master : public Object {
 public:
  using Object::Object;
  std::string Name() const { return Get("Name").ToString(); }
  ppt::Shapes Shapes() const { return GetAs<ppt::Shapes>("Shapes"); }
  ppt::HeadersFooters HeadersFooters() const { return GetAs<ppt::HeadersFooters>("HeadersFooters"); }
  ppt::ShapeRange Background() const { return GetAs<ppt::ShapeRange>("Background"); }
  ppt::TextStyles TextStyles() const { return GetAs<ppt::TextStyles>("TextStyles"); }
  /// TextStyles(t) is TextStyles().Item(t), as VB reads it.
  ppt::TextStyle TextStyles(std::int32_t Type) const { return TextStyles().Item(Type); }
};

/// A design (the masters a design template brought) used by a presentation's slides.
class Design : public Object {
 public:
  using Object::Object;
  /// The design's name: its template's file name without ".pot".
  std::string Name() const { return Get("Name").ToString(); }
  ppt::Master SlideMaster() const { return GetAs<ppt::Master>("SlideMaster"); }
  /// Tri-state: whether the design has a title master.
  std::int32_t HasTitleMaster() const { return Get("HasTitleMaster").ToLong(); }
  ppt::Master TitleMaster() const { return GetAs<ppt::Master>("TitleMaster"); }
};

/// The designs of a presentation, from 1.
class Designs : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::Design Item(std::int32_t Index) const { return CallAs<ppt::Design>("Item", Args(Index)); }
};

/// A slide of a presentation.
class Slide : public Object {
 public:
  using Object::Object;
  /// The slide's position in the presentation, from 1.
  std::int32_t SlideIndex() const { return Get("SlideIndex").ToLong(); }
  /// A number that stays with the slide for the life of the presentation.
  std::int32_t SlideID() const { return Get("SlideID").ToLong(); }
  std::string Name() const { return Get("Name").ToString(); }
  /// PpSlideLayout: ppLayoutTitle 1, ppLayoutText 2, ppLayoutTitleOnly 11 …
  std::int32_t Layout() const { return Get("Layout").ToLong(); }
  void Layout(std::int32_t value) const { Put("Layout", value); }
  ppt::ColorScheme ColorScheme() const { return GetAs<ppt::ColorScheme>("ColorScheme"); }
  void ColorScheme(const ppt::ColorScheme& value) const { Put("ColorScheme", value.ref()); }
  /// Tri-state: whether the slide shows its master's background.
  std::int32_t FollowMasterBackground() const { return Get("FollowMasterBackground").ToLong(); }
  void FollowMasterBackground(std::int32_t value) const { Put("FollowMasterBackground", value); }
  ppt::ShapeRange Background() const { return GetAs<ppt::ShapeRange>("Background"); }
  ppt::Shapes Shapes() const { return GetAs<ppt::Shapes>("Shapes"); }
  ppt::HeadersFooters HeadersFooters() const { return GetAs<ppt::HeadersFooters>("HeadersFooters"); }
  ppt::Tags Tags() const { return GetAs<ppt::Tags>("Tags"); }
  ppt::Design Design() const { return GetAs<ppt::Design>("Design"); }
  ppt::Master Master() const { return GetAs<ppt::Master>("Master"); }
};

/// Several slides taken together. A property that differs between them reads as mixed (-2), and a
/// ColorScheme they do not share raises PowerPoint's error (-2147188160).
class SlideRange : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::Slide Item(std::int32_t Index) const { return CallAs<ppt::Slide>("Item", Args(Index)); }
  std::int32_t Layout() const { return Get("Layout").ToLong(); }
  void Layout(std::int32_t value) const { Put("Layout", value); }
  ppt::ColorScheme ColorScheme() const { return GetAs<ppt::ColorScheme>("ColorScheme"); }
  void ColorScheme(const ppt::ColorScheme& value) const { Put("ColorScheme", value.ref()); }
  /// Tri-state: -1 when every slide of the range follows its master's background.
  std::int32_t FollowMasterBackground() const { return Get("FollowMasterBackground").ToLong(); }
  void FollowMasterBackground(std::int32_t value) const { Put("FollowMasterBackground", value); }
  ppt::ShapeRange Background() const { return GetAs<ppt::ShapeRange>("Background"); }
  ppt::Shapes Shapes() const { return GetAs<ppt::Shapes>("Shapes"); }
  ppt::HeadersFooters HeadersFooters() const { return GetAs<ppt::HeadersFooters>("HeadersFooters"); }
  ppt::Tags Tags() const { return GetAs<ppt::Tags>("Tags"); }
  ppt::Design Design() const { return GetAs<ppt::Design>("Design"); }
};

/// The slides of a presentation, from 1 in their order.
class Slides : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::Slide Item(std::int32_t Index) const { return CallAs<ppt::Slide>("Item", Args(Index)); }
  /// All the slides as one range.
  ppt::SlideRange Range() const { return CallAs<ppt::SlideRange>("Range"); }
  /// The slide at Index as a range.
  ppt::SlideRange Range(std::int32_t Index) const { return CallAs<ppt::SlideRange>("Range", Args(Index)); }
};

// ---------------------------------------------------------------------------------------------
// Presentation settings and properties
// ---------------------------------------------------------------------------------------------

/// The page setup of a presentation.
class PageSetup : public Object {
 public:
  using Object::Object;
  /// MsoOrientation: msoOrientationHorizontal 1 (landscape), msoOrientationVertical 2 (portrait).
  std::int32_t SlideOrientation() const { return Get("SlideOrientation").ToLong(); }
  void SlideOrientation(std::int32_t value) const { Put("SlideOrientation", value); }
  /// The orientation of notes pages and handouts.
  std::int32_t NotesOrientation() const { return Get("NotesOrientation").ToLong(); }
  void NotesOrientation(std::int32_t value) const { Put("NotesOrientation", value); }
  /// PpSlideSizeType: ppSlideSizeOnScreen 1 … ppSlideSizeOverhead 5 …
  std::int32_t SlideSize() const { return Get("SlideSize").ToLong(); }
  void SlideSize(std::int32_t value) const { Put("SlideSize", value); }
};

/// The print settings of a presentation (or of the print preview).
class PrintOptions : public Object {
 public:
  using Object::Object;
  /// PpPrintOutputType: ppPrintOutputSlides 1 … ppPrintOutputFourSlideHandouts 8 …
  std::int32_t OutputType() const { return Get("OutputType").ToLong(); }
  void OutputType(std::int32_t value) const { Put("OutputType", value); }
  /// PpPrintRangeType: ppPrintAll 1, ppPrintSelection 2, ppPrintCurrent 3, ppPrintSlideRange 4 …
  std::int32_t RangeType() const { return Get("RangeType").ToLong(); }
  void RangeType(std::int32_t value) const { Put("RangeType", value); }
};

/// One document property; its value is read late-bound, as a Variant (a string, a date …).
class DocumentProperty : public Object {
 public:
  using Object::Object;
  std::string Name() const { return Get("Name").ToString(); }
  vb::Variant Value() const { return Get("Value"); }
  void Value(vb::Variant value) const { Put("Value", std::move(value)); }
};

/// The built-in document properties of a presentation, by number (6 the template, 11 the creation
/// date, 12 the last save time, 19 the format …) or by name.
class DocumentProperties : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::DocumentProperty Item(std::int32_t Index) const {
    return GetAs<ppt::DocumentProperty>("Item", Args(Index));
  }
  ppt::DocumentProperty Item(const std::string& Name) const {
    return GetAs<ppt::DocumentProperty>("Item", Args(Name));
  }
};

// ---------------------------------------------------------------------------------------------
// Presentations
// ---------------------------------------------------------------------------------------------

/// An open presentation.
class Presentation : public Object {
 public:
  using Object::Object;
  /// The file name, as PowerPoint reports it (possibly without its extension).
  std::string Name() const { return Get("Name").ToString(); }
  /// The folder and file name; "" for a presentation never saved.
  std::string FullName() const { return Get("FullName").ToString(); }
  /// The folder, without its trailing backslash; "" for a presentation never saved.
  std::string Path() const { return Get("Path").ToString(); }
  /// Tri-state: -1 when there is nothing to save. Setting -1 lets Close discard the changes silently.
  std::int32_t Saved() const { return Get("Saved").ToLong(); }
  void Saved(std::int32_t value) const { Put("Saved", value); }
  /// Closes the presentation without a question (changes not saved are lost).
  void Close() const { Call("Close"); }
  ppt::Slides Slides() const { return GetAs<ppt::Slides>("Slides"); }
  ppt::Master SlideMaster() const { return GetAs<ppt::Master>("SlideMaster"); }
  /// Tri-state: whether the presentation has a title master.
  std::int32_t HasTitleMaster() const { return Get("HasTitleMaster").ToLong(); }
  /// Raises PowerPoint's error when the presentation has no title master.
  ppt::Master TitleMaster() const { return GetAs<ppt::Master>("TitleMaster"); }
  ppt::Master NotesMaster() const { return GetAs<ppt::Master>("NotesMaster"); }
  ppt::Master HandoutMaster() const { return GetAs<ppt::Master>("HandoutMaster"); }
  /// The file name, with its extension, of the design template last applied; "" when none.
  std::string TemplateName() const { return Get("TemplateName").ToString(); }
  ppt::Designs Designs() const { return GetAs<ppt::Designs>("Designs"); }
  ppt::ColorSchemes ColorSchemes() const { return GetAs<ppt::ColorSchemes>("ColorSchemes"); }
  ppt::PageSetup PageSetup() const { return GetAs<ppt::PageSetup>("PageSetup"); }
  ppt::PrintOptions PrintOptions() const { return GetAs<ppt::PrintOptions>("PrintOptions"); }
  ppt::DocumentProperties BuiltInDocumentProperties() const {
    return GetAs<ppt::DocumentProperties>("BuiltInDocumentProperties");
  }
  /// BuiltInDocumentProperties(i) is BuiltInDocumentProperties().Item(i), as VB reads it.
  ppt::DocumentProperty BuiltInDocumentProperties(std::int32_t Index) const {
    return BuiltInDocumentProperties().Item(Index);
  }
};

/// The open presentations of PowerPoint, from 1 in the order they were opened.
class Presentations : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::Presentation Item(std::int32_t Index) const { return CallAs<ppt::Presentation>("Item", Args(Index)); }
  /// Opens a presentation file. Untitled -1 opens a new, unsaved copy (as from a template);
  /// WithWindow 0 opens it without a window. Tri-states, defaulted as PowerPoint defaults them.
  ppt::Presentation Open(const std::string& FileName, std::int32_t ReadOnly = msoFalse,
                         std::int32_t Untitled = msoFalse, std::int32_t WithWindow = msoTrue) const {
    return CallAs<ppt::Presentation>("Open", Args(FileName, ReadOnly, Untitled, WithWindow));
  }
  /// A new, empty presentation.
  ppt::Presentation Add(std::int32_t WithWindow = msoTrue) const {
    return CallAs<ppt::Presentation>("Add", Args(WithWindow));
  }
};

// ---------------------------------------------------------------------------------------------
// Windows and views
// ---------------------------------------------------------------------------------------------

/// The view a window or a pane shows.
class View : public Object {
 public:
  using Object::Object;
  /// PpViewType of the view.
  std::int32_t Type() const { return Get("Type").ToLong(); }
  /// Shows the slide at that position.
  void GotoSlide(std::int32_t Index) const { Call("GotoSlide", Args(Index)); }
  /// The zoom, in per cent.
  std::int32_t Zoom() const { return Get("Zoom").ToLong(); }
  void Zoom(std::int32_t value) const { Put("Zoom", value); }
  /// The print settings of the print preview.
  ppt::PrintOptions PrintOptions() const { return GetAs<ppt::PrintOptions>("PrintOptions"); }
};

/// A pane of a document window (the normal view has three: outline, slide and notes).
class Pane : public Object {
 public:
  using Object::Object;
  /// PpViewType the pane shows (ppViewSlide 1, ppViewOutline 6, ppViewThumbnails 11 …).
  std::int32_t ViewType() const { return Get("ViewType").ToLong(); }
  /// Tri-state: whether this is the window's active pane.
  std::int32_t Active() const { return Get("Active").ToLong(); }
  void Activate() const { Call("Activate"); }
};

/// The panes of a document window, from 1.
class Panes : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::Pane Item(std::int32_t Index) const { return CallAs<ppt::Pane>("Item", Args(Index)); }
};

/// A document window of PowerPoint, showing one presentation.
class DocumentWindow : public Object {
 public:
  using Object::Object;
  /// PpViewType of the window: ppViewNormal 9, ppViewSlideMaster 2, ppViewPrintPreview 10 …
  std::int32_t ViewType() const { return Get("ViewType").ToLong(); }
  void ViewType(std::int32_t value) const { Put("ViewType", value); }
  ppt::View View() const { return GetAs<ppt::View>("View"); }
  ppt::Pane ActivePane() const { return GetAs<ppt::Pane>("ActivePane"); }
  ppt::Panes Panes() const { return GetAs<ppt::Panes>("Panes"); }
  ppt::Presentation Presentation() const { return GetAs<ppt::Presentation>("Presentation"); }
  /// Makes this window (and its presentation) the active one.
  void Activate() const { Call("Activate"); }
};

// ---------------------------------------------------------------------------------------------
// Command bars (Office)
// ---------------------------------------------------------------------------------------------

/// A control of a command bar (a button, a menu …).
class CommandBarControl : public Object {
 public:
  using Object::Object;
  std::string Caption() const { return Get("Caption").ToString(); }
  bool Enabled() const { return Get("Enabled").ToBool(); }
  bool Visible() const { return Get("Visible").ToBool(); }
  /// A button's state, read late-bound: msoButtonUp 0, msoButtonDown -1, msoButtonMixed 2.
  vb::Variant State() const { return Get("State"); }
  void State(vb::Variant value) const { Put("State", std::move(value)); }
  /// Runs the control as a click does (a toggle button changes state).
  void Execute() const { Call("Execute"); }
};

/// The controls of a command bar, from 1.
class CommandBarControls : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::CommandBarControl Item(std::int32_t Index) const {
    return GetAs<ppt::CommandBarControl>("Item", Args(Index));
  }
};

/// A toolbar, menu bar or the task pane.
class CommandBar : public Object {
 public:
  using Object::Object;
  std::string Name() const { return Get("Name").ToString(); }
  /// A disabled bar cannot be shown.
  bool Enabled() const { return Get("Enabled").ToBool(); }
  void Enabled(bool value) const { Put("Enabled", value); }
  bool Visible() const { return Get("Visible").ToBool(); }
  void Visible(bool value) const { Put("Visible", value); }
  /// MsoBarPosition: msoBarLeft 0, msoBarTop 1, msoBarRight 2, msoBarBottom 3, msoBarFloating 4.
  std::int32_t Position() const { return Get("Position").ToLong(); }
  void Position(std::int32_t value) const { Put("Position", value); }
  ppt::CommandBarControls Controls() const { return GetAs<ppt::CommandBarControls>("Controls"); }
};

/// PowerPoint's command bars, from 1 or by name ("standard", "formatting", "Drawing", "Task Pane" …).
class CommandBars : public Object {
 public:
  using Object::Object;
  std::int32_t Count() const { return Get("Count").ToLong(); }
  ppt::CommandBar Item(std::int32_t Index) const { return GetAs<ppt::CommandBar>("Item", Args(Index)); }
  /// The bar of that name (compared without case); an unknown name raises an error.
  ppt::CommandBar Item(const std::string& Name) const { return GetAs<ppt::CommandBar>("Item", Args(Name)); }
  /// Whether buttons show their tooltips.
  bool DisplayTooltips() const { return Get("DisplayTooltips").ToBool(); }
  void DisplayTooltips(bool value) const { Put("DisplayTooltips", value); }
};

// ---------------------------------------------------------------------------------------------
// Application
// ---------------------------------------------------------------------------------------------

/// A running PowerPoint: the root of its object model.
class Application : public Object {
 public:
  using Object::Object;
  ppt::Presentations Presentations() const { return GetAs<ppt::Presentations>("Presentations"); }
  /// The active document window; raises PowerPoint's error when no window is open.
  ppt::DocumentWindow ActiveWindow() const { return GetAs<ppt::DocumentWindow>("ActiveWindow"); }
  /// The presentation of the active window; raises PowerPoint's error when none is open.
  ppt::Presentation ActivePresentation() const { return GetAs<ppt::Presentation>("ActivePresentation"); }
  ppt::CommandBars CommandBars() const { return GetAs<ppt::CommandBars>("CommandBars"); }
  /// Ends PowerPoint, called late-bound; every reference to its objects then stops answering.
  vb::Variant Quit() const { return Call("Quit"); }
  /// PpWindowState of the main window: ppWindowNormal 1, ppWindowMinimized 2, ppWindowMaximized 3.
  std::int32_t WindowState() const { return Get("WindowState").ToLong(); }
  void WindowState(std::int32_t value) const { Put("WindowState", value); }
  /// Tri-state: whether the main window shows.
  std::int32_t Visible() const { return Get("Visible").ToLong(); }
  void Visible(std::int32_t value) const { Put("Visible", value); }
  /// Tri-state: whether PowerPoint shows its start-up task pane when it starts.
  std::int32_t ShowStartupDialog() const { return Get("ShowStartupDialog").ToLong(); }
  void ShowStartupDialog(std::int32_t value) const { Put("ShowStartupDialog", value); }
  /// "11.0" for PowerPoint 2003.
  std::string Version() const { return Get("Version").ToString(); }
};

}  // namespace ppt
