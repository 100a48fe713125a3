// VB dates: a local date and time held as the OLE automation serial (days since 30 December 1899,
// the fraction being the time of day), compared as VB compares them.
#pragma once

#include <compare>
#include <string>

namespace vb {

/// A local date and time, as a VB Date holds it.
struct Date {
  /// Days since 1899-12-30 00:00; the fractional part is the time of day.
  double serial = 0.0;

  auto operator<=>(const Date&) const = default;

  /// The date of a calendar day and time of day (local time, no time zone).
  static Date FromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
  /// Splits the date into its calendar parts (seconds rounded to the nearest whole second).
  void ToParts(int& year, int& month, int& day, int& hour, int& minute, int& second) const;
  /// The date moved forward by a number of seconds (negative moves it back).
  Date PlusSeconds(double seconds) const;
  /// "2026-12-06 07:25:12": the form used in files and traces.
  std::string ToIso() const;
  /// Parses ToIso's form ("2026-12-06 07:25:12" or "2026-12-06"); false when the text is not one.
  static bool FromIso(const std::string& text, Date& out);
};

}  // namespace vb
