#include <gtest/gtest.h>

#include "error_number.hpp"
#include "vb/error.hpp"
#include "vb/variant.hpp"

namespace {

using test_support::ErrorNumberOf;

// CInt and CLng round a half to the even neighbour and overflow with error 6 instead of wrapping.
TEST(Variant, IntegerConversionsRoundHalfToEvenAndOverflow) {
  EXPECT_EQ(20, vb::Variant(20.5).ToInteger());
  EXPECT_EQ(22, vb::Variant(21.5).ToInteger());
  EXPECT_EQ(-2, vb::Variant(-2.5).ToLong());
  EXPECT_EQ(32767, vb::Variant(32767.4).ToInteger());
  EXPECT_EQ(vb::errors::kOverflow, ErrorNumberOf([] { vb::Variant(32767.5).ToInteger(); }));
  EXPECT_EQ(vb::errors::kOverflow, ErrorNumberOf([] { vb::Variant(-32769).ToInteger(); }));
  EXPECT_EQ(vb::errors::kOverflow, ErrorNumberOf([] { vb::Variant(2147483648.0).ToLong(); }));
}

// A string that is not a number does not convert; the error is a type mismatch.
TEST(Variant, NonNumericStringIsATypeMismatch) {
  EXPECT_EQ(vb::errors::kTypeMismatch, ErrorNumberOf([] { vb::Variant("abc").ToLong(); }));
  EXPECT_EQ(12, vb::Variant(" 12 ").ToLong());
  EXPECT_EQ(-1, vb::Variant(true).ToLong());
}

// Comparisons as VB makes them between a control's State and whole numbers, strings and dates.
TEST(Variant, ComparesAsVbDoes) {
  EXPECT_TRUE(vb::Variant(std::int32_t{-1}) == vb::Variant(std::int16_t{-1}));
  EXPECT_TRUE(vb::Variant(true) == vb::Variant(std::int32_t{-1}));
  EXPECT_TRUE(vb::Variant() == vb::Variant(std::int32_t{0}));
  EXPECT_TRUE(vb::Variant() == vb::Variant(""));
  EXPECT_FALSE(vb::Variant("Ciné.pot") == vb::Variant("ciné.pot"));
  EXPECT_LT(vb::Variant::Compare(vb::Variant(5), vb::Variant("x")), 0);
  const vb::Date early = vb::Date::FromParts(2026, 12, 6, 7, 25, 12);
  EXPECT_LT(vb::Variant::Compare(vb::Variant(early), vb::Variant(early.PlusSeconds(1))), 0);
}

// Dates keep their calendar parts to the second through the serial form and its text.
TEST(Date, RoundTripsThroughPartsAndText) {
  const vb::Date date = vb::Date::FromParts(2026, 2, 28, 23, 59, 59);
  EXPECT_EQ("2026-02-28 23:59:59", date.ToIso());
  EXPECT_EQ("2026-03-01 00:00:00", date.PlusSeconds(1).ToIso());
  vb::Date parsed;
  ASSERT_TRUE(vb::Date::FromIso("1899-12-30 00:00:00", parsed));
  EXPECT_EQ(0.0, parsed.serial);
  EXPECT_FALSE(vb::Date::FromIso("30/12/1899", parsed));
}

// Err.Raise without a description takes VB's text for the number.
TEST(Error, DefaultDescriptions) {
  try {
    vb::Raise(1000, "source");
  } catch (const vb::Error& error) {
    EXPECT_EQ("Application-defined or object-defined error", error.description());
    EXPECT_EQ("source", error.source());
  }
  EXPECT_EQ("Subscript out of range", vb::DefaultDescription(9));
}

}  // namespace
