// Conformance of the simulated PowerPoint's views, page setup, print options, headers and footers,
// document properties, designs and the bookkeeping of presentations and windows.
#include <gtest/gtest.h>

#include "ppt_helpers.hpp"

namespace {

using namespace ppt_test;

class Settings : public ModelOpen {
 protected:
  vb::ObjectRef Properties() { return Obj(presentation, "BuiltInDocumentProperties"); }
};

// A view type that does not exist, and a zoom outside 10 to 400, are refused.
TEST_F(Settings, ViewTypeAndZoomAreChecked) {
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Put(window, "ViewType", 12); }).number());
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Put(window, "ViewType", 0); }).number());
  EXPECT_EQ(9, Get(window, "ViewType").ToLong());
  auto view = Obj(window, "View");
  Put(view, "Zoom", 50);
  EXPECT_EQ(50, Get(view, "Zoom").ToLong());
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Put(view, "Zoom", 401); }).number());
}

// The title master view needs a title master.
TEST_F(Settings, TitleMasterViewNeedsATitleMaster) {
  auto blank = Call(Obj(ppt.app, "Presentations"), "Add").ToObject();
  EXPECT_EQ(-1, Get(blank, "HasTitleMaster").ToLong());
  ppt.desktop.drives().WriteFile(kWork + "Sans titre.pot",
                                 R"({"format": "k60418-presentation", "version": 1,
                                     "designs": [{"name": "Nu", "slide_master": {}}]})");
  auto bare = ppt.Open(kWork + "Sans titre.pot");
  EXPECT_EQ(0, Get(bare, "HasTitleMaster").ToLong());
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Obj(bare, "TitleMaster"); }).number());
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Put(Obj(ppt.app, "ActiveWindow"), "ViewType", 8); }).number());
  Call(bare, "AddTitleMaster");
  Put(Obj(ppt.app, "ActiveWindow"), "ViewType", 8);
  EXPECT_EQ(8, Get(Obj(Obj(ppt.app, "ActiveWindow"), "ActivePane"), "ViewType").ToLong());
}

// Print preview's PrintOptions are the presentation's.
TEST_F(Settings, PrintPreviewShowsThePresentationsPrintOptions) {
  Put(window, "ViewType", 10);
  auto options = Obj(Obj(window, "View"), "PrintOptions");
  Put(options, "OutputType", 8);
  Put(options, "RangeType", 4);
  auto ranges = Obj(options, "Ranges");
  Call(ranges, "Add", Args(2, 3));
  EXPECT_EQ(8, Get(Obj(presentation, "PrintOptions"), "OutputType").ToLong());
  EXPECT_EQ(4, Get(Obj(presentation, "PrintOptions"), "RangeType").ToLong());
  EXPECT_EQ(3, Get(Obj(Obj(Obj(presentation, "PrintOptions"), "Ranges"), "Item", Args(1)), "End").ToLong());
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Put(options, "OutputType", 11); }).number());
}

// Orientation swaps the slide's width and height; a slide size sets both; a width of its own
// makes the size custom.
TEST_F(Settings, PageSetupKeepsSizeAndOrientationTogether) {
  auto setup = Obj(presentation, "PageSetup");
  Put(setup, "SlideOrientation", 2);
  EXPECT_EQ(540.0f, Get(setup, "SlideWidth").ToSingle());
  EXPECT_EQ(720.0f, Get(setup, "SlideHeight").ToSingle());
  Put(setup, "SlideSize", 3);
  EXPECT_EQ(540.0f, Get(setup, "SlideWidth").ToSingle());
  EXPECT_EQ(780.0f, Get(setup, "SlideHeight").ToSingle());
  Put(setup, "SlideWidth", 600);
  EXPECT_EQ(7, Get(setup, "SlideSize").ToLong());
  Put(setup, "NotesOrientation", 1);
  EXPECT_EQ(1, Get(setup, "NotesOrientation").ToLong());
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Put(setup, "NotesOrientation", 3); }).number());
  EXPECT_EQ(2, Get(setup, "SlideOrientation").ToLong());
}

// A slide's headers and footers are its own; the notes master's header is the handouts' header.
TEST_F(Settings, HeadersAndFootersBelongToTheirSlideOrMaster) {
  auto footer = Obj(Obj(Slide(1), "HeadersFooters"), "Footer");
  Put(footer, "Visible", -1);
  Put(footer, "Text", "Cinéloisirs");
  EXPECT_EQ(-1, Get(Obj(Obj(Slide(1), "HeadersFooters"), "Footer"), "Visible").ToLong());
  EXPECT_EQ(0, Get(Obj(Obj(Slide(2), "HeadersFooters"), "Footer"), "Visible").ToLong());
  EXPECT_EQ(0, Get(Obj(Obj(Slide(1), "HeadersFooters"), "SlideNumber"), "Visible").ToLong());
  auto header = Obj(Obj(Obj(presentation, "NotesMaster"), "HeadersFooters"), "Header");
  EXPECT_EQ("", Get(header, "Text").ToString());
  Put(header, "Text", "Programme de la saison");
  EXPECT_EQ("Programme de la saison",
            Get(Obj(Obj(Obj(presentation, "NotesMaster"), "HeadersFooters"), "Header"), "Text").ToString());
}

// Document properties by number or by name (without case); the computed ones are read-only;
// a property that does not exist fails as Office's collections do.
TEST_F(Settings, DocumentPropertiesByNumberOrName) {
  Put(Obj(Properties(), "Item", Args("title")), "Value", "Programme");
  EXPECT_EQ("Programme", Get(Obj(Properties(), "Item", Args(1)), "Value").ToString());
  EXPECT_EQ(6, Get(Obj(Properties(), "Item", Args("Number of Slides")), "Value").ToLong());
  EXPECT_EQ(kPowerPointError,
            ErrorOf([&] { Put(Obj(Properties(), "Item", Args(19)), "Value", "A4"); }).number());
  EXPECT_EQ(vb::errors::kInvalidCall, ErrorOf([&] { Obj(Properties(), "Item", Args(31)); }).number());
  EXPECT_EQ(vb::errors::kInvalidCall, ErrorOf([&] { Obj(Properties(), "Item", Args("Auteur")); }).number());
}

// Designs by position or name; a slide can be given another design of the presentation.
TEST_F(Settings, SlidesTakeDesignsOfTheirPresentation) {
  Call(Obj(Obj(presentation, "Slides"), "Range", Args(6)), "ApplyTemplate",
       Args(ppt.desktop.DesignsFolder() + "Pixel.pot"));
  auto designs = Obj(presentation, "Designs");
  auto pixel = Obj(designs, "Item", Args("Pixel"));
  EXPECT_EQ(2, Get(pixel, "Index").ToLong());
  Put(Slide(1), "Design", pixel);
  EXPECT_EQ("Pixel", Get(Obj(Slide(1), "Design"), "Name").ToString());
  // A range whose slides differ in design has no common design.
  EXPECT_EQ(kPowerPointError,
            ErrorOf([&] { Obj(Call(Obj(presentation, "Slides"), "Range").ToObject(), "Design"); }).number());
  // Giving the last Capsules slides the other design leaves one design.
  Call(Call(Obj(presentation, "Slides"), "Range", {{vb::Array{2, 3, 4, 5}, {}}}).ToObject(), "ApplyTemplate",
       Args(ppt.desktop.DesignsFolder() + "Pixel.pot"));
  EXPECT_EQ(2, Get(designs, "Count").ToLong());
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Obj(designs, "Item", Args("Capsules")); }).number());
}

// ApplyTemplate of a missing file names it; the presentation is left as it was.
TEST_F(Settings, ApplyTemplateOfAMissingFileChangesNothing) {
  auto error = ErrorOf([&] { Call(presentation, "ApplyTemplate", Args(kWork + "Absent.pot")); });
  EXPECT_EQ(kPowerPointError, error.number());
  EXPECT_NE(std::string::npos, error.description().find("Absent.pot"));
  EXPECT_EQ("Capsules.pot", Get(presentation, "TemplateName").ToString());
}

// Opening an open file gives the same presentation; Add numbers untitled presentations; a
// presentation opened without a window does not become the active one.
TEST_F(Settings, PresentationsAndTheirWindows) {
  auto presentations = Obj(ppt.app, "Presentations");
  EXPECT_TRUE(vb::SameObject(presentation, ppt.Open(kWork + "Cinéloisirs.ppt")));
  EXPECT_EQ(1, Get(presentations, "Count").ToLong());
  auto first = Call(presentations, "Add").ToObject();
  auto second = Call(presentations, "Add", Args(0)).ToObject();
  EXPECT_EQ("Présentation1", Get(first, "Name").ToString());
  EXPECT_EQ("Présentation2", Get(second, "Name").ToString());
  EXPECT_TRUE(vb::SameObject(first, ppt.Active()));
  EXPECT_TRUE(vb::SameObject(second, Obj(presentations, "Item", Args("présentation2"))));
  Call(Obj(Obj(presentation, "Windows"), "Item", Args(1)), "Activate");
  EXPECT_TRUE(vb::SameObject(presentation, ppt.Active()));
  EXPECT_EQ(2, Get(Obj(ppt.app, "Windows"), "Count").ToLong());
  Call(presentation, "Close");
  EXPECT_TRUE(vb::SameObject(first, ppt.Active()));
}

// Saved reads -1 after Open and after a save, 0 after a change; assigning it changes nothing else.
TEST_F(Settings, SavedFollowsChanges) {
  EXPECT_EQ(-1, Get(presentation, "Saved").ToLong());
  Put(window, "ViewType", 7);
  EXPECT_EQ(-1, Get(presentation, "Saved").ToLong());
  Put(Slide(2), "Layout", 1);
  EXPECT_EQ(0, Get(presentation, "Saved").ToLong());
  Put(presentation, "Saved", -1);
  EXPECT_EQ(-1, Get(presentation, "Saved").ToLong());
  EXPECT_EQ(1, Get(Slide(2), "Layout").ToLong());
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Put(Slide(2), "Layout", 37); }).number());
}

// Shapes by name, the title, a text box added, and a shape of a deleted slide raising.
TEST_F(Settings, ShapesAddFindAndOutliveNothing) {
  auto shapes = Obj(Slide(2), "Shapes");
  EXPECT_TRUE(vb::SameObject(Obj(shapes, "Title"), Obj(shapes, "Item", Args("Titre 1"))));
  auto box = Call(shapes, "AddTextbox", Args(1, 100, 400, 300, 40)).ToObject();
  EXPECT_EQ(17, Get(box, "Type").ToLong());
  EXPECT_EQ(3, Get(shapes, "Count").ToLong());
  EXPECT_EQ(2, Get(Call(shapes, "Range", {{vb::Array{1, 3}, {}}}).ToObject(), "Count").ToLong());
  auto title = Obj(shapes, "Item", Args(1));
  Call(Slide(2), "Delete");
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Get(title, "Left"); }).number());
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Get(shapes, "Count"); }).number());
}

// A disabled command bar is hidden and cannot be shown; tooltips can be switched.
TEST_F(Settings, DisabledCommandBarsStayHidden) {
  auto bars = Obj(ppt.app, "CommandBars");
  auto pane = Obj(bars, "Item", Args("Task Pane"));
  Put(pane, "Enabled", false);
  EXPECT_FALSE(Get(pane, "Visible").ToBool());
  EXPECT_EQ(vb::errors::kInvalidCall, ErrorOf([&] { Put(pane, "Visible", true); }).number());
  Put(bars, "DisplayTooltips", false);
  EXPECT_FALSE(Get(bars, "DisplayTooltips").ToBool());
  EXPECT_GE(Get(bars, "Count").ToLong(), 6);
}

}  // namespace
