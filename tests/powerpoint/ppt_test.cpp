// The typed PowerPoint views must reach the object model with PowerPoint's own member names, call
// kinds, argument values and argument types: the simulator and the real PowerPoint both answer by
// name, so a wrong name or a missing default argument would only show up against them.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "powerpoint/constants.hpp"
#include "powerpoint/ppt.hpp"
#include "vb/error.hpp"

namespace {

/// An automation object that writes every call it receives into a log shared with the objects it
/// hands out. A member listed in `values` answers that value; any other read answers a new object.
class Recorder : public vb::Dispatch {
 public:
  Recorder(std::shared_ptr<std::vector<std::string>> log, std::map<std::string, vb::Variant> values)
      : log_(std::move(log)), values_(std::move(values)) {}

  vb::Variant Invoke(std::string_view member, vb::CallKind kind, const vb::Arguments& arguments) override {
    std::string entry = kind == vb::CallKind::Get ? "Get " : kind == vb::CallKind::Put ? "Put " : "Call ";
    entry += std::string(member) + "(";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
      entry += (i ? ", " : "") + arguments[i].value.Describe() + ":" + TypeName(arguments[i].value.type());
    }
    log_->push_back(entry + ")");
    if (kind == vb::CallKind::Put) return vb::Variant();
    if (auto found = values_.find(std::string(member)); found != values_.end()) return found->second;
    return vb::Variant(vb::ObjectRef(std::make_shared<Recorder>(log_, values_)));
  }

  std::string TypeName() const override { return "Recorder"; }

 private:
  static std::string TypeName(vb::VarType type) {
    static const std::map<vb::VarType, std::string> kNames = {
        {vb::VarType::Integer, "Integer"}, {vb::VarType::Long, "Long"},
        {vb::VarType::Single, "Single"},   {vb::VarType::String, "String"},
        {vb::VarType::Boolean, "Boolean"}, {vb::VarType::Object, "Object"}};
    const auto found = kNames.find(type);
    return found == kNames.end() ? "Other" : found->second;
  }

  std::shared_ptr<std::vector<std::string>> log_;
  std::map<std::string, vb::Variant> values_;
};

struct Fixture {
  explicit Fixture(std::map<std::string, vb::Variant> values = {})
      : log(std::make_shared<std::vector<std::string>>()),
        application(std::make_shared<Recorder>(log, std::move(values))) {}
  std::shared_ptr<std::vector<std::string>> log;
  ppt::Application application;
};

using Log = std::vector<std::string>;

// A word's font is reached through PowerPoint's names; Words(p) passes Length -1 explicitly.
TEST(PptViews, ChainUsesPowerPointNamesAndDefaultSubRanges) {
  Fixture f({{"Underline", vb::Variant(std::int32_t{-2})}, {"Count", vb::Variant(std::int32_t{5})}});
  const auto text =
      f.application.ActivePresentation().Slides().Item(3).Shapes().Item(2).TextFrame().TextRange();
  EXPECT_EQ(-2, text.Words(4).Font().Underline());
  EXPECT_EQ(5, text.Words().Count());
  EXPECT_EQ(5, text.Paragraphs(7, -1).Count());
  EXPECT_EQ((Log{"Get ActivePresentation()", "Get Slides()", "Call Item(3:Long)", "Get Shapes()",
                 "Call Item(2:Long)", "Get TextFrame()", "Get TextRange()", "Call Words(4:Long, -1:Long)",
                 "Get Font()", "Get Underline()", "Call Words(-1:Long, -1:Long)", "Get Count()",
                 "Call Paragraphs(7:Long, -1:Long)", "Get Count()"}),
            *f.log);
}

// Presentations.Open passes all four arguments, defaulted as PowerPoint defaults them.
TEST(PptViews, OpenPassesFileNameAndTriStateDefaults) {
  Fixture f;
  f.application.Presentations().Open("C:\\ZUK\\Travail\\Cinéloisirs.ppt");
  EXPECT_EQ((Log{"Get Presentations()",
                 "Call Open(\"C:\\ZUK\\Travail\\Cinéloisirs.ppt\":String, 0:Long, 0:Long, "
                 "-1:Long)"}),
            *f.log);
}

// Setters assign with a Put whose value is the last argument, in PowerPoint's type: sizes as
// Single, tri-states and enumerations as Long, command-bar flags as Boolean, objects by reference.
TEST(PptViews, SettersPutTypedValues) {
  Fixture f;
  const auto window = f.application.ActiveWindow();
  window.ViewType(ppt::ppViewNormal);
  const auto slides = f.application.ActivePresentation().Slides();
  slides.Item(1).Shapes().Item(1).TextFrame().TextRange().Font().Size(24.0f);
  slides.Range().ColorScheme(f.application.ActivePresentation().ColorSchemes().Item(5));
  f.application.CommandBars().Item("standard").Visible(false);
  EXPECT_EQ(
      (Log{"Get ActiveWindow()", "Put ViewType(9:Long)", "Get ActivePresentation()", "Get Slides()",
           "Call Item(1:Long)", "Get Shapes()", "Call Item(1:Long)", "Get TextFrame()", "Get TextRange()",
           "Get Font()", "Put Size(24:Single)", "Call Range()", "Get ActivePresentation()",
           "Get ColorSchemes()", "Call Item(5:Long)", "Put ColorScheme(Recorder:Object)", "Get CommandBars()",
           "Get Item(\"standard\":String)", "Put Visible(False:Boolean)"}),
      *f.log);
}

// The shorthand forms VB allows (TextStyles(3), Levels(2), BuiltInDocumentProperties(6)) make the
// same calls as the collection and its Item.
TEST(PptViews, DefaultMemberShorthandsCallItem) {
  Fixture f({{"LeftMargin", vb::Variant(27.0f)}, {"Value", vb::Variant("Ciné.pot")}});
  const auto presentation = f.application.ActivePresentation();
  EXPECT_EQ(27.0f, presentation.SlideMaster().TextStyles(ppt::ppBodyStyle).Ruler().Levels(2).LeftMargin());
  EXPECT_EQ("Ciné.pot", presentation.BuiltInDocumentProperties(6).Value().ToString());
  EXPECT_EQ((Log{"Get ActivePresentation()", "Get SlideMaster()", "Get TextStyles()", "Call Item(3:Long)",
                 "Get Ruler()", "Get Levels()", "Call Item(2:Long)", "Get LeftMargin()",
                 "Get BuiltInDocumentProperties()", "Get Item(6:Long)", "Get Value()"}),
            *f.log);
}

// Late-bound members hand back the Variant as PowerPoint gave it, without converting it.
TEST(PptViews, LateBoundMembersKeepTheVariant) {
  Fixture f({{"State", vb::Variant(std::int32_t{2})}, {"Quit", vb::Variant()}});
  const auto state = f.application.CommandBars().Item("Frames").Controls().Item(5).State();
  EXPECT_EQ(vb::VarType::Long, state.type());
  EXPECT_EQ(2, state.ToLong());
  EXPECT_TRUE(f.application.Quit().IsEmpty());
  EXPECT_EQ("Call Quit()", f.log->back());
}

// A view of Nothing raises error 91 at its first member, read, written or called, as VB does with an
// unset object.
TEST(PptViews, NothingRaisesObjectNotSet) {
  ppt::Application nothing;
  const std::vector<std::pair<const char*, std::function<void()>>> uses = {
      {"read", [&] { nothing.Presentations(); }},
      {"written", [&] { nothing.ShowStartupDialog(ppt::msoTrue); }},
      {"called", [&] { nothing.Quit(); }}};
  for (const auto& [what, use] : uses) {
    try {
      use();
      ADD_FAILURE() << what << ": expected error 91";
    } catch (const vb::Error& error) {
      EXPECT_EQ(vb::errors::kObjectNotSet, error.number()) << what;
    }
  }
}

// Named constants resolve without case (the values themselves are read by the bundled scenarios);
// a name that only starts like one, or none, is not a constant.
TEST(PptConstants, LookupByNameWithoutCase) {
  EXPECT_EQ(-1, ppt::ConstantValue("MSOTRUE"));
  EXPECT_EQ(22, ppt::ConstantValue("msotexturewalnut"));
  EXPECT_EQ(std::nullopt, ppt::ConstantValue("ppViewNormalx"));
  EXPECT_EQ(std::nullopt, ppt::ConstantValue(""));
}

}  // namespace
