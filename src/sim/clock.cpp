#include "sim/clock.hpp"

#include <chrono>
#include <cmath>
#include <ctime>

#include "vb/error.hpp"

namespace sim {
namespace {

constexpr std::int64_t kMillisecondsPerDay = 86'400'000;

}  // namespace

SimClock::SimClock() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  // std::localtime shares a static buffer; the desktop is single-threaded.
  const std::tm* local = std::localtime(&now);
  if (!local) {
    Set(vb::Date::FromParts(2000, 1, 1));
    return;
  }
  Set(vb::Date::FromParts(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour,
                          local->tm_min, local->tm_sec));
}

vb::Date SimClock::Now() {
  // Whole days plus whole seconds, built as Date::FromParts builds dates, so that two dates of
  // the same second compare equal.
  std::int64_t days = milliseconds_ / kMillisecondsPerDay;
  std::int64_t rest = milliseconds_ % kMillisecondsPerDay;
  if (rest < 0) {
    rest += kMillisecondsPerDay;
    --days;
  }
  const std::int64_t seconds = rest / 1000;
  return vb::Date{static_cast<double>(days) + static_cast<double>(seconds) / 86400.0};
}

void SimClock::Sleep(int milliseconds) {
  if (milliseconds > 0) milliseconds_ += milliseconds;
}

void SimClock::Wait(double seconds) {
  if (!(seconds >= 0) || !std::isfinite(seconds) || seconds > 1e10)
    vb::Raise(vb::errors::kInvalidCall, "Sim",
              "The clock only moves forward, by a finite number of seconds.");
  milliseconds_ += static_cast<std::int64_t>(std::llround(seconds * 1000.0));
}

void SimClock::Set(vb::Date date) {
  int y, mo, d, h, mi, s;
  date.ToParts(y, mo, d, h, mi, s);
  const vb::Date midnight = vb::Date::FromParts(y, mo, d);
  milliseconds_ = static_cast<std::int64_t>(std::llround(midnight.serial)) * kMillisecondsPerDay +
                  (h * 3600 + mi * 60 + s) * std::int64_t{1000};
}

}  // namespace sim
