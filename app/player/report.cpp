#include "player/report.hpp"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <stdexcept>

namespace player {
namespace {

const char* const kGreen = "\033[32m";
const char* const kRed = "\033[31m";
const char* const kYellow = "\033[33m";
const char* const kReset = "\033[0m";

std::string Word(const char* word, const char* colour, bool coloured) {
  return coloured ? std::string(colour) + word + kReset : std::string(word);
}

std::int64_t Milliseconds(double seconds) {
  return static_cast<std::int64_t>(std::llround(seconds * 1000.0));
}

std::string Seconds(double seconds) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.3f", seconds);
  return buffer;
}

// Text made fit for an XML attribute or element: markup escaped, bytes that are not UTF-8 and
// control characters XML 1.0 cannot hold replaced.
std::string Xml(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t k = 0; k < text.size();) {
    const auto byte = static_cast<unsigned char>(text[k]);
    std::size_t length = byte < 0x80           ? 1
                         : (byte >> 5) == 0x6  ? 2
                         : (byte >> 4) == 0xE  ? 3
                         : (byte >> 3) == 0x1E ? 4
                                               : 0;
    bool valid = length != 0 && k + length <= text.size();
    for (std::size_t j = 1; valid && j < length; ++j)
      valid = (static_cast<unsigned char>(text[k + j]) & 0xC0) == 0x80;
    if (!valid) {
      out += "\xEF\xBF\xBD";
      ++k;
      continue;
    }
    if (length > 1) {
      out.append(text, k, length);
      k += length;
      continue;
    }
    switch (text[k]) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      case '\n':
        out += "&#10;";
        break;
      case '\t':
        out += "&#9;";
        break;
      default:
        out += (byte < 0x20 || byte == 0x7F) ? '?' : text[k];
        break;
    }
    ++k;
  }
  return out;
}

nlohmann::json OrNull(const std::string& text) {
  return text.empty() ? nlohmann::json(nullptr) : nlohmann::json(text);
}

std::string Where(const Played& played, const Failure& failure) {
  return played.file.name + ":" + std::to_string(failure.line);
}

std::string ErrorWhere(const Played& played) {
  const auto& result = played.result;
  if (result.line <= 0) return played.file.name;
  return played.file.name + ":" + std::to_string(result.line) + ":" + std::to_string(result.column);
}

// "name:line" for a skipped scenario, or the name alone when it stopped before its first line.
std::string Located(const Played& played) {
  const int line = played.result.line;
  return line > 0 ? played.file.name + ":" + std::to_string(line) : played.file.name;
}

std::string NotRun(int count) {
  if (count <= 0) return "";
  return " (" + std::to_string(count) + (count == 1 ? " later expectation" : " later expectations") +
         " not run)";
}

}  // namespace

std::string PlainReport(const Played& played, bool colour) {
  std::string text;
  const auto& result = played.result;
  if (played.bad_input) {
    text = Word("ERROR", kRed, colour) + " " + ErrorWhere(played) + ": " + result.message + "\n";
  } else if (result.skipped) {
    text = Word("SKIP", kYellow, colour) + " " + Located(played) + ": " + result.message + "\n";
  } else if (played.passed) {
    text = Word("PASS", kGreen, colour) + " " + played.file.name + "\n";
  } else if (result.failures.empty()) {
    text = Word("FAIL", kRed, colour) + " " + played.file.name + ":" + std::to_string(result.line) + ": " +
           result.message + NotRun(result.expectations_not_run) + "\n";
  } else {
    for (std::size_t k = 0; k < result.failures.size(); ++k) {
      const auto& failure = result.failures[k];
      text += Word("FAIL", kRed, colour) + " " + Where(played, failure) + ": " + failure.message +
              (k + 1 == result.failures.size() ? NotRun(result.expectations_not_run) : "") + "\n";
    }
  }
  // A note on a statement starts with its line; a note on the whole scenario has none.
  for (const auto& note : result.notes) {
    const bool located = !note.empty() && note[0] >= '0' && note[0] <= '9';
    text += Word("NOTE", kYellow, colour) + " " + played.file.name + (located ? ":" : ": ") + note + "\n";
  }
  return text;
}

std::string Summary(int passed, int failed, int skipped, double seconds) {
  char time[32];
  std::snprintf(time, sizeof time, "%.1f", seconds);
  return std::to_string(passed) + " passed, " + std::to_string(failed) + " failed" +
         (skipped > 0 ? ", " + std::to_string(skipped) + " skipped" : std::string()) + " in " + time + " s\n";
}

nlohmann::json ScenarioJson(const Played& played) {
  const auto& result = played.result;
  const bool located = !played.passed && result.line > 0;
  nlohmann::json object = {
      {"file", played.file.name},
      {"line", located ? nlohmann::json(result.line) : nlohmann::json(nullptr)},
      {"column", located && result.column > 0 ? nlohmann::json(result.column) : nlohmann::json(nullptr)},
      {"status", played.bad_input ? "error"
                 : result.skipped ? "skipped"
                 : played.passed  ? "pass"
                                  : "fail"},
      {"message", played.passed ? nlohmann::json(nullptr) : nlohmann::json(result.message)},
      {"expected", OrNull(result.expected)},
      {"found", OrNull(result.found)},
      {"duration_ms", Milliseconds(played.seconds)}};
  if (result.skipped && !played.bad_input) object["reason"] = result.message;
  if (result.expectations_not_run > 0) object["expectations_not_run"] = result.expectations_not_run;
  if (!result.notes.empty()) object["notes"] = result.notes;
  if (result.failures.size() > 1) {
    object["failures"] = nlohmann::json::array();
    for (const auto& failure : result.failures) {
      object["failures"].push_back({{"line", failure.line},
                                    {"column", failure.column},
                                    {"message", failure.message},
                                    {"expected", OrNull(failure.expected)},
                                    {"found", OrNull(failure.found)}});
    }
  }
  return object;
}

nlohmann::json SummaryJson(const std::vector<Played>& played, double seconds) {
  int passed = 0;
  int failed = 0;
  int errors = 0;
  int skipped = 0;
  for (const auto& p : played) {
    if (p.passed) {
      ++passed;
    } else if (p.result.skipped && !p.bad_input) {
      ++skipped;
    } else {
      ++failed;
      if (p.bad_input) ++errors;
    }
  }
  nlohmann::json summary = {{"summary", true},
                            {"passed", passed},
                            {"failed", failed},
                            {"errors", errors},
                            {"duration_ms", Milliseconds(seconds)}};
  if (skipped > 0) summary["skipped"] = skipped;
  return summary;
}

std::string JUnitReport(const std::vector<Played>& played, double seconds) {
  // Suites in the order they first appear.
  std::vector<std::string> order;
  std::map<std::string, std::vector<const Played*>> suites;
  for (const auto& p : played) {
    if (!suites.count(p.file.suite)) order.push_back(p.file.suite);
    suites[p.file.suite].push_back(&p);
  }
  struct Counts {
    int failures = 0;
    int errors = 0;
    int skipped = 0;
  };
  const auto counts = [](const std::vector<const Played*>& list) {
    Counts c;
    for (const auto* p : list) {
      if (p->bad_input) {
        ++c.errors;
      } else if (p->result.skipped) {
        ++c.skipped;
      } else if (!p->passed) {
        ++c.failures;
      }
    }
    return c;
  };
  std::vector<const Played*> all;
  for (const auto& p : played) all.push_back(&p);
  const Counts total = counts(all);
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  xml += "<testsuites name=\"k60418\" tests=\"" + std::to_string(played.size()) + "\" failures=\"" +
         std::to_string(total.failures) + "\" errors=\"" + std::to_string(total.errors) + "\" time=\"" +
         Seconds(seconds) + "\">\n";
  for (const auto& name : order) {
    const auto& list = suites[name];
    const Counts suite = counts(list);
    double time = 0;
    for (const auto* p : list) time += p->seconds;
    xml += "  <testsuite name=\"" + Xml(name) + "\" tests=\"" + std::to_string(list.size()) +
           "\" failures=\"" + std::to_string(suite.failures) + "\" errors=\"" + std::to_string(suite.errors) +
           "\" skipped=\"" + std::to_string(suite.skipped) + "\" time=\"" + Seconds(time) + "\">\n";
    for (const auto* p : list) {
      const std::string file = p->file.name;
      const auto slash = file.rfind('/');
      xml += "    <testcase name=\"" + Xml(slash == std::string::npos ? file : file.substr(slash + 1)) +
             "\" classname=\"" + Xml(name) + "\" file=\"" + Xml(file) + "\" time=\"" + Seconds(p->seconds) +
             "\"";
      if (p->passed) {
        xml += "/>\n";
        continue;
      }
      xml += ">\n";
      const auto& result = p->result;
      if (p->bad_input) {
        const std::string text = ErrorWhere(*p) + ": " + result.message;
        xml += "      <error message=\"" + Xml(text) + "\" type=\"input\">" + Xml(text) + "</error>\n";
      } else if (result.skipped) {
        const std::string text = Located(*p) + ": " + result.message;
        xml += "      <skipped message=\"" + Xml(text) + "\">" + Xml(text) + "</skipped>\n";
      } else {
        std::string body;
        for (const auto& failure : result.failures)
          body += Where(*p, failure) + ": " + failure.message + "\n";
        if (result.failures.empty())
          body = file + ":" + std::to_string(result.line) + ": " + result.message + "\n";
        const std::string first = file + ":" + std::to_string(result.line) + ": " + result.message;
        xml += "      <failure message=\"" + Xml(first + NotRun(result.expectations_not_run)) + "\" type=\"" +
               (result.expected.empty() && result.found.empty() ? "error" : "expectation") + "\">" +
               Xml(body) + "</failure>\n";
      }
      xml += "    </testcase>\n";
    }
    xml += "  </testsuite>\n";
  }
  xml += "</testsuites>\n";
  return xml;
}

void WriteJUnit(const std::filesystem::path& file, const std::vector<Played>& played, double seconds) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + file.string() + ": " + std::strerror(errno));
  out << JUnitReport(played, seconds);
  out.flush();
  if (!out) throw std::runtime_error("cannot write " + file.string() + ": " + std::strerror(errno));
}

}  // namespace player
