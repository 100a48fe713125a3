#include "player/output.hpp"

#include <algorithm>
#include <ostream>
#include <vector>

#include "player/codes.hpp"
#include "player/json_line.hpp"

namespace player {
namespace {

std::string LinePrefix(const scenario::Statement& statement) {
  std::string number = std::to_string(statement.position.line);
  return std::string(number.size() < 5 ? 5 - number.size() : 0, ' ') + number + " | ";
}

constexpr const char* kDetail = "      |   ";

nlohmann::json CallsJson(const CallCounts& calls) {
  nlohmann::json object = nlohmann::json::object();
  for (const auto& [member, count] : calls) object[member] = count;
  return object;
}

}  // namespace

std::size_t DisplayWidth(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Pad(const std::string& text, std::size_t width) {
  const std::size_t shown = DisplayWidth(text);
  return shown >= width ? text : text + std::string(width - shown, ' ');
}

std::string DescribeCalls(const CallCounts& calls) {
  std::vector<std::pair<std::string, std::uint64_t>> sorted(calls.begin(), calls.end());
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  std::uint64_t total = 0;
  for (const auto& entry : sorted) total += entry.second;
  if (total == 0) return "no object-model call";
  std::string text = std::to_string(total) + (total == 1 ? " object-model call: " : " object-model calls: ");
  for (std::size_t k = 0; k < sorted.size(); ++k) {
    text += (k ? ", " : "") + sorted[k].first + " " + std::to_string(sorted[k].second);
  }
  return text;
}

std::string CodeWithSentence(std::int32_t exercise, const VerdictReading& verdict) {
  const std::string sentence = Sentence(exercise, verdict.erreur_generale, verdict.cause_erreur);
  return Show(vb::Variant(verdict.cause_erreur)) + (sentence.empty() ? "" : " " + Quoted(sentence));
}

// --- text ------------------------------------------------------------------------------------

void TextTrace::OnStatement(const scenario::Statement& statement) {
  out_ << LinePrefix(statement) << statement.text << '\n';
}

void TextTrace::OnHostCall(const scenario::Statement&, const std::string& call, const std::string& results,
                           const CallCounts& calls) {
  out_ << kDetail << call << (results.empty() ? "" : " -> " + results) << '\n';
  out_ << kDetail << DescribeCalls(calls) << '\n';
}

void TextTrace::OnVerdict(const scenario::Statement&, std::int32_t exercise, const VerdictReading& verdict) {
  out_ << kDetail << "verdict: " << CodeWithSentence(exercise, verdict) << '\n';
}

void TextTrace::OnError(const scenario::Statement&, const scenario::ErrorRecord& error,
                        const CallCounts& calls) {
  out_ << kDetail << "raised " << Show(error) << '\n';
  if (!calls.empty()) out_ << kDetail << DescribeCalls(calls) << '\n';
}

void TextTrace::OnValue(const scenario::Statement&, const vb::Variant& value) {
  out_ << kDetail << "= " << Show(value) << '\n';
}

void TextTrace::OnExpectation(const scenario::Statement&, bool passed, const std::string& detail) {
  out_ << kDetail << (passed ? "ok" : "failed: " + detail) << '\n';
}

// --- JSON ------------------------------------------------------------------------------------

void JsonTrace::OnStatement(const scenario::Statement& statement) {
  WriteJsonLine(out_, {{"event", "statement"},
                       {"scenario", scenario_},
                       {"line", statement.position.line},
                       {"text", statement.text}});
}

void JsonTrace::OnHostCall(const scenario::Statement& statement, const std::string& call,
                           const std::string& results, const CallCounts& calls) {
  WriteJsonLine(out_, {{"event", "host-call"},
                       {"scenario", scenario_},
                       {"line", statement.position.line},
                       {"call", call},
                       {"results", results},
                       {"object_model_calls", CallsJson(calls)}});
}

void JsonTrace::OnVerdict(const scenario::Statement& statement, std::int32_t exercise,
                          const VerdictReading& verdict) {
  nlohmann::json object = {{"event", "verdict"},
                           {"scenario", scenario_},
                           {"line", statement.position.line},
                           {"exercise", exercise},
                           {"ErreurGenerale", verdict.erreur_generale},
                           {"CauseErreur", verdict.cause_erreur},
                           {"sentence", Sentence(exercise, verdict.erreur_generale, verdict.cause_erreur)}};
  if (!verdict.erreur_generale) {
    object["BravoNuance"] = verdict.bravo_nuance;
    object["Complement"] = verdict.complement ? nlohmann::json(*verdict.complement) : nlohmann::json(nullptr);
  }
  WriteJsonLine(out_, object);
}

void JsonTrace::OnError(const scenario::Statement& statement, const scenario::ErrorRecord& error,
                        const CallCounts& calls) {
  WriteJsonLine(out_, {{"event", "error"},
                       {"scenario", scenario_},
                       {"line", statement.position.line},
                       {"number", error.number},
                       {"source", error.source},
                       {"description", error.description},
                       {"object_model_calls", CallsJson(calls)}});
}

void JsonTrace::OnValue(const scenario::Statement& statement, const vb::Variant& value) {
  WriteJsonLine(out_, {{"event", "value"},
                       {"scenario", scenario_},
                       {"line", statement.position.line},
                       {"value", Show(value)}});
}

void JsonTrace::OnExpectation(const scenario::Statement& statement, bool passed, const std::string& detail) {
  nlohmann::json object = {{"event", "expectation"},
                           {"scenario", scenario_},
                           {"line", statement.position.line},
                           {"passed", passed}};
  if (!passed) object["message"] = detail;
  WriteJsonLine(out_, object);
}

}  // namespace player
