// Word search over PowerPoint's words (a word carries its trailing spaces; punctuation is a word of
// its own), on the text of a shape of the simulated PowerPoint.
#include <gtest/gtest.h>

#include "inspect/mots.hpp"
#include "presentation_ouverte.hpp"
#include "vb/error.hpp"

namespace {

using inspect_test::PresentationOuverte;

class Mots : public PresentationOuverte {
 protected:
  void SetUp() override { Ouvre("02131203.ppt"); }
  /// The text of slide 3's second shape, replaced by the given one.
  ppt::TextRange Texte(const std::string& texte) {
    const ppt::TextRange range = Formes(3).Item(2).TextFrame().TextRange();
    range.Text(texte);
    return range;
  }
};

// Five words, the sought one in the middle: counted once, found at its position.
TEST_F(Mots, FindsAWordAmongFive) {
  const ppt::TextRange texte = Texte("Le festival exceptionnel de juillet");
  EXPECT_EQ(1, k60418::CompteMot(texte, "exceptionnel"));
  EXPECT_EQ(3, k60418::ChercheMot(texte, "exceptionnel", 1));
}

// Case is ignored on both sides, accented capitals included.
TEST_F(Mots, IgnoresCase) {
  const ppt::TextRange texte = Texte("Un festival EXCEPTIONNEL, une Été magnifique");
  EXPECT_EQ(1, k60418::CompteMot(texte, "exceptionnel"));
  EXPECT_EQ(3, k60418::ChercheMot(texte, "Exceptionnel", 1));
  EXPECT_EQ(6, k60418::ChercheMot(texte, "été", 1));
}

// The last word, with no space after it, and a word before punctuation both match; a longer word
// that starts with the sought one does not.
TEST_F(Mots, MatchesWordsWithoutTrailingSpaceButNotLongerWords) {
  const ppt::TextRange texte = Texte("Une soirée exceptionnelle en 1990, puis juillet");
  EXPECT_EQ(0, k60418::CompteMot(texte, "exceptionnel"));
  EXPECT_EQ(5, k60418::ChercheMot(texte, "1990", 1));
  EXPECT_EQ(8, k60418::ChercheMot(texte, "juillet", 1));
  EXPECT_EQ(1, k60418::CompteMot(texte, "juillet"));
}

// Every occurrence counts, across paragraphs; the search starts at the word it is given.
TEST_F(Mots, CountsEveryOccurrenceAndSearchesFromTheStartGiven) {
  const ppt::TextRange texte = Texte("Le film de 1990\rLe remake de 1990 aussi");
  EXPECT_EQ(2, k60418::CompteMot(texte, "1990"));
  EXPECT_EQ(4, k60418::ChercheMot(texte, "1990", 1));
  EXPECT_EQ(4, k60418::ChercheMot(texte, "1990", 4));
  EXPECT_EQ(8, k60418::ChercheMot(texte, "1990", 5));
  EXPECT_EQ(0, k60418::ChercheMot(texte, "1990", 9));
  EXPECT_EQ(0, k60418::ChercheMot(texte, "1990", 40));
}

// An empty text has no word to count or find.
TEST_F(Mots, AnEmptyTextHasNoWords) {
  const ppt::TextRange texte = Texte("");
  EXPECT_EQ(0, k60418::CompteMot(texte, "exceptionnel"));
  EXPECT_EQ(0, k60418::ChercheMot(texte, "exceptionnel", 1));
}

// The word count is kept in 16 bits: a text of 32,767 words is searched to its end, one more word
// is an overflow (error 6) that reaches the caller, never a wrapped count.
TEST_F(Mots, TheWordCountIsSixteenBits) {
  std::string mots;
  for (int i = 1; i < 32767; ++i) mots += "film ";
  ppt::TextRange texte = Texte(mots + "exceptionnel");
  EXPECT_EQ(32767, k60418::ChercheMot(texte, "exceptionnel", 32000));
  texte = Texte(mots + "film exceptionnel");
  try {
    k60418::CompteMot(texte, "exceptionnel");
    ADD_FAILURE() << "expected error 6 on 32,768 words, got a count";
  } catch (const vb::Error& error) {
    EXPECT_EQ(vb::errors::kOverflow, error.number()) << error.description();
  }
}

}  // namespace
