#include <gtest/gtest.h>

#include <string>

#include "scenario/parser.hpp"

namespace scenario {
namespace {

Scenario P(const std::string& text) {
  return Parse(text, "test.scn");
}

// The parse error of a text: "line:column: message", or "" when it parses.
std::string ErrorOf(const std::string& text, const ParseOptions& options = {}) {
  try {
    Parse(text, "test.scn", options);
  } catch (const ParseError& error) {
    return std::to_string(error.position().line) + ":" + std::to_string(error.position().column) + ": " +
           error.what();
  }
  return "";
}

// Keywords, members and constants ignore case; strings keep theirs and "" is a quote.
TEST(Parser, NamesIgnoreCaseAndStringsEscapeQuotes) {
  const auto scenario =
      P("initquestion 201\n"
        "EXPECT activepresentation.name = \"Il a dit \"\"oui\"\"\"\n"
        "expect cAuSeErReUr Like \"[AB]*\"\n"
        "sim.startpowerpoint\n"
        "Expect MSOTRUE = -1\n");
  ASSERT_EQ(5u, scenario.statements.size());
  EXPECT_EQ("Il a dit \"oui\"", scenario.statements[1].value->literal.ToString());
  EXPECT_EQ(static_cast<int>(Comparison::kLike), static_cast<int>(scenario.statements[2].comparison));
  EXPECT_EQ("StartPowerPoint", scenario.statements[3].member);
  EXPECT_EQ(static_cast<int>(RootKind::kConstant), static_cast<int>(scenario.statements[4].target->root));
}

// Comments (' and #) end a line outside strings; " _" continues a statement on the next line,
// which keeps the line where it started.
TEST(Parser, CommentsAndContinuations) {
  const auto scenario =
      P("' a whole-line comment\n"
        "# another one\n"
        "\n"
        "Expect CauseErreur = \"it's # not a comment\"  ' but this is\n"
        "ActivePresentation.SaveAs _\n"
        "    \"C:\\ZUK\\x.ppt\", _   ' the file\n"
        "    ppSaveAsPresentation\n"
        "Fermer # done\n");
  ASSERT_EQ(3u, scenario.statements.size());
  EXPECT_EQ("it's # not a comment", scenario.statements[0].value->literal.ToString());
  EXPECT_EQ(4, scenario.statements[0].position.line);
  EXPECT_EQ(5, scenario.statements[1].position.line);
  EXPECT_EQ(2u, scenario.statements[1].arguments.size());
  EXPECT_EQ("ActivePresentation.SaveAs \"C:\\ZUK\\x.ppt\", ppSaveAsPresentation",
            scenario.statements[1].text);
  EXPECT_EQ(8, scenario.statements[2].position.line);
}

// Files written on Windows: a byte-order mark and CR LF line ends, continuations included.
TEST(Parser, WindowsLineEndsAndByteOrderMark) {
  const auto scenario = P("\xEF\xBB\xBFInitQuestion 201\r\nExpect CauseErreur = _\r\n  \"B\"\r\nFermer\r\n");
  ASSERT_EQ(3u, scenario.statements.size());
  EXPECT_EQ(1, scenario.statements[0].position.column);
  EXPECT_EQ("Expect CauseErreur = \"B\"", scenario.statements[1].text);
  EXPECT_EQ(4, scenario.statements[2].position.line);
}

// Precedence as in VBA: * and / before + and -, & last; unary minus on its operand.
TEST(Parser, ExpressionsNestWithVbPrecedence) {
  const auto scenario = P("Expect Sim.WorkFolder & 1 + 2 * -3 = \"\"\n");
  const auto& concat = *scenario.statements[0].target;
  ASSERT_EQ(Expression::Kind::kBinary, concat.kind);
  EXPECT_EQ(static_cast<int>(BinaryOperator::kConcatenate), static_cast<int>(concat.binary));
  const auto& sum = *concat.right;
  EXPECT_EQ(static_cast<int>(BinaryOperator::kAdd), static_cast<int>(sum.binary));
  const auto& product = *sum.right;
  EXPECT_EQ(static_cast<int>(BinaryOperator::kMultiply), static_cast<int>(product.binary));
  EXPECT_EQ(Expression::Kind::kUnary, product.right->kind);
}

// Arguments: positional, named with :=, left out between commas, and an index after a call.
TEST(Parser, ArgumentListsKeepNamesAndGaps) {
  const auto scenario =
      P("Presentations.Open Sim.WorkFolder & \"a.ppt\", , Untitled:=msoTrue\n"
        "Expect ActivePresentation.Slides.Range(Array(1, 2))(2).Name = \"\"\n");
  const auto& open = scenario.statements[0];
  ASSERT_EQ(3u, open.arguments.size());
  EXPECT_TRUE(open.arguments[0].value != nullptr);
  EXPECT_TRUE(open.arguments[1].value == nullptr);
  EXPECT_EQ("Untitled", open.arguments[2].name);
  const auto& range = scenario.statements[1].target->path[2];
  EXPECT_EQ("Range", range.name);
  EXPECT_EQ(2u, range.calls.size());
}

// Every fault names its line and column and says what was expected.
TEST(Parser, ErrorsGiveLineColumnAndWhatWasExpected) {
  EXPECT_EQ(
      "2:1: unknown name 'TestPoint'; did you mean `TestePoint`? (not a statement, a PowerPoint global "
      "(Application, "
      "ActivePresentation, ActiveWindow, Presentations, CommandBars, Windows), Host., Sim., a verdict "
      "member, Error, a constant or a function)",
      ErrorOf("InitQuestion 201\nTestPoint\n"));
  EXPECT_EQ("1:28: unterminated string: a string must end with \" on the line where it starts",
            ErrorOf("Expect CauseErreur = \"B\" & \"B\nFermer\n"));
  EXPECT_EQ("1:19: expected =, <>, <, <=, >, >=, Like or Is Nothing, found the end of the line",
            ErrorOf("Expect CauseErreur\n"));
  EXPECT_EQ("1:12: TestePoint takes no arguments", ErrorOf("TestePoint 3\n"));
  EXPECT_EQ("1:1: Sim.OpenWindow takes 2 arguments (Sim.OpenWindow \"title\", \"class\"), not 1",
            ErrorOf("Sim.OpenWindow \"Bloc-notes\"\n"));
  EXPECT_EQ("1:1: unknown member Sim.Explode", ErrorOf("Sim.Explode\n"));
  EXPECT_EQ("1:28: expected Nothing after Is, found the number 3", ErrorOf("Expect Host.Application Is 3\n"));
  EXPECT_EQ("1:15: expected ',' or ')', found '='", ErrorOf("Expect Chr(13 = \"\"\n"));
  EXPECT_EQ(
      "1:13: only a PowerPoint property, Host.PlaceFiles, Host.Handle or Host.Application can be "
      "assigned",
      ErrorOf("CauseErreur = \"\"\n"));
  EXPECT_EQ("1:18: unexpected ':': write one statement per line (':=' names an argument)",
            ErrorOf("InitQuestion 201 : TestePoint\n"));
  EXPECT_EQ("2:25: the line is continued with ' _' but no line follows",
            ErrorOf("Fermer\nActivePresentation.Save _"));
  EXPECT_EQ("1:7: expected what to check after Expect, found the end of the line", ErrorOf("Expect\n"));
}

// Hostile input is refused with a clear message, never a crash: binary garbage, control bytes,
// numbers beyond a Double, nesting beyond the limit and endless operator chains.
TEST(Parser, HostileInputIsRefusedCleanly) {
  EXPECT_EQ("1:8: this is not UTF-8 text (byte 0xFF): a scenario is a UTF-8 text file",
            ErrorOf("Fermer \xFF\xFE\x00garbage"));
  EXPECT_EQ("1:1: unexpected control character U+0000: a scenario is a text file",
            ErrorOf(std::string("\0\x01\x02", 3)));
  EXPECT_EQ("1:8: unexpected character 'é'", ErrorOf("Expect é = 1\n"));
  EXPECT_EQ("1:10: number out of range: 1e999 cannot be held (the largest is about 1.8E+308)",
            ErrorOf("Sim.Wait 1e999\n"));
  EXPECT_NE(std::string::npos,
            ErrorOf("Sim.Wait " + std::string(400, '9') + "\n").find("number out of range"));

  const std::string deep = "Expect " + std::string(500, '(') + "1" + std::string(500, ')') + " = 1\n";
  EXPECT_EQ("1:208: the expression is nested too deeply (more than 200 levels)", ErrorOf(deep));
  const std::string minus = "Expect " + std::string(300, '-') + "1 = 1\n";
  EXPECT_NE(std::string::npos, ErrorOf(minus).find("nested too deeply"));
  std::string chain = "Expect 1";
  for (int k = 0; k < 5000; ++k) chain += " & 1";
  EXPECT_NE(std::string::npos, ErrorOf(chain + " = 1\n").find("too long (more than 1000 operations"));

  // Within the limits, the same shapes parse.
  EXPECT_EQ("", ErrorOf("Expect " + std::string(150, '(') + "1" + std::string(150, ')') + " = 1\n"));
  EXPECT_EQ("", ErrorOf("Sim.Wait 99999999999\n"));
}

// Whole numbers within 32 bits are Longs; larger ones and decimals are Doubles.
TEST(Parser, NumbersKeepTheirVbType) {
  const auto scenario = P("Expect 2147483647 = 2147483648\nExpect 0.3 = 1e3\n");
  EXPECT_EQ(vb::VarType::Long, scenario.statements[0].target->literal.type());
  EXPECT_EQ(vb::VarType::Double, scenario.statements[0].value->literal.type());
  EXPECT_EQ(vb::VarType::Double, scenario.statements[1].target->literal.type());
  EXPECT_EQ(1000.0, scenario.statements[1].value->literal.ToDouble());
}

// The shell takes an expression alone on a line; a scenario does not.
TEST(Parser, InteractiveModeAcceptsBareExpressions) {
  ParseOptions shell;
  shell.interactive = true;
  EXPECT_EQ("", ErrorOf("1 + 2\n\"a\" & Chr(66)\n", shell));
  EXPECT_EQ("1:1: expected a statement, found the number 1", ErrorOf("1 + 2\n"));
}

}  // namespace
}  // namespace scenario
