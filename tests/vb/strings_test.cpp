#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "error_number.hpp"
#include "vb/error.hpp"
#include "vb/strings.hpp"

namespace {

using test_support::ErrorNumberOf;

// LCase and UCase know accented and non-Latin letters, not ASCII only, and leave the rest alone.
TEST(Strings, CaseMappingCoversUnicodeLetters) {
  EXPECT_EQ("modèles", vb::LCase("Modèles"));
  EXPECT_EQ("zuk modèles", vb::LCase("ZUK Modèles"));
  EXPECT_EQ("ciné.pot", vb::LCase("CINÉ.POT"));
  EXPECT_EQ("éèçàùœæÿ", vb::LCase("ÉÈÇÀÙŒÆŸ"));
  EXPECT_EQ("ÉÈÇÀÙŒÆŸ", vb::UCase("éèçàùœæÿ"));
  EXPECT_EQ("łódź šžč", vb::LCase("ŁÓDŹ ŠŽČ"));
  EXPECT_EQ("αβγ σσ", vb::LCase("ΑΒΓ ΣΣ"));  // no final-sigma rule, as VB
  EXPECT_EQ("ΣΟΦΟΣ", vb::UCase("σοφος"));
  EXPECT_EQ("ΆΈΌ", vb::UCase("άέό"));
  EXPECT_EQ("москва ёж", vb::LCase("МОСКВА ЁЖ"));
  EXPECT_EQ("МОСКВА ЁЖ", vb::UCase("москва ёж"));
  // Characters without case, and ß (no single-letter upper case), are kept.
  EXPECT_EQ("ß 123 ×÷ €", vb::UCase("ß 123 ×÷ €"));
  EXPECT_EQ("", vb::LCase(""));
}

// Every Latin-1 and Latin Extended-A upper-case letter comes back from LCase then UCase.
TEST(Strings, CaseMappingRoundTripsLatinLetters) {
  const std::string upper =
      "ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞĀĂĄĆĈĊČĎĐĒĔĖĘĚĜĞĠĢĤĦĨĪĬĮĲĴĶĹĻĽĿŁŃŅŇŊŌŎŐŒŔŖŘŚŜŞŠŢŤŦŨŪŬŮŰŲŴŶŸŹŻŽ";
  EXPECT_EQ(upper, vb::UCase(vb::LCase(upper)));
  EXPECT_NE(upper, vb::LCase(upper));
  EXPECT_EQ(vb::Len(upper), vb::Len(vb::LCase(upper)));
}

// Lengths and parts count characters, not bytes.
TEST(Strings, LenLeftMidRightCountCharacters) {
  const std::string name = "Cinéloisirs.ppt";
  EXPECT_EQ(15, vb::Len(name));
  EXPECT_EQ(".ppt", vb::Right(name, 4));
  EXPECT_EQ("Ciné", vb::Left(name, 4));
  EXPECT_EQ("éloi", vb::Mid(name, 4, 4));
  EXPECT_EQ("loisirs.ppt", vb::Mid(name, 5));
  EXPECT_EQ("C:\\ZUK\\Travail", vb::Left("C:\\ZUK\\Travail\\", vb::Len("C:\\ZUK\\Travail\\") - 1));
  // Past the end is no error: the available characters, or nothing.
  EXPECT_EQ(name, vb::Left(name, 100));
  EXPECT_EQ(name, vb::Right(name, 100));
  EXPECT_EQ("", vb::Mid(name, 16));
  EXPECT_EQ("", vb::Mid(name, 3, 0));
  EXPECT_EQ("", vb::Left(name, 0));
  EXPECT_EQ("", vb::Right("", 3));
}

// Arguments VB refuses raise error 5 (invalid procedure call).
TEST(Strings, InvalidPositionsRaiseError5) {
  EXPECT_EQ(vb::errors::kInvalidCall, ErrorNumberOf([] { vb::Left("abc", -1); }));
  EXPECT_EQ(vb::errors::kInvalidCall, ErrorNumberOf([] { vb::Right("abc", -1); }));
  EXPECT_EQ(vb::errors::kInvalidCall, ErrorNumberOf([] { vb::Mid("abc", 0); }));
  EXPECT_EQ(vb::errors::kInvalidCall, ErrorNumberOf([] { vb::Mid("abc", 1, -1); }));
  EXPECT_EQ(vb::errors::kInvalidCall, ErrorNumberOf([] { vb::InStr(0, "abc", "a"); }));
}

// Trim removes spaces only; Replace replaces every occurrence exactly; InStr counts characters.
TEST(Strings, TrimReplaceInStr) {
  EXPECT_EQ("Objectifs.ppt", vb::Trim("  Objectifs.ppt "));
  EXPECT_EQ("a b  ", vb::LTrim("  a b  "));
  EXPECT_EQ("  a b", vb::RTrim("  a b  "));
  EXPECT_EQ("\tx\t", vb::Trim(" \tx\t "));
  EXPECT_EQ("", vb::Trim("   "));

  EXPECT_EQ("C:\\ZUK\\Travail\\", vb::Replace("C:\\ZUK\\Travail\\Objectifs.ppt", "Objectifs.ppt", ""));
  EXPECT_EQ("C:\\a\\\\", vb::Replace("C:\\a\\x\\x", "x", ""));
  EXPECT_EQ("C:\\X\\x", vb::Replace("C:\\X\\x", "y", "z"));
  EXPECT_EQ("C:\\X\\", vb::Replace("C:\\X\\x", "x", ""));  // case-sensitive
  EXPECT_EQ("bbb", vb::Replace("aaa", "a", "b"));
  EXPECT_EQ("aa", vb::Replace("aaaa", "aa", "a"));  // no overlap, no re-scan of the replacement
  EXPECT_EQ("abc", vb::Replace("abc", "", "x"));

  EXPECT_EQ(5, vb::InStr("Cinéloisirs", "l"));
  EXPECT_EQ(4, vb::InStr("Cinéloisirs", "é"));
  EXPECT_EQ(9, vb::InStr(8, "Cinéloisirs", "i"));
  EXPECT_EQ(0, vb::InStr("Cinéloisirs", "É"));
  EXPECT_EQ(0, vb::InStr(12, "Cinéloisirs", "s"));
  EXPECT_EQ(3, vb::InStr(3, "abc", ""));
  EXPECT_EQ(0, vb::InStr("", ""));
}

// The registry's 8-bit form: Windows-1252, including the characters of 0x80-0x9F.
TEST(Strings, Windows1252RoundTrip) {
  EXPECT_EQ("Mod\xE8les", vb::ToWindows1252("Modèles"));
  EXPECT_EQ("Modèles", vb::FromWindows1252("Mod\xE8les"));
  EXPECT_EQ(
      "\x8B"
      "en-t\xEAte\x9B",
      vb::ToWindows1252("‹en-tête›"));
  EXPECT_EQ("‹en-tête›", vb::FromWindows1252("\x8B"
                                             "en-t\xEAte\x9B"));
  EXPECT_EQ("\x80\x8C\x9C\x9F\x85\x92", vb::ToWindows1252("€ŒœŸ…’"));

  // Every byte comes back unchanged, the five undefined ones included.
  std::string all_bytes;
  for (int b = 1; b < 256; ++b) all_bytes += static_cast<char>(b);
  EXPECT_EQ(all_bytes, vb::ToWindows1252(vb::FromWindows1252(all_bytes)));
}

// Characters Windows-1252 lacks, and bytes that are not UTF-8, become '?' one for one; nothing crashes.
TEST(Strings, UnmappableAndInvalidInput) {
  EXPECT_EQ("A?B?C", vb::ToWindows1252("AДB😀C"));
  EXPECT_EQ("a?b", vb::ToWindows1252("a\xFF"
                                     "b"));
  EXPECT_EQ("\xE9???", vb::ToWindows1252("\xC3\xA9\xA9\xE2\x82"));  // a stray continuation, a cut sequence
  EXPECT_EQ("???", vb::ToWindows1252("\xED\xA0\x80"));              // an encoded surrogate is not UTF-8
  EXPECT_EQ("??", vb::ToWindows1252("\xC0\xAF"));                   // an overlong form neither

  // The VB functions keep such bytes, each as one character.
  const std::string broken =
      "\xC3"
      "A\xFF";
  EXPECT_EQ(
      "\xC3"
      "a\xFF",
      vb::LCase(broken));
  EXPECT_EQ(3, vb::Len(broken));
  EXPECT_EQ("\xFF", vb::Right(broken, 1));
  EXPECT_EQ("A", vb::Mid(broken, 2, 1));
  EXPECT_EQ(2, vb::InStr(broken, "A"));
  EXPECT_EQ(2, vb::Len("\xE2\x82"));  // a sequence cut short: each of its bytes on its own
}

// VB's Integer overflows with error 6 where C++ would wrap.
TEST(Strings, IntegerOverflowsInsteadOfWrapping) {
  vb::Integer n = 32766;
  ++n;
  EXPECT_EQ(32767, n.value());
  EXPECT_EQ(vb::errors::kOverflow, ErrorNumberOf([&] { ++n; }));
  EXPECT_EQ(32767, n.value());  // the failed step left the counter as it was

  vb::Integer low = -32768;
  EXPECT_EQ(vb::errors::kOverflow, ErrorNumberOf([&] { --low; }));
  EXPECT_EQ(vb::errors::kOverflow, ErrorNumberOf([&] { (void)-low; }));
  EXPECT_EQ(vb::errors::kOverflow, ErrorNumberOf([] { (void)(vb::Integer(200) * vb::Integer(200)); }));
  EXPECT_EQ(vb::errors::kOverflow, ErrorNumberOf([] {
              vb::Integer from_long = 40000;
              (void)from_long;
            }));
  EXPECT_EQ(-32767, (vb::Integer(1) - 32767 - 1).value());

  // Comparing with a 32-bit value compares the numbers, without narrowing the 32-bit side.
  EXPECT_LT(vb::Integer(32767), 40000);
  EXPECT_GT(vb::Integer(-1), -70000);
  EXPECT_TRUE(vb::Integer(5) == 5);
}

}  // namespace
