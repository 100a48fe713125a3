#include "win32/platform/clock.hpp"

#include <windows.h>

namespace win32 {

vb::Date SystemClock::Now() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return vb::Date::FromParts(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
}

void SystemClock::Sleep(int milliseconds) {
  if (milliseconds > 0) ::Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace win32
