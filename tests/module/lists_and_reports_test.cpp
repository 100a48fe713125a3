// The additional-information list and the composed error sources, as the host reads them.
#include <gtest/gtest.h>

#include "module/complement_info.hpp"
#include "module/rapporte_erreur.hpp"
#include "module/support.hpp"

namespace {

using test_support::ErrorOf;

// Lines keep their order and content from position 1 (an empty line counts; the second argument
// of add is unused); positions outside 1..count raise error 9, on an empty list too.
TEST(ComplementInfo, KeepsLinesInOrderFromPositionOne) {
  k60418::ComplementInfo list;
  const auto expectOutOfRange = [&](std::int32_t position) {
    auto error = ErrorOf([&] { list.ComplementInfo_item(position); });
    ASSERT_TRUE(error);
    EXPECT_EQ(vb::errors::kSubscriptOutOfRange, error->number()) << "position " << position;
  };
  EXPECT_EQ(0, list.ComplementInfo_count());
  expectOutOfRange(1);
  list.ComplementInfo_add("x", 0);
  list.ComplementInfo_add("", 77);
  list.ComplementInfo_add("Aperçu avant impression", -1);
  EXPECT_EQ(3, list.ComplementInfo_count());
  EXPECT_EQ("x", list.ComplementInfo_item(1));
  EXPECT_EQ("", list.ComplementInfo_item(2));
  EXPECT_EQ("Aperçu avant impression", list.ComplementInfo_item(3));
  for (std::int32_t position : {0, 4, -1}) expectOutOfRange(position);
}

// Reports on the error's way nest, the innermost last, keeping number and description; an empty
// source ends the text at " - OBJET ".
TEST(RapporteErreur, NestedReportsNestAndAnEmptySourceEndsTheText) {
  auto error = ErrorOf([] {
    k60418::AvecRapport("Module", "InitQuestion",
                        [] { k60418::AvecRapport("Question0201", "Prepare", [] { vb::Raise(91, ""); }); });
  });
  ASSERT_TRUE(error);
  EXPECT_EQ(91, error->number());
  EXPECT_EQ(vb::DefaultDescription(91), error->description());
  EXPECT_EQ(
      test_support::Reported("Module", "InitQuestion", test_support::Reported("Question0201", "Prepare", "")),
      error->source());
}

}  // namespace
