// The toolbars and the task pane every exercise starts with, and the task pane's visibility
// carried from one exercise to the next.
#include <gtest/gtest.h>

#include "module/course_fixture.hpp"

namespace {

class CommandBars : public test_support::CourseTest {
 protected:
  /// A bar of the PowerPoint the user started before the course.
  ppt::CommandBar Bar(const std::string& name) { return user.CommandBars().Item(name); }

  ppt::Application user{desktop.StartPowerPoint().application()};
};

// The Standard and Formatting toolbars are docked at the top and shown; a hidden Drawing toolbar
// stays hidden but enabled; the first exercise starts with the task pane hidden, at the right.
TEST_F(CommandBars, TheFirstExerciseStartsWithTheKnownArrangement) {
  Bar("Standard").Position(ppt::msoBarFloating);
  Bar("Formatting").Visible(false);
  Bar("Drawing").Visible(false);
  Bar("Drawing").Enabled(false);
  Bar("Task Pane").Visible(true);
  Init201();
  ASSERT_TRUE(application.Is(user));
  EXPECT_EQ(ppt::msoBarTop, Bar("Standard").Position());
  EXPECT_TRUE(Bar("Standard").Visible());
  EXPECT_EQ(ppt::msoBarTop, Bar("Formatting").Position());
  EXPECT_TRUE(Bar("Formatting").Visible());
  EXPECT_FALSE(Bar("Drawing").Visible());
  EXPECT_TRUE(Bar("Drawing").Enabled());
  EXPECT_EQ(ppt::msoBarRight, Bar("Task Pane").Position());
  EXPECT_FALSE(Bar("Task Pane").Visible());
}

// A visible Drawing toolbar docked elsewhere goes to the bottom; the arrangement stays after the
// exercise.
TEST_F(CommandBars, AVisibleDrawingToolbarGoesToTheBottom) {
  Bar("Drawing").Position(ppt::msoBarLeft);
  Init201();
  EXPECT_EQ(ppt::msoBarBottom, Bar("Drawing").Position());
  EXPECT_TRUE(Bar("Drawing").Visible());
  module.Fermer();
  EXPECT_EQ(ppt::msoBarBottom, Bar("Drawing").Position());
}

// The task pane as the learner left it when one exercise closed is how the next one starts.
TEST_F(CommandBars, TheTaskPaneCarriesOverToTheNextExercise) {
  Init201();
  Bar("Task Pane").Visible(true);
  Bar("Task Pane").Position(ppt::msoBarLeft);
  module.Fermer();
  Init201();
  EXPECT_TRUE(Bar("Task Pane").Visible());
  EXPECT_EQ(ppt::msoBarRight, Bar("Task Pane").Position());
}

// A disabled task pane is left as it is.
TEST_F(CommandBars, ADisabledTaskPaneIsNotTouched) {
  Bar("Task Pane").Position(ppt::msoBarLeft);
  Bar("Task Pane").Enabled(false);
  Init201();
  EXPECT_EQ(ppt::msoBarLeft, Bar("Task Pane").Position());
  EXPECT_FALSE(Bar("Task Pane").Enabled());
}

}  // namespace
