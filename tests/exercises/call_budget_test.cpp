// Call budgets: the number of object-model calls each exercise's check makes in its right-answer
// state. Every call is a round trip to PowerPoint's process, so a change that adds one fails here.
#include <gtest/gtest.h>

#include "player/player.hpp"
#include "player/right_answer.hpp"
#include "player/runner.hpp"
#include "scenario/parser.hpp"

namespace {

/// The calls of one check (the driver's TestePoint) in the exercise's right-answer state, reached
/// by playing the bundled right-answer scenario up to its first TestePoint: by member, and in all.
/// The facts of the model the count relies on (expectations in the scenario language) are checked
/// first, so that a changed model is told apart from a changed check.
struct CheckCalls {
  player::CallCounts by_member;
  std::uint64_t total = 0;
};

std::string Describe(const CheckCalls& calls) {
  std::string text = std::to_string(calls.total) + " calls:";
  for (const auto& [member, count] : calls.by_member) text += " " + member + " " + std::to_string(count);
  return text;
}

CheckCalls MeasureCheck(int exercise, const std::vector<std::string>& facts = {}) {
  const scenario::Scenario right = player::RightAnswerSession(exercise);

  player::TrainingPlayer host;
  player::Runner runner(host);
  player::ScenarioResult result;
  for (const auto& statement : right.statements) {
    if (statement.kind == scenario::StatementKind::kTestePoint) break;
    if (const auto failure = runner.Step(statement, false, result))
      ADD_FAILURE() << right.name << ": " << *failure;
  }
  std::string text;
  for (const auto& fact : facts) text += "Expect " + fact + "\n";
  const scenario::Scenario checked = scenario::Parse(text, "facts");
  for (const auto& statement : checked.statements) {
    if (const auto failure = runner.Step(statement, false, result))
      ADD_FAILURE() << "the model is no longer the one counted: " << *failure;
  }

  const player::CallCounts before = host.Calls();
  host.TestePoint();
  CheckCalls calls;
  for (const auto& [member, count] : host.Calls()) {
    const auto earlier = before.find(member);
    const std::uint64_t made = count - (earlier == before.end() ? 0 : earlier->second);
    if (made == 0) continue;
    calls.by_member[member] = made;
    calls.total += made;
  }
  const player::VerdictReading verdict = host.ReadVerdict();
  EXPECT_FALSE(verdict.erreur_generale) << verdict.cause_erreur;
  EXPECT_EQ(exercise == 207 ? "C" : "", verdict.cause_erreur) << "not the right-answer state";
  return calls;
}

// What the driver's TestePoint makes before the exercise's check, with the exercise presentation
// open, first, active and holding its `slides` tagged slides:
//   VerifieFenetre      3  WindowState read, set to maximised, set back
//   ActiveFenetre       1  WindowState set to maximised
//   VerifiePresentation 8  Presentations, Count; Item(1).Name 2; Item(1).FullName 2;
//                          ActivePresentation Is Item(1) 2
//   VerifieDiapos       3 + 6 per slide: ActivePresentation.Slides.Count 3; each slide's
//                          Item(i).Tags.Item("Identite") 3, in each of the two walks
std::uint64_t Driver(std::uint64_t slides) {
  return 3 + 1 + 8 + 3 + 6 * slides;
}
// Exercise 222 (the presentation is saved as "Ciné.pot"): the name of the one presentation does not
// match, so VerifiePresentation ends after Item(1).Name, and VerifieDiapos does not run.
constexpr std::uint64_t kDriver222 = 3 + 1 + 4;
// Exercises 223 and 224: the integrity check is skipped.
constexpr std::uint64_t kDriver223 = 3 + 1;

// The shared procedures, with the shapes found where preparation tagged them:
//   ChercheForme(d, "ZUKk")     ActivePresentation.Slides.Item(d).Shapes 4, Count 1, then
//                               Item(i).Tags.Item("Identite") 3 for i = 1 to k: 5 + 3k
//   ChercheZonesMasque          ActivePresentation.SlideMaster.Shapes 3, Count 1, "ZUK1" at 1: 3,
//                               "ZUK2" at 2: 6 -> 13
//   ChercheFormeMasqueDocument(k)  ActivePresentation.HandoutMaster.Shapes 3, Count 1, 3k
//   CompteMot over w words      Words(-1, -1).Count 2, Words(i, -1).Text 2 per word: 2 + 2w
//   ChercheMot found at p       2 + 2p
constexpr std::uint64_t ChercheForme(std::uint64_t k) {
  return 5 + 3 * k;
}
constexpr std::uint64_t kChercheZonesMasque = 3 + 1 + 3 + 6;
constexpr std::uint64_t ChercheFormeMasqueDocument(std::uint64_t k) {
  return 4 + 3 * k;
}
constexpr std::uint64_t CompteMot(std::uint64_t words) {
  return 2 + 2 * words;
}
constexpr std::uint64_t ChercheMot(std::uint64_t found_at) {
  return 2 + 2 * found_at;
}

/// Slide 3's texts in exercises 203 to 206: the title's words, the text's words.
const std::vector<std::string> kTexteDiapo3 = {
    "ActivePresentation.Slides.Count = 6",
    "ActivePresentation.Slides(3).Shapes(1).TextFrame.TextRange.Words.Count = 3",
    "ActivePresentation.Slides(3).Shapes(2).TextFrame.TextRange.Words.Count = 46"};

/// The facts of slide 3's texts with one more.
std::vector<std::string> With(std::vector<std::string> facts, const std::string& more) {
  facts.push_back(more);
  return facts;
}

struct Budget {
  int exercise;
  std::vector<std::string> facts;
  std::uint64_t calls;
};

TEST(CallBudget, EachExercisesCheckInItsRightAnswerState) {
  const Budget budgets[] = {
      // TemplateName of the active presentation: ActivePresentation, TemplateName 2
      {201, {"ActivePresentation.Slides.Count = 6"}, Driver(6) + 2},
      // Slide 2's layout: ActivePresentation.Slides.Item(2).Layout 4
      {202, {"ActivePresentation.Slides.Count = 6"}, Driver(6) + 4},
      // 1-2 ChercheForme "ZUK2", "ZUK1"                                  11 + 8
      // 3   ActivePresentation.Slides.Item(3).Shapes 4, Item(k).TextFrame 2 for each shape   8
      // 4   T2.TextRange 1, CompteMot over 46 words                             1 + 94
      // 5   T2.TextRange 1, ChercheMot found at 3                               1 + 8
      //     W = T2.TextRange.Words(3).TrimText, each attribute read afresh through its Font: 5 a read
      // 6   Underline, Shadow, Italic, Emboss, Bold                           25
      // 7   Underline                                                           5
      // 8   Shadow, Italic, Emboss, Bold                                       20
      // 9   the five again                                                     25
      // 10  T1.TextRange.Words.Count 3; each of 3 words TextRange.Words(i).TrimText.Font.Underline 5   18
      // 11  T2.TextRange.Words.Count 3; each of 46 words TextRange.Words(i).TrimText.Text 4 and,
      //     with its spaces, TextRange.Words(i).Font.Underline 4               371
      {203,
       With(kTexteDiapo3,
            "ActivePresentation.Slides(3).Shapes(2).TextFrame.TextRange.Words(3).Text = \"exceptionnel \""),
       Driver(6) + ChercheForme(2) + ChercheForme(1) + 8 + 1 + CompteMot(46) + 1 + ChercheMot(3) + 25 + 5 +
           20 + 25 + 18 + 371},
      // 1-3 the two shapes and their text frames, as in 203                  27
      // 4   T2.TextRange 1, CompteMot over 46 words                             95
      // 5   T2.TextRange 1, ChercheMot found at 21                              45
      // 6   W's font name, without its spaces: TextRange.Words(21).TrimText.Font.Name   5
      // 7   T1.TextRange.Words.Count 3; 3 words TextRange.Words(i).Font.Name 4    15
      // 8   T2.TextRange.Words.Count 3; 46 words TextRange.Words(i).TrimText.Text 4 and
      //     TextRange.Words(i).Font.Name 4                                    371
      // 9   characters 1 to 4 of W: TextRange.Words(21).Characters(c, 1).Font.Name 5 each   20
      {204,
       With(kTexteDiapo3,
            "ActivePresentation.Slides(3).Shapes(2).TextFrame.TextRange.Words(21).Text Like \"1990*\""),
       Driver(6) + ChercheForme(2) + ChercheForme(1) + 8 + 1 + CompteMot(46) + 1 + ChercheMot(21) + 5 + 15 +
           371 + 20},
      // 1   ChercheForme "ZUK2"                                                11
      // 2   ActivePresentation.Slides.Item(3).Shapes.Item(k).TextFrame            6
      // 3   TextRange 1, CompteMot over 46 words                               95
      // 4   TextRange 1, ChercheMot found at 21                                45
      // 5   TextRange.Font.Size                                                  3
      // 6   TextRange.Words(21).TrimText.Font.Size                               5
      // 7   characters 1 to 4: TextRange.Words(21).Characters(c, 1).Font.Size 5 each   20
      {205,
       With(kTexteDiapo3,
            "ActivePresentation.Slides(3).Shapes(2).TextFrame.TextRange.Words(21).Text Like \"1990*\""),
       Driver(6) + ChercheForme(2) + 6 + 1 + CompteMot(46) + 1 + ChercheMot(21) + 3 + 5 + 20},
      // 1   ChercheForme "ZUK2" 11, then the text frame taken once:
      //     ActivePresentation.Slides.Item(3).Shapes.Item(k).TextFrame 6       17
      // 2   R = TextRange 1, CompteMot over 46 words                           95
      // 3   R 1, ChercheMot found at 3                                           9
      // 4   R.Font.Color.RGB                                                    4
      // 5   R.Words(3, -1).Characters(1, 1).Font.Color.RGB                       6
      // 6   characters 2 to 12, 6 each                                         66
      // 7   R.Words(3, -1).TrimText.Font.Color.RGB                               6
      {206,
       With(kTexteDiapo3,
            "ActivePresentation.Slides(3).Shapes(2).TextFrame.TextRange.Words(3).Text = \"exceptionnel \""),
       Driver(6) + ChercheForme(2) + 6 + 1 + CompteMot(46) + 1 + ChercheMot(3) + 4 + 6 + 66 + 6},
      // Each text is read afresh: ActivePresentation.Slides.Item(d).Shapes.Item(k).TextFrame.TextRange 7
      // 2   ChercheForme slide 3 "ZUK2"                                         11
      // 3   text of slide 3 7, CompteMot over 26 words                          61
      // 4   ChercheForme slide 4 "ZUK2"                                         11
      // 5   text of slide 4 7, CompteMot over 22 words                          53
      // 6   text 7, ChercheMot "1990" found at 16; text 7, ChercheMot "1994" found at 15   41 + 39
      // 7   text of slide 3 7, Words(16, -1).TrimText 2, Font 1, seven attributes 7   17
      // 8   the same for "1994" and for "1990" again                            34
      {207,
       {"ActivePresentation.Slides.Count = 6",
        "ActivePresentation.Slides(3).Shapes(2).TextFrame.TextRange.Words.Count = 26",
        "ActivePresentation.Slides(4).Shapes(2).TextFrame.TextRange.Words.Count = 22",
        "ActivePresentation.Slides(3).Shapes(2).TextFrame.TextRange.Words(16).Text = \"1990\"",
        "ActivePresentation.Slides(4).Shapes(2).TextFrame.TextRange.Words(15).Text Like \"1994*\""},
       Driver(6) + ChercheForme(2) + 7 + CompteMot(26) + ChercheForme(2) + 7 + CompteMot(22) + 7 +
           ChercheMot(16) + 7 + ChercheMot(15) + 17 + 34},
      // 2   ChercheForme "ZUK2" 11, its ActivePresentation.Slides.Item(3).Shapes.Item(k).TextFrame.TextRange
      // 7 18
      // 3   Paragraphs(-1, -1).Count                                             2
      // 4-5 Paragraphs(n, -1).ParagraphFormat.Alignment of 7 and 8, 3 each          6
      // 6   paragraphs 1 to 6, all left-aligned                                18
      {208, {"ActivePresentation.Slides.Count = 6"}, Driver(6) + ChercheForme(2) + 7 + 2 + 6 + 18},
      // 2   ChercheZonesMasque 13; ActivePresentation.SlideMaster.TextStyles.Item(3) 4;
      //     Levels.Item(1).ParagraphFormat.Bullet.Character 5, its .Font.Name 6,
      //     Levels.Item(2).ParagraphFormat.Bullet.Visible 5                       33
      // 3   ChercheForme "ZUK2" 11, the text range 7                           18
      // 4   Paragraphs(-1, -1).Count                                             2
      //     the bullet of paragraph n: Paragraphs(n, -1).ParagraphFormat.Bullet 3
      // 5   Visible of 7                                                         4
      // 6   Font.Name 5, Character 4, Type 4 of 7                              13
      // 7   Font.Name 5, Character 4 of 7                                        9
      // 8   Character of 1 (not 36: the walk stops)                             4
      // 9   Character and Visible of 8                                           8
      // 10  Visible of 8                                                         4
      // 11  Visible of 1 (not 0: the walk stops)                                 4
      {209,
       {"ActivePresentation.Slides.Count = 6"},
       Driver(6) + kChercheZonesMasque + 20 + ChercheForme(2) + 7 + 2 + 4 + 13 + 9 + 4 + 8 + 4 + 4},
      // 2   ChercheForme "ZUK2" 11, the text range 7                           18
      // 3   Paragraphs(-1, -1).Count                                             2
      // 4   Paragraphs(7, -1).Lines(-1, -1).Count 3, .Lines(L7, -1).Length 3; the same for 8   12
      // 5   Paragraphs(8, -1).IndentLevel                                        2
      //     a spacing: Paragraphs(n, -1).ParagraphFormat.<spacing> 3. Each rule reads both its
      //     spacings before deciding
      // 6   SpaceWithin of 8, SpaceBefore of 8                                   6
      // 7   SpaceAfter of 7, SpaceBefore of 8                                    6
      // 8   SpaceAfter of 8, SpaceBefore of 8                                    6
      // 9   SpaceAfter of 7, SpaceBefore of 8                                    6
      // 10  LineRuleBefore of 8                                                  3
      // 11  SpaceBefore of 8                                                     3
      // 12  Paragraphs(-1, -1).ParagraphFormat.SpaceBefore                        3
      // 13  Paragraphs(-1, -1).Count 2; IndentLevel of paragraphs 1 to 5, 2 each; paragraph 5, the
      //     first at level 2, has 0.2 before: its SpaceBefore 3 ends the walk      15
      {210,
       {"ActivePresentation.Slides.Count = 6",
        "ActivePresentation.Slides(3).Shapes(2).TextFrame.TextRange.Paragraphs(4).IndentLevel = 1",
        "ActivePresentation.Slides(3).Shapes(2).TextFrame.TextRange.Paragraphs(5).IndentLevel = 2"},
       Driver(6) + ChercheForme(2) + 7 + 2 + 12 + 2 + 6 + 6 + 6 + 6 + 3 + 3 + 3 + 15},
      // CommandBars.Item("Frames").Controls.Item(5) 4, State 1
      {211, {"ActivePresentation.Slides.Count = 6"}, Driver(6) + 5},
      // 2   ChercheZonesMasque 13; ActivePresentation.SlideMaster.Shapes.Item(m).TextFrame.Ruler
      //     .TabStops.Count 8                                                  21
      // 3   ChercheForme slide 4 "ZUK2"                                         11
      // 4-5 ActivePresentation.Slides.Item(4).Shapes.Item(k).TextFrame.Ruler.TabStops 8, Count 1   9
      // 6   TabStops.Item(1).Type                                                2
      {212,
       {"ActivePresentation.Slides.Count = 6"},
       Driver(6) + kChercheZonesMasque + 8 + ChercheForme(2) + 9 + 2},
      // 2   ActivePresentation.ColorSchemes.Count                                3
      // 4   eight colours, each ActivePresentation.Slides.Range.ColorScheme.Colors(i).RGB 6   48
      // 6   ActivePresentation 1; ColorSchemes.Item(5) 2; eight Colors(i).RGB 2    19
      // 7   Slides.Range.ColorScheme 3; eight Colors(i).RGB 2                   19
      // 8   Slides.Item(1).Design.Name                                           4
      {213, {"ActivePresentation.Slides.Count = 6"}, Driver(6) + 3 + 48 + 19 + 19 + 4},
      // ActivePresentation 1
      // 2   Slides.Range.FollowMasterBackground                                  3
      // 3   SlideMaster.Background.Fill 3, TitleMaster.Background.Fill 3, Type of each 2   8
      // 4-5 textured: nothing more
      // 6   PresetTexture of each                                                2
      {214, {"ActivePresentation.Slides.Count = 6"}, Driver(6) + 1 + 3 + 8 + 2},
      // ActiveWindow.ActivePane.ViewType 3
      {215, {"ActivePresentation.Slides.Count = 6"}, Driver(6) + 3},
      // 2   ChercheZonesMasque                                                   13
      // 3   ActivePresentation.SlideMaster 2, Shapes.Item(index).TextFrame 3       5
      // 4   TextRange.Paragraphs(-1, -1).Count                                    3
      // 5   TextRange.Paragraphs(i, -1).IndentLevel for 1 to 5, 3 each            15
      // 6   TextStyles.Item(3).Ruler 3, Levels.Item(1) 2, FirstMargin and LeftMargin, both read   7
      // 7   TextRange.Paragraphs(2, -1).ParagraphFormat.Bullet.Visible            5
      // 8   Levels.Item(2) 2, LeftMargin 1                                        3
      // 9-10 LeftMargin, FirstMargin                                             2
      // 11  FirstMargin, LeftMargin                                              2
      {216,
       {"ActivePresentation.Slides.Count = 6"},
       Driver(6) + kChercheZonesMasque + 5 + 3 + 15 + 7 + 5 + 3 + 2 + 2},
      // ActiveWindow 1
      // 2   ViewType                                                             1
      // 3   ActivePane.ViewType 2, Panes.Item(2).ViewType 3                       5
      // 4   both again                                                           5
      // 5   ActivePresentation.TitleMaster.Shapes.Count 4; shape 1's Item(1).Tags.Item("Identite") 3,
      //     then Item(1) kept as the title shape 1                               8
      // 6-9 Height, Height, Top, Top                                             4
      {217, {"ActivePresentation.Slides.Count = 6"}, Driver(6) + 1 + 1 + 5 + 5 + 8 + 4},
      // ActivePresentation.Designs.Count 3; two designs, Item(i).Name 2 each
      {218,
       {"ActivePresentation.Slides.Count = 6", "ActivePresentation.Designs.Count = 2"},
       Driver(6) + 3 + 4},
      // 2   ActiveWindow.ViewType                                                2
      // 3-4 ActiveWindow.View.PrintOptions.RangeType, and .OutputType, 4 each     8
      {219, {"ActivePresentation.Slides.Count = 6"}, Driver(6) + 2 + 8},
      // ActivePresentation.PageSetup 2, SlideOrientation 1, NotesOrientation 1
      {220, {"ActivePresentation.Slides.Count = 6"}, Driver(6) + 4},
      // 2   ActivePresentation.HandoutMaster.Shapes 3; ChercheFormeMasqueDocument(1) 7 and (2) 10;
      //     Item of each zone 2                                                 22
      // 3   Height, Width, Rotation of both zones                                6
      // 4   Top of both, Left of both                                            4
      // 5-6 NotesMaster.HeadersFooters.Header.Text 4 and zone 1's TextFrame.TextRange.Text 3, both
      //     read at each step before deciding                                  14
      {221,
       {"ActivePresentation.Slides.Count = 6"},
       Driver(6) + 3 + ChercheFormeMasqueDocument(1) + ChercheFormeMasqueDocument(2) + 2 + 6 + 4 + 14},
      // 2   ActivePresentation.BuiltInDocumentProperties.Item(12).Value 4, ActivePresentation.FullName 2,
      //     ActivePresentation.BuiltInDocumentProperties.Item(6).Value 4          10
      // 4   ActivePresentation 1, Name 1                                         2
      // 5   FullName                                                             1
      // 6   Slides.Count                                                         2
      // 7-8 Slides.Item(n).Tags.Item("Identite") for slides 1 and 2, 4 each        8
      {222, {}, kDriver222 + 10 + 2 + 1 + 2 + 8},
      // 2   Presentations.Count 2, ActivePresentation.FullName 2                   4
      // 3   ActivePresentation 1, BuiltInDocumentProperties.Item(11).Value 3        4
      // 4   BuiltInDocumentProperties.Item(6).Value                              3
      {223, {}, kDriver223 + 4 + 4 + 3},
      // 2   Presentations.Count 2, ActivePresentation.FullName 2                   4
      // 3   ActivePresentation 1, FullName 1, Name 1 (kept for step 4)             3
      // 5   FullName (the file's date is read from the disk)                     1
      // 6-7 BuiltInDocumentProperties.Item(6).Value, .Item(19).Value, 3 each        6
      // 8   Slides.Item(1) 2; eight ColorScheme.Colors(i).RGB 3                  26
      // 9   Shapes.Item(2).TextFrame.TextRange.Text 5, twice, both read before deciding   10
      // 10  Shapes.Item(1).TextFrame.TextRange.Text                              5
      // 11  HeadersFooters 1; SlideNumber.Visible, DateAndTime.Visible, Footer.Visible 2 each   7
      {224, {}, kDriver223 + 4 + 3 + 1 + 6 + 26 + 10 + 5 + 7},
  };
  for (const Budget& budget : budgets) {
    SCOPED_TRACE("exercise " + std::to_string(budget.exercise));
    const CheckCalls calls = MeasureCheck(budget.exercise, budget.facts);
    EXPECT_EQ(budget.calls, calls.total) << "exercise " << budget.exercise << ": " << Describe(calls);
  }
}

}  // namespace
