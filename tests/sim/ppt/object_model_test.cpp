// Conformance of the simulated PowerPoint's object model: the behaviour the module relies on,
// one case per test.
#include <gtest/gtest.h>

#include "ppt_helpers.hpp"

namespace {

using namespace ppt_test;

class ObjectModel : public ModelOpen {
 protected:
  void SetUp() override {
    ModelOpen::SetUp();
    slides = Obj(presentation, "Slides");
  }
  std::string Tag(const vb::ObjectRef& object) {
    return Get(Obj(object, "Tags"), "Item", Args("Identite")).ToString();
  }
  std::vector<int> PaneTypes() {
    std::vector<int> types;
    auto panes = Obj(window, "Panes");
    for (int i = 1; i <= Get(panes, "Count").ToLong(); ++i)
      types.push_back(Get(Obj(panes, "Item", Args(i)), "ViewType").ToLong());
    return types;
  }
  vb::ObjectRef slides;
};

// Item out of range, and GotoSlide beyond the end, raise PowerPoint's error with its message
// naming the valid range.
TEST_F(ObjectModel, ItemOutOfRangeNamesTheValidRange) {
  auto error = ErrorOf([&] { Slide(9); });
  EXPECT_EQ(kPowerPointError, error.number());
  EXPECT_EQ("Slides.Item : Integer out of range. 9 is not in the valid range of 1 to 6.",
            error.description());
  EXPECT_EQ("View.GotoSlide : Integer out of range. 7 is not in the valid range of 1 to 6.",
            ErrorOf([&] { Call(Obj(window, "View"), "GotoSlide", Args(7)); }).description());
}

// A member that does not exist raises 438, whatever its case.
TEST_F(ObjectModel, UnknownMemberRaises438) {
  EXPECT_EQ(vb::errors::kNoSuchMember, ErrorOf([&] { Get(presentation, "Diapositives"); }).number());
  EXPECT_EQ(6, Get(Obj(presentation, "sLiDeS"), "COUNT").ToLong());
}

// Two references to one presentation, slide or shape are the same object for Is.
TEST_F(ObjectModel, ReferencesToOneNodeAreTheSameObject) {
  EXPECT_TRUE(vb::SameObject(presentation, Obj(Obj(ppt.app, "Presentations"), "Item", Args(1))));
  EXPECT_TRUE(vb::SameObject(presentation, Obj(window, "Presentation")));
  EXPECT_TRUE(vb::SameObject(Slide(2), Obj(Obj(slides, "Range", Args(2)), "Item", Args(1))));
  EXPECT_TRUE(vb::SameObject(Obj(Obj(Slide(3), "Shapes"), "Item", Args(2)),
                             Obj(Obj(Slide(3), "Shapes"), "Item", Args(2))));
  EXPECT_FALSE(vb::SameObject(Slide(2), Slide(3)));
  // A scheme and its first colour are two objects (a COM server hands one out for the other when
  // they are the same).
  auto scheme = Obj(Obj(presentation, "ColorSchemes"), "Item", Args(2));
  EXPECT_TRUE(vb::SameObject(scheme, Obj(Obj(presentation, "ColorSchemes"), "Item", Args(2))));
  EXPECT_FALSE(vb::SameObject(scheme, Obj(scheme, "Colors", Args(1))));
  EXPECT_TRUE(vb::SameObject(Obj(scheme, "Colors", Args(1)), Obj(scheme, "Colors", Args(1))));
}

// A slide's copy carries the slide's tags and comes right after it.
TEST_F(ObjectModel, DuplicateCopiesTags) {
  for (int i = 1; i <= 6; ++i)
    Call(Obj(Slide(i), "Tags"), "Add", Args("Identite", "ZUK" + std::to_string(i)));
  auto copy = Obj(Call(Slide(2), "Duplicate").ToObject(), "Item", Args(1));
  EXPECT_EQ(7, Get(slides, "Count").ToLong());
  EXPECT_EQ(3, Get(copy, "SlideIndex").ToLong());
  EXPECT_EQ("ZUK2", Tag(Slide(3)));
  EXPECT_EQ("ZUK3", Tag(Slide(4)));
  EXPECT_NE(Get(Slide(2), "SlideID").ToLong(), Get(copy, "SlideID").ToLong());
}

// Tags: a missing tag reads "", Add replaces, names are kept in capitals, Delete removes.
TEST_F(ObjectModel, TagsReplaceAndReadEmptyWhenMissing) {
  auto tags = Obj(Slide(1), "Tags");
  EXPECT_EQ("", Get(tags, "Item", Args("Identite")).ToString());
  Call(tags, "Add", Args("Identite", "ZUK1"));
  Call(tags, "Add", Args("IDENTITE", "ZUK9"));
  EXPECT_EQ(1, Get(tags, "Count").ToLong());
  EXPECT_EQ("ZUK9", Get(tags, "Item", Args("identite")).ToString());
  EXPECT_EQ("IDENTITE", Get(tags, "Name", Args(1)).ToString());
  Call(tags, "Delete", Args("Identite"));
  EXPECT_EQ(0, Get(tags, "Count").ToLong());
}

// Deleting, moving and adding slides; a deleted slide's object raises.
TEST_F(ObjectModel, SlidesDeleteMoveAndAdd) {
  for (int i = 1; i <= 6; ++i)
    Call(Obj(Slide(i), "Tags"), "Add", Args("Identite", "ZUK" + std::to_string(i)));
  auto second = Slide(2);
  Call(second, "Delete");
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Get(second, "SlideIndex"); }).number());
  Call(Slide(1), "MoveTo", Args(5));
  EXPECT_EQ("ZUK3", Tag(Slide(1)));
  EXPECT_EQ("ZUK1", Tag(Slide(5)));
  auto added = Call(slides, "Add", Args(6, 11)).ToObject();
  EXPECT_EQ(11, Get(added, "Layout").ToLong());
  EXPECT_EQ("", Tag(Slide(6)));
  EXPECT_EQ(1, Get(Obj(added, "Shapes"), "Count").ToLong());
}

// A range of slides with different colour schemes raises -2147188160 for its ColorScheme.
TEST_F(ObjectModel, ColorSchemeOfAMixedRangeRaises) {
  auto standard = Obj(presentation, "ColorSchemes");
  Put(Slide(2), "ColorScheme", Obj(standard, "Item", Args(2)));
  auto error = ErrorOf([&] { Obj(Call(slides, "Range").ToObject(), "ColorScheme"); });
  EXPECT_EQ(kPowerPointError, error.number());
  // Given one scheme, the range reads it; each slide holds a copy, so editing the standard
  // scheme afterwards leaves the slides alone.
  Put(Call(slides, "Range").ToObject(), "ColorScheme", Obj(standard, "Item", Args(2)));
  auto common = Obj(Call(slides, "Range").ToObject(), "ColorScheme");
  const auto before = Get(Obj(common, "Colors", Args(1)), "RGB").ToLong();
  Put(Obj(Obj(standard, "Item", Args(2)), "Colors", Args(1)), "RGB", 255);
  EXPECT_EQ(before, Get(Obj(Obj(Slide(4), "ColorScheme"), "Colors", Args(1)), "RGB").ToLong());
}

// ColorSchemes.Add and Item(i).Delete change the count of standard schemes.
TEST_F(ObjectModel, StandardSchemesAddAndDelete) {
  auto standard = Obj(presentation, "ColorSchemes");
  const long count = Get(standard, "Count").ToLong();
  Call(standard, "Add", Args(Obj(Slide(1), "ColorScheme")));
  EXPECT_EQ(count + 1, Get(standard, "Count").ToLong());
  Call(Obj(standard, "Item", Args(1)), "Delete");
  EXPECT_EQ(count, Get(standard, "Count").ToLong());
}

// FollowMasterBackground over a range: -1 all, -2 mixed; a background texture on a slide stops
// it following the master.
TEST_F(ObjectModel, FollowMasterBackgroundIsATriStateOverTheRange) {
  auto all = Call(slides, "Range").ToObject();
  EXPECT_EQ(-1, Get(all, "FollowMasterBackground").ToLong());
  Call(Obj(Obj(Slide(2), "Background"), "Fill"), "PresetTextured", Args(22));
  EXPECT_EQ(-2, Get(all, "FollowMasterBackground").ToLong());
  EXPECT_EQ(22, Get(Obj(Obj(Slide(2), "Background"), "Fill"), "PresetTexture").ToLong());
  Put(all, "FollowMasterBackground", -1);
  auto master_fill = Obj(Obj(Obj(presentation, "SlideMaster"), "Background"), "Fill");
  Call(master_fill, "PresetTextured", Args(22));
  EXPECT_EQ(4, Get(master_fill, "Type").ToLong());
  Put(Obj(master_fill, "ForeColor"), "RGB", 0x336699);
  EXPECT_EQ(0x336699, Get(Obj(master_fill, "ForeColor"), "RGB").ToLong());
  EXPECT_EQ(22, Get(Obj(Obj(Slide(1), "Background"), "Fill"), "PresetTexture").ToLong());
}

// The window's view and its panes for each view type set (0: not looked at): normal has three
// panes; the slide master and the title master shown in normal view keep the window at 9, with
// panes 12 and 2 or 8; print preview, slide sorter, notes page, handout master and notes master
// are views of their own, one pane each. Panes.Item names its valid range.
TEST_F(ObjectModel, ViewsAndTheirPanes) {
  struct Case {
    int set, window;
    std::vector<int> panes;
    int active;
  };
  for (const Case& c : {Case{9, 9, {11, 1, 3}, 1}, Case{2, 9, {12, 2}, 2}, Case{8, 0, {12, 8}, 0},
                        Case{10, 10, {10}, 10}, Case{7, 7, {7}, 7}, Case{3, 3, {3}, 3}, Case{4, 4, {4}, 4},
                        Case{5, 5, {5}, 5}, Case{9, 9, {11, 1, 3}, 1}}) {
    Put(window, "ViewType", c.set);
    if (c.window) {
      EXPECT_EQ(c.window, Get(window, "ViewType").ToLong()) << c.set;
    }
    EXPECT_EQ(c.panes, PaneTypes()) << c.set;
    if (c.active) {
      EXPECT_EQ(c.active, Get(Obj(window, "ActivePane"), "ViewType").ToLong()) << c.set;
    }
    const int beyond = static_cast<int>(c.panes.size()) + 1;
    EXPECT_EQ("Panes.Item : Integer out of range. " + std::to_string(beyond) +
                  " is not in the valid range of 1 to " + std::to_string(c.panes.size()) + ".",
              ErrorOf([&] { Obj(Obj(window, "Panes"), "Item", Args(beyond)); }).description());
  }
}

// ApplyTemplate on the presentation replaces its design and sets TemplateName; on part of the
// slides it adds a design beside the first.
TEST_F(ObjectModel, ApplyTemplateReplacesOrAddsADesign) {
  const std::string texture = ppt.desktop.DesignsFolder() + "Texture.pot";
  Call(Call(slides, "Range", {{vb::Array{vb::Variant(1), vb::Variant(2)}, {}}}).ToObject(), "ApplyTemplate",
       Args(texture));
  auto designs = Obj(presentation, "Designs");
  EXPECT_EQ(2, Get(designs, "Count").ToLong());
  EXPECT_EQ("Texture", Get(Obj(Slide(1), "Design"), "Name").ToString());
  EXPECT_EQ("Capsules", Get(Obj(Slide(3), "Design"), "Name").ToString());
  EXPECT_EQ("Capsules.pot", Get(presentation, "TemplateName").ToString());
  Call(presentation, "ApplyTemplate", Args(texture));
  EXPECT_EQ(1, Get(designs, "Count").ToLong());
  EXPECT_EQ("Texture.pot", Get(presentation, "TemplateName").ToString());
  EXPECT_EQ(8, Get(Obj(presentation, "ColorSchemes"), "Count").ToLong());
}

// Shapes: geometry, deletion, z-order, duplication with tags, and GroupItems refused on a non-group.
TEST_F(ObjectModel, ShapesKeepTheirTagsThroughChanges) {
  auto shapes = Obj(Slide(3), "Shapes");
  for (int i = 1; i <= 2; ++i)
    Call(Obj(Obj(shapes, "Item", Args(i)), "Tags"), "Add", Args("Identite", "ZUK" + std::to_string(i)));
  Call(Obj(shapes, "Item", Args(1)), "ZOrder", Args(0));
  EXPECT_EQ("ZUK1", Tag(Obj(shapes, "Item", Args(2))));
  Call(Obj(shapes, "Item", Args(2)), "Duplicate");
  EXPECT_EQ(3, Get(shapes, "Count").ToLong());
  EXPECT_EQ("ZUK1", Tag(Obj(shapes, "Item", Args(3))));
  Call(Obj(shapes, "Item", Args(1)), "Delete");
  EXPECT_EQ("ZUK1", Tag(Obj(shapes, "Item", Args(1))));
  auto shape = Obj(shapes, "Item", Args(1));
  Put(shape, "Rotation", -90);
  EXPECT_EQ(270.0f, Get(shape, "Rotation").ToSingle());
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Get(shape, "GroupItems"); }).number());
  EXPECT_EQ(14, Get(shape, "Type").ToLong());
}

// The body text style's ruler is the slide master's body placeholder's: both show one change.
TEST_F(ObjectModel, BodyStyleRulerIsTheMasterBodyRuler) {
  auto master = Obj(presentation, "SlideMaster");
  auto level = Obj(Obj(Obj(Obj(master, "TextStyles"), "Item", Args(3)), "Ruler"), "Levels", Args(2));
  Put(level, "LeftMargin", 80);
  auto body_ruler = Obj(Obj(Obj(Obj(master, "Shapes"), "Item", Args(2)), "TextFrame"), "Ruler");
  EXPECT_EQ(80.0f, Get(Obj(body_ruler, "Levels", Args(2)), "LeftMargin").ToSingle());
}

// Named arguments are taken by name, in any case; an unknown name raises 450.
TEST_F(ObjectModel, NamedArgumentsAreTakenByName) {
  auto presentations = Obj(ppt.app, "Presentations");
  auto p = Call(presentations, "Open", {Named("filename", kWork + "Cinéloisirs.ppt"), Named("WITHWINDOW", 0)})
               .ToObject();
  EXPECT_TRUE(vb::SameObject(presentation, p));
  EXPECT_EQ(
      vb::errors::kWrongArgumentCount,
      ErrorOf([&] { Call(presentations, "Open", {Named("Fichier", kWork + "Cinéloisirs.ppt")}); }).number());
}

// Command bars are found by name without case; a missing bar fails Item; the fifth control of
// "Frames" toggles between 0 and -1.
TEST_F(ObjectModel, CommandBarsByNameAndTheFramesToggle) {
  auto bars = Obj(ppt.app, "CommandBars");
  auto standard = Obj(bars, "Item", Args("standard"));
  EXPECT_EQ("Standard", Get(standard, "Name").ToString());
  Put(standard, "Position", 4);
  EXPECT_EQ(4, Get(standard, "Position").ToLong());
  EXPECT_EQ(vb::errors::kInvalidCall, ErrorOf([&] { Obj(bars, "Item", Args("Barre inconnue")); }).number());
  auto button = Obj(Obj(Obj(bars, "Item", Args("Frames")), "Controls"), "Item", Args(5));
  EXPECT_EQ(0, Get(button, "State").ToLong());
  Call(button, "Execute");
  EXPECT_EQ(-1, Get(button, "State").ToLong());
  Call(button, "Execute");
  EXPECT_EQ(0, Get(button, "State").ToLong());
}

// Application.Visible and WindowState act on the process's main window.
TEST_F(ObjectModel, ApplicationWindowFollowsTheMainWindow) {
  auto& windows = ppt.desktop.Platform().windows;
  const auto main = ppt.desktop.processes().back()->main_window();
  EXPECT_EQ(-1, Get(ppt.app, "Visible").ToLong());
  Put(ppt.app, "WindowState", 2);
  EXPECT_NE(0, windows.IsIconic(main));
  EXPECT_EQ(2, Get(ppt.app, "WindowState").ToLong());
  Put(ppt.app, "WindowState", 3);
  EXPECT_EQ(0, windows.IsIconic(main));
  Put(ppt.app, "Visible", 0);
  EXPECT_EQ(0, windows.IsWindowVisible(main));
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Put(ppt.app, "WindowState", 7); }).number());
}

}  // namespace
