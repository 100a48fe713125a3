// A check gives the first fault it finds, where a later step would find another: the word typed
// twice in 203, left untouched, is "G" (not the untouched word's "B"); two tab stops in 212, the
// first not a left one, are "D" (not the wrong stop's "C").
#include <gtest/gtest.h>

#include <string>

#include "player/player.hpp"
#include "player/runner.hpp"
#include "scenario/parser.hpp"

namespace {

TEST(FirstFault, ALaterStepDoesNotReplaceTheCode) {
  struct Case {
    const char* work;
    const char* code;
  };
  for (const Case& c :
       {Case{"InitQuestion 203\nActivePresentation.Slides(3).Shapes(2).TextFrame.TextRange.Paragraphs(8)"
             ".InsertAfter \" : un choix exceptionnel\"\n",
             "G"},
        Case{"InitQuestion 212\nActivePresentation.Slides(4).Shapes(2).TextFrame.Ruler.TabStops.Add "
             "ppTabStopRight, 150\nActivePresentation.Slides(4).Shapes(2).TextFrame.Ruler.TabStops.Add "
             "ppTabStopLeft, 300\n",
             "D"}}) {
    player::TrainingPlayer player;
    player::Runner runner(player);
    const std::string text = std::string(c.work) + "TestePoint\nExpect CauseErreur = \"" + c.code + "\"\n";
    const auto result = runner.Run(scenario::Parse(text, "first-fault.scn"));
    EXPECT_TRUE(result.passed) << c.work << result.message;
  }
}

}  // namespace
