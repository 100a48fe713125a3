#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "error_number.hpp"
#include "scenario/evaluator.hpp"
#include "scenario/like.hpp"
#include "scenario/names.hpp"
#include "scenario/parser.hpp"

namespace scenario {
namespace {

using test_support::ErrorNumberOf;

// A small object model: an object with properties by name, a collection "Items" whose default
// member is Item, and a log of every call it received.
class FakeObject : public vb::Dispatch, public std::enable_shared_from_this<FakeObject> {
 public:
  std::map<std::string, vb::Variant> properties;
  std::vector<std::shared_ptr<FakeObject>> items;
  std::vector<std::string>* log = nullptr;

  vb::Variant Invoke(std::string_view member, vb::CallKind kind, const vb::Arguments& arguments) override {
    const std::string name = Lower(member);
    if (log) log->push_back(Describe(name, kind, arguments));
    if (name == "item") {
      if (arguments.size() != 1) vb::Raise(vb::errors::kWrongArgumentCount, "Fake");
      const auto index = arguments[0].value.ToLong();
      if (index < 1 || index > static_cast<std::int32_t>(items.size()))
        vb::Raise(vb::errors::kPowerPoint, "Fake");
      return vb::Variant(vb::ObjectRef(items[static_cast<std::size_t>(index - 1)]));
    }
    if (name == "items") {
      if (arguments.empty()) return vb::Variant(vb::ObjectRef(shared_from_this()));
      return Invoke("Item", vb::CallKind::Get, arguments);  // the collection's default member
    }
    if (kind == vb::CallKind::Put) {
      if (!properties.count(name)) vb::Raise(vb::errors::kNoSuchMember, "Fake");
      properties[name] = arguments.back().value;
      return {};
    }
    auto found = properties.find(name);
    if (found == properties.end()) vb::Raise(vb::errors::kNoSuchMember, "Fake");
    if (!arguments.empty()) vb::Raise(vb::errors::kWrongArgumentCount, "Fake");
    return found->second;
  }
  std::string TypeName() const override { return "Fake"; }

 private:
  static std::string Lower(std::string_view text) {
    std::string lower(text);
    for (auto& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
  }
  static std::string Describe(const std::string& name, vb::CallKind kind, const vb::Arguments& arguments) {
    std::string text = (kind == vb::CallKind::Put      ? "put "
                        : kind == vb::CallKind::Method ? "call "
                                                       : "get ") +
                       name;
    for (const auto& argument : arguments) {
      text += " " + (argument.name.empty() ? "" : argument.name + ":=") + argument.value.Describe();
    }
    return text;
  }
};

class FakeEnvironment : public Environment {
 public:
  std::shared_ptr<FakeObject> application = std::make_shared<FakeObject>();
  ErrorRecord error;

  vb::ObjectRef PowerPoint() override { return application; }
  vb::Variant HostValue(const std::string& member) override {
    return member == "Handle" ? vb::Variant(std::int32_t{4242}) : vb::Variant::Nothing();
  }
  vb::Variant SimValue(const std::string& member, const std::vector<vb::Variant>& arguments) override {
    if (member == "FileExists") return vb::Variant(arguments.at(0).ToString() == "C:\\a.ppt");
    return vb::Variant("C:\\ZUK\\Travail\\");
  }
  vb::Variant Verdict(const std::string& member) override {
    if (member == "CauseErreur") return vb::Variant("B");
    return vb::Variant(false);
  }
  const ErrorRecord& LastError() override { return error; }
};

class EvaluatorTest : public ::testing::Test {
 protected:
  EvaluatorTest() {
    auto slide = std::make_shared<FakeObject>();
    slide->properties["name"] = vb::Variant("Diapo 1");
    slide->properties["layout"] = vb::Variant(std::int32_t{2});
    slide->log = &log;
    environment.application->properties["name"] = vb::Variant("PowerPoint");
    environment.application->items.push_back(slide);
    environment.application->log = &log;
  }

  // The value of the expression on the right of "Expect … = ".
  vb::Variant Value(const std::string& expression) {
    ParseOptions options;
    options.interactive = true;
    const auto scenario = Parse(expression + "\n", "t.scn", options);
    Evaluator evaluator(environment);
    return evaluator.Evaluate(*scenario.statements.at(0).target);
  }
  std::int32_t ErrorOf(const std::string& expression) {
    return ErrorNumberOf([&] { Value(expression); });
  }
  Statement Statement1(const std::string& text) { return Parse(text + "\n", "t.scn").statements.at(0); }

  FakeEnvironment environment;
  std::vector<std::string> log;
};

TEST_F(EvaluatorTest, ArithmeticAndConcatenationFollowVb) {
  EXPECT_EQ(vb::Variant(std::int32_t{7}), Value("1 + 2 * 3"));
  EXPECT_EQ(vb::VarType::Long, Value("1 + 2 * 3").type());
  EXPECT_EQ(vb::Variant(2.5), Value("5 / 2"));
  EXPECT_EQ(vb::VarType::Double, Value("4 / 2").type());
  EXPECT_EQ(vb::Variant(std::int32_t{-6}), Value("-(2 + 4)"));
  EXPECT_EQ(vb::Variant("a1"), Value("\"a\" & 1"));
  EXPECT_EQ(vb::Variant("ab"), Value("\"a\" + \"b\""));
  EXPECT_EQ(vb::Variant(std::int32_t{3}), Value("\"1\" + 2"));  // + adds a numeric string to a number
  EXPECT_EQ(vb::Variant(std::string("True")), Value("\"\" & True"));
  // Whole numbers beyond 32 bits become Doubles instead of wrapping.
  EXPECT_EQ(vb::Variant(4294967294.0), Value("2147483647 * 2"));
  EXPECT_EQ(vb::Variant(2147483648.0), Value("-(-2147483647 - 1)"));
  EXPECT_EQ(language_errors::kDivisionByZero, ErrorOf("1 / 0"));
  EXPECT_EQ(vb::errors::kTypeMismatch, ErrorOf("\"abc\" * 2"));
  EXPECT_EQ(vb::errors::kTypeMismatch, ErrorOf("Application & \"x\""));
  EXPECT_EQ(vb::errors::kOverflow, ErrorOf("1e308 * 10"));
}

TEST_F(EvaluatorTest, FunctionsAndConstants) {
  EXPECT_EQ(vb::Variant(std::string("\r")), Value("Chr(13)"));
  EXPECT_EQ(vb::Variant(std::string("\v")), Value("Chr(11)"));
  EXPECT_EQ(vb::Variant(std::string("é")), Value("Chr(233)"));  // the ANSI code page's character
  EXPECT_EQ(vb::Variant(std::int32_t{16777215}), Value("RGB(255, 255, 255)"));
  EXPECT_EQ(vb::Variant(std::int32_t{0x0000FF}), Value("RGB(300, 0, 0)"));  // a part above 255 counts as 255
  EXPECT_EQ(vb::Variant(std::int32_t{0x030201}), Value("RGB(1, 2, 3)"));
  EXPECT_EQ(vb::Variant(std::int32_t{2}), Value("Array(1, 2, 3)(1)"));
  EXPECT_EQ(vb::Variant(std::int32_t{-1}), Value("msoTrue"));
  EXPECT_EQ(vb::Variant(std::int32_t{9}), Value("PPVIEWNORMAL"));
  EXPECT_EQ(vb::errors::kWrongArgumentCount, ErrorOf("RGB(1, 2)"));
  EXPECT_EQ(vb::errors::kInvalidCall, ErrorOf("Chr(256)"));
  EXPECT_EQ(vb::errors::kSubscriptOutOfRange, ErrorOf("Array(1)(1)"));
}

// A path is walked member by member; X(i) on a collection goes to its Item; the last member of
// an assignment is a Put, of a call a Method.
TEST_F(EvaluatorTest, PathsWalkTheObjectModelByName) {
  EXPECT_EQ(vb::Variant("Diapo 1"), Value("Application.Items(1).Name"));
  EXPECT_EQ(vb::Variant("Diapo 1"), Value("Application.Items.Item(1).NAME"));
  EXPECT_EQ(vb::Variant("C:\\ZUK\\Travail\\x.ppt"), Value("Sim.WorkFolder & \"x.ppt\""));
  EXPECT_EQ(vb::Variant(true), Value("Sim.FileExists(\"C:\\a.ppt\")"));
  EXPECT_EQ(vb::Variant(std::int32_t{4242}), Value("Host.Handle"));

  log.clear();
  Evaluator evaluator(environment);
  evaluator.Assign(*Statement1("Application.Items(1).Layout = ppLayoutTitle").target, vb::Variant(1));
  EXPECT_EQ(vb::Variant(std::int32_t{1}), Value("Application.Items(1).Layout"));
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ("get items 1", log[0]);
  EXPECT_EQ("get item 1", log[1]);
  EXPECT_EQ("put layout 1", log[2]);

  log.clear();
  const auto call = Statement1("Application.Items(1).Name Index:=2, , \"x\"");
  EXPECT_EQ(vb::errors::kWrongArgumentCount,
            ErrorNumberOf([&] { evaluator.Call(*call.target, call.arguments); }));
  EXPECT_EQ("call name Index:=2 Missing \"x\"", log.back());
}

// Errors inside the language are vb::Error values the runner can report, never crashes.
TEST_F(EvaluatorTest, LanguageErrorsAreVbErrors) {
  EXPECT_EQ(vb::errors::kNoSuchMember, ErrorOf("Application.Nonexistent"));
  EXPECT_EQ(vb::errors::kWrongArgumentCount, ErrorOf("Application.Name(1)"));
  EXPECT_EQ(vb::errors::kPowerPoint, ErrorOf("Application.Items(9)"));
  EXPECT_EQ(language_errors::kObjectRequired, ErrorOf("Application.Name.Length"));
  EXPECT_EQ(vb::errors::kObjectNotSet, ErrorOf("Host.Application.Name"));
  EXPECT_EQ(vb::errors::kTypeMismatch, ErrorOf("Host.Handle(1)"));
  environment.application.reset();
  EXPECT_EQ(vb::errors::kObjectNotSet, ErrorOf("ActivePresentation.Name"));
}

// Expectations compare Singles in single precision, everything else as VB does.
TEST(Expectation, ComparesSinglesInSinglePrecision) {
  EXPECT_EQ(0, CompareForExpectation(vb::Variant(0.2f), vb::Variant(0.2)));
  EXPECT_EQ(0, CompareForExpectation(vb::Variant(20.5f), vb::Variant(20.5)));
  EXPECT_EQ(0, CompareForExpectation(vb::Variant(28.0f), vb::Variant(std::int32_t{28})));
  EXPECT_NE(0, CompareForExpectation(vb::Variant(0.2f), vb::Variant(0.3)));
  EXPECT_NE(0, vb::Variant::Compare(vb::Variant(0.2f), vb::Variant(0.2)));  // plain VB would differ
  EXPECT_EQ(0, CompareForExpectation(vb::Variant("B"), vb::Variant("B")));
  EXPECT_NE(0, CompareForExpectation(vb::Variant("B"), vb::Variant("b")));
  EXPECT_EQ(0, CompareForExpectation(vb::Variant(true), vb::Variant(std::int32_t{-1})));
}

// VB's Like: ? * # and [lists], case-sensitive, over characters rather than bytes.
TEST(LikeOperator, MatchesAsVbLike) {
  EXPECT_TRUE(Like("Cinéloisirs.ppt", "Cin?loisirs.*"));
  EXPECT_TRUE(Like("", "*"));
  EXPECT_FALSE(Like("", "?"));
  EXPECT_TRUE(Like("abc", "a*c"));
  EXPECT_TRUE(Like("aXbXc", "*X*c"));
  EXPECT_FALSE(Like("abC", "abc"));
  EXPECT_TRUE(Like("F9", "[A-G]#"));
  EXPECT_FALSE(Like("H9", "[A-G]#"));
  EXPECT_TRUE(Like("H9", "[!A-G]#"));
  EXPECT_TRUE(Like("a-b", "a[-]b"));
  EXPECT_TRUE(Like("a*b", "a[*]b"));
  EXPECT_TRUE(Like("ab", "a[]b"));
  EXPECT_TRUE(Like("%AL", "[%]A?"));
  EXPECT_TRUE(
      Like("DLL K63905 - CLASSE Module\n\r - SERVICE Renomme - OBJET x", "DLL K63905 - CLASSE *Renomme*"));
  EXPECT_FALSE(Like("Renomme", "*Renomme?"));
  EXPECT_EQ(kInvalidPattern, ErrorNumberOf([] { Like("a", "[a"); }));
  EXPECT_EQ(kInvalidPattern, ErrorNumberOf([] { Like("a", "[z-a]"); }));
}

}  // namespace
}  // namespace scenario
