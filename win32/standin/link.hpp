// What the stand-in PowerPoint and the desktop that drives it share: where each process's control
// object is found, the registry key through which the two pass what outlives a process, and the
// making of a user's desktop ready for the course. Only Windows' own headers and the standard
// library here: the desktop includes it without the simulated object model.
#pragma once

#include <windows.h>

#include <string>

namespace standin {

/// The stand-in's executable name, as the process list shows it.
inline constexpr const wchar_t* kExeName = L"StandinPowerPoint.exe";

/// The item of the moniker (delimiter "!") under which a process registers its control object in
/// the running-object table: one per process, so that several processes can be told apart.
inline std::wstring ControlItem(DWORD process_id) {
  return L"K60418.StandinControl." + std::to_wstring(process_id);
}

/// The name of the event a process started by COM holds while it waits, unseen, for its first
/// client: no window, nothing in the running-object table, its class object registered. It closes
/// it once it has started for that client (its control object registered first), so that a driver
/// tells a waiting process from one starting or running.
inline std::wstring WaitingEvent(DWORD process_id) {
  return L"Local\\K60418.StandinWaiting." + std::to_wstring(process_id);
}

/// True while the process waits for its first client.
inline bool Waiting(DWORD process_id) {
  const HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, WaitingEvent(process_id).c_str());
  if (!event) return false;
  CloseHandle(event);
  return true;
}

/// Under HKEY_CURRENT_USER: what the stand-in and its driver pass to each other.
///   Calls      one value per ended process (its id): the "name=count" list of its object-model
///              calls when it ended
///   FailCalls  one DWORD value per member name: the next process started fails that many calls
///              of it, and removes the key once it has read it
inline constexpr const wchar_t* kLinkKey = L"Software\\K60418\\Standin";
inline constexpr const wchar_t* kCallsKey = L"Software\\K60418\\Standin\\Calls";
inline constexpr const wchar_t* kFailCallsKey = L"Software\\K60418\\Standin\\FailCalls";

/// Makes this Windows user's desktop as the simulated desktop's default user has it: the
/// registry values, the user's folders, and PowerPoint's design and content templates copied from
/// `office` (a folder holding designs\ and content\, UTF-8). Throws vb::Error on failure.
void SeedDesktop(const std::string& office);

}  // namespace standin
