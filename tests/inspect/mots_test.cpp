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

// Each case: a text, the word sought, how many times it counts, and where the search finds it
// from a given word (0: not found). A word carries its trailing spaces; punctuation is a word of
// its own; case is ignored on both sides, accented capitals included.
TEST_F(Mots, CountsAndFindsWholeWordsWithoutCase) {
  struct Case {
    const char* texte;
    const char* mot;
    int compte;
    std::int16_t debut;
    int trouve;
  };
  const Case cases[] = {
      {"Le festival exceptionnel de juillet", "exceptionnel", 1, 1, 3},
      {"Un festival EXCEPTIONNEL, une Été magnifique", "Exceptionnel", 1, 1, 3},
      {"Un festival EXCEPTIONNEL, une Été magnifique", "été", 1, 1, 6},
      {"Une soirée exceptionnelle en 1990, puis juillet", "exceptionnel", 0, 1, 0},
      {"Une soirée exceptionnelle en 1990, puis juillet", "1990", 1, 1, 5},
      {"Une soirée exceptionnelle en 1990, puis juillet", "juillet", 1, 1, 8},
      {"Le film de 1990\rLe remake de 1990 aussi", "1990", 2, 1, 4},
      {"Le film de 1990\rLe remake de 1990 aussi", "1990", 2, 4, 4},
      {"Le film de 1990\rLe remake de 1990 aussi", "1990", 2, 5, 8},
      {"Le film de 1990\rLe remake de 1990 aussi", "1990", 2, 9, 0},
      {"Le film de 1990\rLe remake de 1990 aussi", "1990", 2, 40, 0},
      {"", "exceptionnel", 0, 1, 0},
  };
  for (const Case& c : cases) {
    const ppt::TextRange texte = Texte(c.texte);
    EXPECT_EQ(c.compte, k60418::CompteMot(texte, c.mot))
        << "count of \"" << c.mot << "\" in \"" << c.texte << '"';
    EXPECT_EQ(c.trouve, k60418::ChercheMot(texte, c.mot, c.debut))
        << "\"" << c.mot << "\" from word " << c.debut << " in \"" << c.texte << '"';
  }
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
