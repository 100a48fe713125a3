// Word search over long texts: CompteMot and ChercheMot, and the word walk they make (one read of
// the word count, then the text of each word in turn), on texts of 1,000 to 100,000 words. The
// time per word must not grow with the text: PowerPoint's Words(i) is answered from the word
// boundaries found once, not by scanning the text again at every call.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "bench/flatness.hpp"
#include "inspect/mots.hpp"
#include "powerpoint/ppt.hpp"
#include "sim/desktop.hpp"
#include "vb/strings.hpp"

namespace {

/// The word sought; it stands once, as the very last word, so that ChercheMot walks the whole text.
constexpr const char* kMot = "exceptionnel";

/// A simulated PowerPoint holding one text of a given number of words.
class LongText {
 public:
  explicit LongText(int words) : process_(desktop_.StartPowerPoint()) {
    const ppt::Application application(process_.application());
    const ppt::Presentation presentation = application.Presentations().Add();
    const ppt::Slide slide(presentation.Slides().Call("Add", ppt::Args(1, 2)).ToObject());
    range_ = slide.Shapes().Item(2).TextFrame().TextRange();
    range_.Text(Words(words));
  }

  /// Words of a festival programme, a paragraph every 40 words, the sought word last.
  static std::string Words(int words) {
    static const char* const kVocabulaire[] = {"Le",  "festival", "de",     "juillet", "présente",
                                               "des", "films",    "d'été",  "en",      "plein",
                                               "air", "au",       "jardin", "public"};
    std::string text;
    for (int i = 1; i < words; ++i) {
      text += kVocabulaire[i % 14];
      text += i % 40 == 0 ? "\r" : " ";
    }
    return text + kMot;
  }

  const ppt::TextRange& range() const { return range_; }
  sim::Gate& gate() { return process_.gate(); }

 private:
  sim::Desktop desktop_;
  sim::PowerPointProcess& process_;
  ppt::TextRange range_;
};

/// One text per size, made once for all the benchmarks that use it.
LongText& Text(int words) {
  static std::map<int, std::unique_ptr<LongText>> texts;
  auto& text = texts[words];
  if (!text) text = std::make_unique<LongText>(words);
  return *text;
}

/// Time per word and object-model calls per word, as counters of the run.
void Count(benchmark::State& state, LongText& text, std::uint64_t calls_before) {
  const auto words = static_cast<double>(state.range(0));
  state.counters["per_word"] =
      benchmark::Counter(words, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["calls_per_word"] = static_cast<double>(text.gate().total_calls() - calls_before) /
                                     static_cast<double>(state.iterations()) / words;
}

void BM_CompteMot(benchmark::State& state) {
  LongText& text = Text(static_cast<int>(state.range(0)));
  const std::uint64_t before = text.gate().total_calls();
  for (auto _ : state) {
    if (k60418::CompteMot(text.range(), kMot) != 1) state.SkipWithError("the word is not counted once");
  }
  Count(state, text, before);
}

void BM_ChercheMot(benchmark::State& state) {
  LongText& text = Text(static_cast<int>(state.range(0)));
  const std::uint64_t before = text.gate().total_calls();
  for (auto _ : state) {
    if (k60418::ChercheMot(text.range(), kMot, 1) != state.range(0))
      state.SkipWithError("the word is not last");
  }
  Count(state, text, before);
}

// The calls CompteMot makes, with a 32-bit counter: CompteMot itself keeps its counters in 16 bits,
// as the module always has, so past 32,767 words it stops with an overflow (error 6).
void BM_WordWalk(benchmark::State& state) {
  LongText& text = Text(static_cast<int>(state.range(0)));
  const std::uint64_t before = text.gate().total_calls();
  const std::string mot = vb::LCase(kMot);
  for (auto _ : state) {
    const std::int32_t n = text.range().Words(-1, -1).Count();
    std::int32_t found = 0;
    for (std::int32_t i = 1; i <= n; ++i) {
      const std::string word = vb::LCase(text.range().Words(i, -1).Text());
      if (word == mot || word == mot + " ") ++found;
    }
    if (found != 1) state.SkipWithError("the word is not found once");
  }
  Count(state, text, before);
}

BENCHMARK(BM_CompteMot)->Arg(1000)->Arg(10000)->Arg(32000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChercheMot)->Arg(1000)->Arg(10000)->Arg(32000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WordWalk)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// What the run must show: the time per word at the largest size within 1.5 times that at 1,000.
const bench::FlatnessRule kRules[] = {
    bench::AddFlatnessRule({"BM_WordWalk/1000", "BM_WordWalk/100000", 1.5}),
    bench::AddFlatnessRule({"BM_CompteMot/1000", "BM_CompteMot/32000", 1.5}),
    bench::AddFlatnessRule({"BM_ChercheMot/1000", "BM_ChercheMot/32000", 1.5}),
};

}  // namespace
