// The presentation file format: what is saved is what is read back, and the rendering shows it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "sim/ppt/file_format.hpp"
#include "sim/ppt/render.hpp"

namespace {

std::string CourseFile(const std::string& relative) {
  std::ifstream in(std::filesystem::path(K60418_COURSE_DIR) / relative, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// Every course file reads, and saving it again loses nothing that the rendering shows.
TEST(FileFormat, CourseFilesSurviveASaveAndARead) {
  for (const char* file :
       {"models/02131201.ppt", "models/12131201.pot", "office/designs/Texture.pot",
        "office/designs/Pixel.pot", "office/designs/Capsules.pot", "office/designs/Ardoise.pot",
        "office/designs/Horizon.pot", "office/content/Recommending a strategy.pot"}) {
    const auto first = sim::ppt::LoadPresentation(CourseFile(file));
    const auto again = sim::ppt::LoadPresentation(sim::ppt::SavePresentation(*first));
    EXPECT_EQ(sim::ppt::RenderPresentation(*first), sim::ppt::RenderPresentation(*again)) << file;
  }
}

// The rendering shows slides, designs, shapes with their tags, paragraphs and runs with their fonts.
TEST(FileFormat, RenderingShowsSlidesShapesTagsAndText) {
  auto presentation = sim::ppt::LoadPresentation(CourseFile("models/02131201.ppt"));
  presentation->slides[2]->shapes[1]->tags.Add("Identite", "ZUK2");
  const std::string text = sim::ppt::RenderPresentation(*presentation);
  for (const char* expected : {"design 1 \"Capsules\"", "slide 6 ", "tag IDENTITE = \"ZUK2\"",
                               "Le festival exceptionnel de juillet", "Tahoma 28", "handout master"})
    EXPECT_NE(std::string::npos, text.find(expected)) << expected << "\n" << text;
}

// Unsaved dates stay unsaved: a presentation never saved reads back without a last save time.
TEST(FileFormat, MissingDatesStayMissing) {
  auto presentation = sim::ppt::LoadPresentation(CourseFile("models/02131201.ppt"));
  presentation->properties.last_save_time.reset();
  const auto again = sim::ppt::LoadPresentation(sim::ppt::SavePresentation(*presentation));
  EXPECT_FALSE(again->properties.last_save_time.has_value());
  EXPECT_TRUE(again->properties.creation_date.has_value());
}

/// The reason a content is refused, or "" when it is read.
std::string Refusal(const std::string& content) {
  try {
    sim::ppt::LoadPresentation(content);
  } catch (const sim::ppt::FileFormatError& error) {
    return error.what();
  }
  return "";
}

std::string Document(const std::string& fields) {
  return R"({"format": "k60418-presentation", "version": 1, "designs": [{"name": "D", "slide_master": {}}])" +
         fields + "}";
}

// Values the model cannot hold, and unknown fields, are refused with the field named; nothing is
// taken in part.
TEST(FileFormat, InvalidValuesAreRefusedWithTheirField) {
  const std::pair<std::string, std::string> cases[] = {
      {R"(, "slides": [{"design": 2}])", "slides[0].design"},
      {R"(, "slides": [{"layout": 0}])", "slides[0].layout"},
      {R"(, "slides": [{"tags": [["IDENTITE"]]}])", "slides[0].tags[0]"},
      {R"(, "slides": [{"color_scheme": ["#FFFFFF"]}])", "slides[0].color_scheme"},
      {R"(, "slides": [{"shapes": [{"left": "loin"}]}])", "slides[0].shapes[0].left"},
      {R"(, "slides": [{"shapes": [{"width": 1e300}]}])", "slides[0].shapes[0].width"},
      {R"(, "slides": [{"shapes": [{"fill": {"fore_color": "blanc"}}]}])",
       "slides[0].shapes[0].fill.fore_color"},
      {R"(, "properties": {"creation_date": "hier"})", "properties.creation_date"},
      {R"(, "page_setup": {"slide_size": 4294967296})", "page_setup.slide_size"},
      {R"(, "view": {"zoom": 5})", "view.zoom"},
      {R"(, "slides": [{"shapes": [{"nmae": "x"}]}])", "slides[0].shapes[0].nmae: unknown field"},
  };
  for (const auto& [fields, field] : cases) {
    const std::string why = Refusal(Document(fields));
    EXPECT_NE(std::string::npos, why.find(field)) << fields << " gave: " << why;
  }
  EXPECT_NE("", Refusal(R"({"format": "k60418-presentation", "version": 1, "designs": []})"));
  // A syntax error is told with its line and column.
  const std::string syntax = Refusal("{\n  \"format\": \"k60418-presentation\",\n  \"version\": 1 x\n}");
  EXPECT_NE(std::string::npos, syntax.find("line 3, column 16")) << syntax;
}

// Groups nested beyond eight levels are refused before they can exhaust anything.
TEST(FileFormat, DeepGroupsAreRefused) {
  std::string shape = R"({"name": "feuille"})";
  for (int i = 0; i < 12; ++i) shape = R"({"items": [)" + shape + "]}";
  EXPECT_NE(std::string::npos,
            Refusal(Document(R"(, "slides": [{"shapes": [)" + shape + "]}]")).find("nested"));
}

// Ids left out or repeated are given fresh unique ones.
TEST(FileFormat, IdsAreMadeUnique) {
  const auto p = sim::ppt::LoadPresentation(
      Document(R"(, "slides": [{"id": 300, "shapes": [{"id": 5}, {"id": 5}]}, {"id": 300}, {}])"));
  ASSERT_EQ(3u, p->slides.size());
  EXPECT_EQ(300, p->slides[0]->id);
  EXPECT_NE(300, p->slides[1]->id);
  EXPECT_NE(p->slides[1]->id, p->slides[2]->id);
  EXPECT_NE(p->slides[0]->shapes[0]->id, p->slides[0]->shapes[1]->id);
}

}  // namespace
