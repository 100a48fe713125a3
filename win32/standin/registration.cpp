// The stand-in's registration: its class under PowerPoint's ProgIDs, and the control object's
// ProgID, under Software\Classes of the current user or of the machine.
#include <string>

#include "win32/platform/text.hpp"
#include "win32/standin/standin.hpp"

namespace standin {
namespace {

std::wstring GuidText(const CLSID& clsid) {
  wchar_t text[64] = {};
  StringFromGUID2(clsid, text, 64);
  return text;
}

LONG SetString(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY opened = nullptr;
  LONG status = RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr);
  if (status != ERROR_SUCCESS) return status;
  status = RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(opened);
  return status;
}

// The default value of a key, empty when it has none.
std::wstring ReadString(HKEY root, const std::wstring& key) {
  wchar_t value[256] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  if (RegGetValueW(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return {};
  return value;
}

LONG DeleteTree(HKEY root, const std::wstring& key) {
  const LONG status = RegDeleteTreeW(root, key.c_str());
  if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
    RegDeleteKeyW(root, key.c_str());
    return ERROR_SUCCESS;
  }
  return status;
}

const std::wstring kClasses = L"Software\\Classes\\";

}  // namespace

LONG RegisterServer(HKEY root, const std::wstring& exe) {
  const std::wstring application = GuidText(kApplicationClsid);
  const std::wstring control = GuidText(kControlClsid);
  const std::wstring versioned = win32::Utf8ToWide(kApplicationProgId);
  const std::wstring independent = win32::Utf8ToWide(kIndependentProgId);
  const std::wstring control_progid = win32::Utf8ToWide(kControlProgId);
  const std::wstring clsid = kClasses + L"CLSID\\" + application;
  const std::pair<std::wstring, std::pair<const wchar_t*, std::wstring>> values[] = {
      {clsid, {nullptr, L"K60418 stand-in PowerPoint Application"}},
      {clsid + L"\\LocalServer32", {nullptr, L"\"" + exe + L"\""}},
      {clsid + L"\\ProgID", {nullptr, versioned}},
      {clsid + L"\\VersionIndependentProgID", {nullptr, independent}},
      {kClasses + versioned, {nullptr, L"K60418 stand-in PowerPoint Application"}},
      {kClasses + versioned + L"\\CLSID", {nullptr, application}},
      {kClasses + independent, {nullptr, L"K60418 stand-in PowerPoint Application"}},
      {kClasses + independent + L"\\CLSID", {nullptr, application}},
      {kClasses + independent + L"\\CurVer", {nullptr, versioned}},
      {kClasses + L"CLSID\\" + control, {nullptr, L"K60418 stand-in PowerPoint control"}},
      {kClasses + L"CLSID\\" + control + L"\\ProgID", {nullptr, control_progid}},
      {kClasses + control_progid, {nullptr, L"K60418 stand-in PowerPoint control"}},
      {kClasses + control_progid + L"\\CLSID", {nullptr, control}},
  };
  for (const auto& [key, value] : values) {
    const LONG status = SetString(root, key, value.first, value.second);
    if (status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

LONG UnregisterServer(HKEY root) {
  const std::wstring application = GuidText(kApplicationClsid);
  const std::wstring control = GuidText(kControlClsid);
  LONG result = ERROR_SUCCESS;
  // A ProgID goes only while it still names our class.
  for (const std::pair<const char*, std::wstring>& progid :
       {std::pair<const char*, std::wstring>{kApplicationProgId, application},
        {kIndependentProgId, application},
        {kControlProgId, control}}) {
    const std::wstring key = kClasses + win32::Utf8ToWide(progid.first);
    if (_wcsicmp(ReadString(root, key + L"\\CLSID").c_str(), progid.second.c_str()) != 0) continue;
    if (const LONG status = DeleteTree(root, key); status != ERROR_SUCCESS) result = status;
  }
  for (const std::wstring& clsid : {application, control}) {
    if (const LONG status = DeleteTree(root, kClasses + L"CLSID\\" + clsid); status != ERROR_SUCCESS)
      result = status;
  }
  return result;
}

}  // namespace standin
