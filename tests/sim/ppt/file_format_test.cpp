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

}  // namespace
