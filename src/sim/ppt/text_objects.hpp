// The text objects of the simulated PowerPoint, called by name: TextFrame, TextRange, Font,
// ColorFormat, ParagraphFormat, BulletFormat, Ruler, TabStops, TabStop, RulerLevels, RulerLevel.
// Each is a view over the text model (text.hpp): a TextRange holds its body and its span, and
// reads and writes them afresh at every call.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "sim/ppt/object.hpp"
#include "sim/ppt/text.hpp"

namespace sim::ppt {

/// What the owner of some text wants of the objects over it: a check made before every call, which
/// raises when the text is gone (its shape deleted, its presentation closed), and a notice after
/// every change made through them (to mark the presentation modified). Both optional.
struct TextHooks {
  std::function<void()> check_alive;
  std::function<void()> changed;
};

/// Where the objects of one text frame find their text.
struct TextSource {
  std::shared_ptr<TextBody> body;
  /// The width of the shape holding the frame, in points, read at every use: lines wrap inside it,
  /// less the frame's margins. Null: lines do not wrap.
  std::function<double()> shape_width;
  /// The ruler TextFrame.Ruler shows; null: the body's own.
  std::shared_ptr<Ruler> ruler;
  TextHooks hooks;
  /// What TextFrame.Parent returns (the shape); null: Parent is not offered.
  std::function<vb::ObjectRef()> parent;
};

/// A shape's TextFrame.
vb::ObjectRef MakeTextFrame(std::shared_ptr<Context> context, TextSource source);
/// A TextRange over a range of a body (the whole text by default).
vb::ObjectRef MakeTextRange(std::shared_ptr<Context> context, TextSource source,
                            RangeRef range = RangeRef::Whole());

/// The objects over values that stand alone, such as the levels of a master's text styles
/// (TextStyles(ppBodyStyle).Ruler, .Levels(n).ParagraphFormat, .Levels(n).Font).
vb::ObjectRef MakeRuler(std::shared_ptr<Context> context, std::shared_ptr<Ruler> ruler, TextHooks hooks = {});
vb::ObjectRef MakeParagraphFormat(std::shared_ptr<Context> context,
                                  std::shared_ptr<ParagraphFormatData> format, TextHooks hooks = {});
vb::ObjectRef MakeFont(std::shared_ptr<Context> context, std::shared_ptr<FontData> font,
                       TextHooks hooks = {});

/// A ColorFormat over any colour: `get` returns the RGB value (-2 for a mixed one), `set` stores
/// one (0 to 16777215, checked before it is called). FillFormat.ForeColor uses it too.
vb::ObjectRef MakeColorFormat(std::shared_ptr<Context> context, std::function<std::int32_t()> get,
                              std::function<void(std::int32_t)> set, TextHooks hooks = {});

}  // namespace sim::ppt
