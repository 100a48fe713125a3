// Conformance of the simulated PowerPoint's files: opening, creating from a template, saving,
// and the document properties that follow them.
#include <gtest/gtest.h>

#include "ppt_helpers.hpp"

namespace {

using namespace ppt_test;

class Files : public ModelPlaced {
 protected:
  vb::Variant Property(const vb::ObjectRef& presentation, vb::Variant index) {
    return Get(Obj(Obj(presentation, "BuiltInDocumentProperties"), "Item", {{index, {}}}), "Value");
  }
};

// Open gives the file's name, full name and folder; the presentation becomes the active one.
TEST_F(Files, OpenNamesThePresentationAfterItsFile) {
  auto p = ppt.Open(kWork + "Cinéloisirs.ppt");
  EXPECT_EQ("Cinéloisirs.ppt", Get(p, "Name").ToString());
  EXPECT_EQ(kWork + "Cinéloisirs.ppt", Get(p, "FullName").ToString());
  EXPECT_EQ("C:\\Travail", Get(p, "Path").ToString());
  EXPECT_TRUE(vb::SameObject(p, ppt.Active()));
  EXPECT_EQ(1, Get(Obj(ppt.app, "Presentations"), "Count").ToLong());
  EXPECT_EQ("Capsules.pot", Get(p, "TemplateName").ToString());
  EXPECT_EQ("Capsules", Get(Obj(Obj(p, "Designs"), "Item", Args(1)), "Name").ToString());
}

// A binary PowerPoint 97-2003 file is refused with PowerPoint's error naming the file and why.
TEST_F(Files, OpenRefusesABinaryPresentation) {
  ppt.WriteFile(kWork + "Ancien.ppt",
                std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\0'));
  auto error = ErrorOf([&] { ppt.Open(kWork + "Ancien.ppt"); });
  EXPECT_EQ(kPowerPointError, error.number());
  EXPECT_NE(std::string::npos, error.description().find(kWork + "Ancien.ppt")) << error.description();
  EXPECT_NE(std::string::npos, error.description().find("binary PowerPoint 97-2003")) << error.description();
  EXPECT_EQ(0, Get(Obj(ppt.app, "Presentations"), "Count").ToLong());
}

// Damaged files (truncated, random bytes, a wrong field, nesting meant to exhaust the stack,
// numbers too large) are refused with an error, never a crash or a hang; nothing opens.
TEST_F(Files, OpenRefusesDamagedFiles) {
  const std::string model = ppt.desktop.drives().ReadFile(kWork + "Cinéloisirs.ppt");
  std::string random(4096, '\0');
  unsigned state = 12345;
  for (auto& c : random) c = static_cast<char>((state = state * 1103515245u + 12345u) >> 16);
  std::string wrong_field = model;
  wrong_field.replace(wrong_field.find("\"layout\": 1"), 11, "\"layout\": \"titre\"");
  std::string huge = model;
  huge.replace(huge.find("\"layout\": 1"), 11, "\"layout\": 1e999");
  const std::pair<std::string, std::string> cases[] = {
      {"tronque.ppt", model.substr(0, model.size() / 2)},
      {"hasard.ppt", random},
      {"vide.ppt", ""},
      {"champ.ppt", wrong_field},
      {"profond.ppt", std::string(200000, '[') + std::string(200000, ']')},
      {"enorme.ppt", huge},
      {"autre.ppt", "{\"format\": \"autre chose\", \"version\": 1}"},
      {"futur.ppt", "{\"format\": \"k60418-presentation\", \"version\": 99}"},
  };
  for (const auto& [file, content] : cases) {
    const std::string name = file;
    ppt.WriteFile(kWork + name, content);
    auto error = ErrorOf([&] { ppt.Open(kWork + name); });
    EXPECT_EQ(kPowerPointError, error.number()) << name;
    EXPECT_NE(std::string::npos, error.description().find(name)) << error.description();
  }
  // The field in error is named.
  auto error = ErrorOf([&] { ppt.Open(kWork + "champ.ppt"); });
  EXPECT_NE(std::string::npos, error.description().find("slides[0].layout")) << error.description();
  EXPECT_EQ(0, Get(Obj(ppt.app, "Presentations"), "Count").ToLong());
}

// A file that does not exist is refused with PowerPoint's error, not the file system's.
TEST_F(Files, OpenOfAMissingFileRaisesPowerPointsError) {
  auto error = ErrorOf([&] { ppt.Open(kWork + "Absent.ppt"); });
  EXPECT_EQ(kPowerPointError, error.number());
  EXPECT_NE(std::string::npos, error.description().find("does not exist")) << error.description();
}

// SaveAs with ppSaveAsTemplate changes Name and FullName and leaves the template property empty.
TEST_F(Files, SaveAsTemplateRenamesAndEmptiesTheTemplateProperty) {
  auto p = ppt.Open(kWork + "Cinéloisirs.ppt");
  EXPECT_EQ("Capsules", Property(p, 6).ToString());
  Call(p, "SaveAs", {{kWork + "Ciné", {}}, Named("FileFormat", 5)});
  EXPECT_EQ("Ciné.pot", Get(p, "Name").ToString());
  EXPECT_EQ(kWork + "Ciné.pot", Get(p, "FullName").ToString());
  EXPECT_EQ("", Property(p, 6).ToString());
  EXPECT_EQ(-1, Get(p, "Saved").ToLong());
  EXPECT_TRUE(ppt.desktop.drives().Exists(kWork + "Ciné.pot"));
}

// The format by default follows the extension: ".pot" saves a template.
TEST_F(Files, SaveAsWithoutFormatFollowsTheExtension) {
  auto p = ppt.Open(kWork + "Cinéloisirs.ppt");
  Call(p, "SaveAs", Args(kWork + "Modèle.pot"));
  EXPECT_EQ("", Property(p, 6).ToString());
  Call(p, "SaveAs", Args(kWork + "Copie"));
  EXPECT_EQ("Copie.ppt", Get(p, "Name").ToString());
}

// Untitled:=msoTrue makes a new presentation from a template: an untitled name without folder,
// the clock's current time as its creation date, the template's file name as property 6.
TEST_F(Files, NewPresentationFromATemplateTakesItsNameAndTheCurrentTime) {
  ppt.Place("office/designs/Texture.pot", kWork + "Ciné.pot");
  ppt.desktop.clock().Wait(3600);
  const vb::Date now = ppt.desktop.clock().Now();
  auto p = Call(Obj(ppt.app, "Presentations"), "Open", {{kWork + "Ciné.pot", {}}, Named("Untitled", -1)})
               .ToObject();
  EXPECT_EQ("Présentation1", Get(p, "Name").ToString());
  EXPECT_EQ("Présentation1", Get(p, "FullName").ToString());
  EXPECT_EQ("", Get(p, "Path").ToString());
  EXPECT_EQ("Ciné.pot", Property(p, 6).ToString());
  EXPECT_EQ(now.serial, Property(p, 11).ToDate().serial);
  EXPECT_EQ("Ciné.pot", Get(p, "TemplateName").ToString());
}

// Property 12 (last save time) raises on a presentation never saved, and reads the save's time after.
TEST_F(Files, LastSaveTimeRaisesUntilTheFirstSave) {
  auto p = Call(Obj(ppt.app, "Presentations"), "Add").ToObject();
  auto error = ErrorOf([&] { Property(p, 12); });
  EXPECT_EQ(kPowerPointError, error.number());
  ppt.desktop.clock().Wait(60);
  const vb::Date now = ppt.desktop.clock().Now();
  Call(p, "SaveAs", Args(kWork + "Objectifs.ppt"));
  EXPECT_EQ(now.serial, Property(p, 12).ToDate().serial);
  EXPECT_EQ("Last Save Time",
            Get(Obj(Obj(p, "BuiltInDocumentProperties"), "Item", Args(12)), "Name").ToString());
}

// Property 19 follows the slide size with French PowerPoint 2003's names.
TEST_F(Files, FormatPropertyFollowsTheSlideSize) {
  auto p = ppt.Open(kWork + "Cinéloisirs.ppt");
  auto setup = Obj(p, "PageSetup");
  EXPECT_EQ("Affichage à l'écran", Property(p, 19).ToString());
  const std::pair<int, std::string> names[] = {{5, "Transparent"},
                                               {3, "Papier A4 (210 x 297 mm)"},
                                               {4, "Diapositives 35 mm"},
                                               {1, "Affichage à l'écran"}};
  for (const auto& [size, name] : names) {
    Put(setup, "SlideSize", size);
    EXPECT_EQ(name, Property(p, "Format").ToString()) << size;
  }
}

// A save that fails leaves the file as it was and the presentation unsaved; the error is PowerPoint's.
TEST_F(Files, FailedSaveKeepsTheFileAndTheModifiedState) {
  auto p = ppt.Open(kWork + "Cinéloisirs.ppt");
  const std::string before = ppt.desktop.drives().ReadFile(kWork + "Cinéloisirs.ppt");
  Call(Obj(Obj(Obj(p, "Slides"), "Item", Args(1)), "Tags"), "Add", Args("Identite", "ZUK1"));
  EXPECT_EQ(0, Get(p, "Saved").ToLong());
  ppt.desktop.drives().SetReadOnly(kWork + "Cinéloisirs.ppt");
  auto error = ErrorOf([&] { Call(p, "Save"); });
  EXPECT_EQ(kPowerPointError, error.number());
  EXPECT_EQ(before, ppt.desktop.drives().ReadFile(kWork + "Cinéloisirs.ppt"));
  EXPECT_EQ(0, Get(p, "Saved").ToLong());
}

// What a presentation holds survives a save and a new open: tags, views, schemes, geometry, text.
TEST_F(Files, SavedPresentationReopensAsItWasLeft) {
  auto p = ppt.Open(kWork + "Cinéloisirs.ppt");
  auto slide3 = Obj(Obj(p, "Slides"), "Item", Args(3));
  Call(Obj(slide3, "Tags"), "Add", Args("Identite", "ZUK3"));
  auto shape = Obj(Obj(slide3, "Shapes"), "Item", Args(2));
  Put(shape, "Left", 100.5);
  Put(Obj(Obj(shape, "TextFrame"), "TextRange"), "Text", "Le festival exceptionnel de juillet");
  Put(Obj(Obj(Obj(p, "SlideMaster"), "Background"), "Fill"), "Visible", 0);
  Call(Obj(Obj(p, "Slides"), "Item", Args(2)), "Delete");
  Call(Obj(Obj(ppt.app, "ActiveWindow"), "View"), "GotoSlide", Args(3));
  Call(p, "Save");
  Call(p, "Close");
  EXPECT_EQ(0, Get(Obj(ppt.app, "Presentations"), "Count").ToLong());

  p = ppt.Open(kWork + "Cinéloisirs.ppt");
  EXPECT_EQ(5, Get(Obj(p, "Slides"), "Count").ToLong());
  slide3 = Obj(Obj(p, "Slides"), "Item", Args(2));
  EXPECT_EQ("ZUK3", Get(Obj(slide3, "Tags"), "Item", Args("Identite")).ToString());
  shape = Obj(Obj(slide3, "Shapes"), "Item", Args(2));
  EXPECT_EQ(100.5f, Get(shape, "Left").ToSingle());
  EXPECT_EQ("Le festival exceptionnel de juillet",
            Get(Obj(Obj(shape, "TextFrame"), "TextRange"), "Text").ToString());
  EXPECT_EQ(0, Get(Obj(Obj(Obj(p, "SlideMaster"), "Background"), "Fill"), "Visible").ToLong());
  EXPECT_EQ(3, Get(Obj(Obj(Obj(ppt.app, "ActiveWindow"), "View"), "Slide"), "SlideIndex").ToLong());
}

// Closing a presentation makes its objects raise instead of acting on a closed file.
TEST_F(Files, ObjectsOfAClosedPresentationRaise) {
  auto p = ppt.Open(kWork + "Cinéloisirs.ppt");
  auto slides = Obj(p, "Slides");
  Call(p, "Close");
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Get(slides, "Count"); }).number());
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Get(p, "Name"); }).number());
  EXPECT_EQ(kPowerPointError, ErrorOf([&] { Obj(ppt.app, "ActivePresentation"); }).number());
}

}  // namespace
