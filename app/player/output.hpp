// How the commands write: traces of a scenario as text or JSON lines, columns padded by the
// characters they show, and the object-model call counts of a host call.
#pragma once

#include <iosfwd>
#include <string>

#include "player/runner.hpp"

namespace player {

/// The number of characters a UTF-8 text shows (code points).
std::size_t DisplayWidth(const std::string& text);
/// The text padded with spaces to `width` characters (never cut).
std::string Pad(const std::string& text, std::size_t width);

/// "12 calls: presentations 4, name 4, item 2, …" (most called first), or "no call".
std::string DescribeCalls(const CallCounts& calls);

/// The trace of `run --trace` as text: every statement with its line, every host call with its
/// arguments and results and the object-model calls it made, every error, every expectation.
class TextTrace : public Observer {
 public:
  explicit TextTrace(std::ostream& out) : out_(out) {}
  void OnStatement(const scenario::Statement& statement) override;
  void OnHostCall(const scenario::Statement&, const std::string& call, const std::string& results,
                  const CallCounts& calls) override;
  void OnVerdict(const scenario::Statement&, std::int32_t exercise, const VerdictReading& verdict) override;
  void OnError(const scenario::Statement&, const scenario::ErrorRecord& error,
               const CallCounts& calls) override;
  void OnValue(const scenario::Statement&, const vb::Variant& value) override;
  void OnExpectation(const scenario::Statement&, bool passed, const std::string& detail) override;

 private:
  std::ostream& out_;
};

/// The same trace as JSON lines, one object per event, each with its "event" and "line".
class JsonTrace : public Observer {
 public:
  JsonTrace(std::ostream& out, std::string scenario) : out_(out), scenario_(std::move(scenario)) {}
  void OnStatement(const scenario::Statement& statement) override;
  void OnHostCall(const scenario::Statement&, const std::string& call, const std::string& results,
                  const CallCounts& calls) override;
  void OnVerdict(const scenario::Statement&, std::int32_t exercise, const VerdictReading& verdict) override;
  void OnError(const scenario::Statement&, const scenario::ErrorRecord& error,
               const CallCounts& calls) override;
  void OnValue(const scenario::Statement&, const vb::Variant& value) override;
  void OnExpectation(const scenario::Statement&, bool passed, const std::string& detail) override;

 private:
  std::ostream& out_;
  std::string scenario_;
};

/// The verdict's code with its sentence: "\"B\" « le mot a encore seulement son ombre »".
std::string CodeWithSentence(std::int32_t exercise, const VerdictReading& verdict);

}  // namespace player
