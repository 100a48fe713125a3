#include "vb/date.hpp"

#include <cmath>
#include <cstdio>

namespace vb {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(y + (month <= 2));
}

// 1899-12-30 counted from 1970-01-01.
constexpr long long kOleEpochFromUnix = -25569;

}  // namespace

Date Date::FromParts(int year, int month, int day, int hour, int minute, int second) {
  const long long days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kOleEpochFromUnix;
  const double time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  return Date{static_cast<double>(days) + time};
}

void Date::ToParts(int& year, int& month, int& day, int& hour, int& minute, int& second) const {
  // Seconds since the OLE epoch, rounded, so that 07:25:12 does not read back as 07:25:11.
  const long long total = std::llround(serial * 86400.0);
  long long days = total / 86400;
  long long rest = total % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  CivilFromDays(days + kOleEpochFromUnix, year, month, day);
  hour = static_cast<int>(rest / 3600);
  minute = static_cast<int>(rest % 3600 / 60);
  second = static_cast<int>(rest % 60);
}

Date Date::PlusSeconds(double seconds) const {
  return Date{serial + seconds / 86400.0};
}

std::string Date::ToIso() const {
  int y, mo, d, h, mi, s;
  ToParts(y, mo, d, h, mi, s);
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, s);
  return buffer;
}

bool Date::FromIso(const std::string& text, Date& out) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  char tail = 0;
  const int n = std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &tail);
  if (!(n == 3 || n == 6)) return false;
  if (mo < 1 || mo > 12 || d < 1 || d > 31 || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59)
    return false;
  out = FromParts(y, mo, d, h, mi, s);
  return true;
}

}  // namespace vb
