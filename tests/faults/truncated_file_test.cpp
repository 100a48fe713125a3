// A real model file cut at every byte boundary: the presentation file reader refuses every cut
// that loses part of the document with a clear reason (that Presentations.Open turns a refusal
// into PowerPoint's error naming the file is Files.OpenRefusesDamagedFiles). The fuzzers' kept
// inputs are replayed with their checks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "fuzz/oracles.hpp"
#include "player/player.hpp"
#include "sanitizers.hpp"
#include "sim/ppt/file_format.hpp"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

/// The course's smallest model file: the design template of exercise 201.
fs::path ModelFile() {
  return player::ResolveCourseFolder() / "models" / "12131201.pot";
}

/// A reason a learner or a tester can read: a sentence of the reader's own, not a parser's dump.
bool Clear(const std::string& reason) {
  return reason.size() >= 10 && reason.find("json") == std::string::npos &&
         reason.find("parse_error") == std::string::npos;
}

/// The cuts to make: every one; under the sanitizers, where reading costs several times as much,
/// every one in the first and last kibibyte and every 16th between.
bool Cut(std::size_t length, std::size_t size) {
  if (!test_support::kUnderSanitizers) return true;
  return length < 1024 || length + 1024 >= size || length % 16 == 0;
}

// Every cut shorter than the document is refused with a clear reason; cuts that only lose the
// white space after it read as the whole file.
TEST(TruncatedFile, EveryCutOfAModelFileIsRefused) {
  const std::string file = ReadBytes(ModelFile());
  ASSERT_GT(file.size(), 1000u);
  const std::size_t end = file.find_last_of('}') + 1;
  const std::string whole = sim::ppt::SavePresentation(*sim::ppt::LoadPresentation(file));
  std::size_t cuts = 0;
  std::size_t refused = 0;
  for (std::size_t length = 0; length < file.size(); ++length) {
    if (!Cut(length, file.size())) continue;
    if (length < end) ++cuts;
    const std::string_view cut(file.data(), length);
    try {
      const auto presentation = sim::ppt::LoadPresentation(cut);
      if (length < end) {
        ADD_FAILURE() << "the first " << length << " of " << file.size()
                      << " bytes were read as a presentation";
      } else {
        EXPECT_EQ(whole, sim::ppt::SavePresentation(*presentation)) << "cut at " << length;
      }
    } catch (const sim::ppt::FileFormatError& error) {
      ++refused;
      EXPECT_LT(length, end) << "the whole document, cut at " << length << ", was refused: " << error.what();
      if (!Clear(error.what()))
        ADD_FAILURE() << "cut at " << length << ": unclear reason \"" << error.what() << "\"";
    }
  }
  EXPECT_EQ(cuts, refused);
}

// The inputs the fuzzers keep (past findings and hand-made hostile files) pass their checks.
TEST(FuzzRegressions, KeptInputsPassTheFuzzersChecks) {
  const fs::path kept = fs::path(K60418_COURSE_DIR).parent_path() / "fuzz" / "regressions";
  int inputs = 0;
  for (const auto& entry : fs::directory_iterator(kept / "presentation")) {
    ++inputs;
    const auto broken = fuzz::CheckPresentationFile(ReadBytes(entry.path()));
    EXPECT_FALSE(broken.has_value()) << entry.path() << ": " << *broken;
  }
  for (const auto& entry : fs::directory_iterator(kept / "scenario")) {
    ++inputs;
    const std::string text = ReadBytes(entry.path());
    const bool interactive = !text.empty() && text.front() == '\x01';
    const auto broken = fuzz::CheckScenarioText(interactive ? text.substr(1) : text, interactive);
    EXPECT_FALSE(broken.has_value()) << entry.path() << ": " << *broken;
  }
  EXPECT_GT(inputs, 0);
}

}  // namespace
