#include "win32/server/registration.hpp"

#include <string_view>
#include <vector>

#include "module/registration.hpp"
#include "win32/dispatch/errors.hpp"

namespace win32::server {

namespace {

constexpr const wchar_t* kHostTypeLibraryFile = L"ContratHote.tlb";

std::wstring Wide(std::string_view text) {
  return Widen(text);
}

std::wstring ClassKey() {
  return L"CLSID\\" + Wide(registration::kModuleClass.guid);
}

std::wstring VersionedProgId() {
  return Wide(registration::kModuleProgId) + L".1";
}

GUID GuidOf(std::string_view text) {
  GUID guid{};
  CLSIDFromString(Wide(text).c_str(), &guid);
  return guid;
}

/// Creates `key` under HKEY_CLASSES_ROOT and sets its value `name` (null: the default value).
LSTATUS SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_SET_VALUE, nullptr, &handle, nullptr);
  if (status != ERROR_SUCCESS) return status;
  status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return status;
}

LSTATUS CreateKey(const std::wstring& key) {
  HKEY handle = nullptr;
  const LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                         KEY_SET_VALUE, nullptr, &handle, nullptr);
  if (status == ERROR_SUCCESS) RegCloseKey(handle);
  return status;
}

/// The default value of `key` under HKEY_CLASSES_ROOT; empty when there is none.
std::wstring DefaultValue(const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return {};
  DWORD type = 0;
  DWORD size = 0;
  std::wstring value;
  if (RegQueryValueExW(handle, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
    value.resize(size / sizeof(wchar_t) + 1);
    size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegQueryValueExW(handle, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) ==
        ERROR_SUCCESS) {
      value.resize(wcsnlen(value.c_str(), value.size()));
    } else {
      value.clear();
    }
  }
  RegCloseKey(handle);
  return value;
}

/// Deletes `key` (under `parent`) with everything below it; a missing key is no error.
LSTATUS DeleteTree(HKEY parent, const std::wstring& key) {
  HKEY handle = nullptr;
  LSTATUS status = RegOpenKeyExW(parent, key.c_str(), 0, KEY_READ | KEY_WRITE, &handle);
  if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (status != ERROR_SUCCESS) return status;
  for (;;) {
    std::vector<wchar_t> name(256);
    DWORD length = static_cast<DWORD>(name.size());
    status = RegEnumKeyExW(handle, 0, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS) break;
    status = DeleteTree(handle, std::wstring(name.data(), length));
    if (status != ERROR_SUCCESS) break;
  }
  RegCloseKey(handle);
  if (status != ERROR_NO_MORE_ITEMS) return status;
  return RegDeleteKeyW(parent, key.c_str());
}

HRESULT FromStatus(LSTATUS status) {
  return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

std::wstring Folder(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

/// Where the host contract library is registered (its 1.0, language neutral); empty when it is not.
std::wstring RegisteredHostLibrary() {
  BSTR path = nullptr;
  if (FAILED(QueryPathOfRegTypeLib(LIBID_ContratHote, 1, 0, 0, &path)) || !path) return {};
  std::wstring result(path, SysStringLen(path));
  SysFreeString(path);
  while (!result.empty() && result.back() == L'\0') result.pop_back();
  return result;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HRESULT RegisterHostLibrary(const std::wstring& modulePath) {
  const std::wstring beside = Folder(modulePath) + kHostTypeLibraryFile;
  if (!FileExists(beside)) return S_OK;
  const std::wstring registered = RegisteredHostLibrary();
  if (!registered.empty() && !SamePath(registered, beside)) return S_OK;  // the host's own copy
  ITypeLib* library = nullptr;
  HRESULT hr = LoadTypeLibEx(beside.c_str(), REGKIND_NONE, &library);
  if (FAILED(hr)) return hr;
  hr = RegisterTypeLib(library, const_cast<LPOLESTR>(beside.c_str()), nullptr);
  library->Release();
  return hr;
}

HRESULT UnregisterHostLibrary(const std::wstring& modulePath) {
  const std::wstring beside = Folder(modulePath) + kHostTypeLibraryFile;
  const std::wstring registered = RegisteredHostLibrary();
  if (registered.empty() || !SamePath(registered, beside)) return S_OK;
  ITypeLib* library = nullptr;
  HRESULT hr = LoadTypeLibEx(beside.c_str(), REGKIND_NONE, &library);
  if (FAILED(hr)) return hr;
  TLIBATTR* attributes = nullptr;
  hr = library->GetLibAttr(&attributes);
  if (SUCCEEDED(hr)) {
    hr = UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                           attributes->lcid, attributes->syskind);
    library->ReleaseTLibAttr(attributes);
  }
  library->Release();
  return hr;
}

}  // namespace

HRESULT RegisterServer(const std::wstring& modulePath) {
  if (modulePath.empty()) return E_UNEXPECTED;
  // The host contract library first: K60418's _Module derives from its AbstractModule.
  HRESULT hr = RegisterHostLibrary(modulePath);
  if (FAILED(hr)) return hr;

  const std::wstring clsid = Wide(registration::kModuleClass.guid);
  const std::wstring libid = Wide(registration::kTypeLibrary.guid);
  const std::wstring progId = Wide(registration::kModuleProgId);
  const std::wstring versioned = VersionedProgId();
  const std::wstring name = Wide(registration::kModuleClass.name);
  const std::wstring key = ClassKey();
  const LSTATUS failures[] = {
      SetValue(key, nullptr, name),
      SetValue(key + L"\\InprocServer32", nullptr, modulePath),
      SetValue(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"),
      SetValue(key + L"\\ProgID", nullptr, versioned),
      SetValue(key + L"\\VersionIndependentProgID", nullptr, progId),
      SetValue(key + L"\\TypeLib", nullptr, libid),
      SetValue(key + L"\\Version", nullptr, L"1.0"),
      CreateKey(key + L"\\Programmable"),
      SetValue(progId, nullptr, name),
      SetValue(progId + L"\\CLSID", nullptr, clsid),
      SetValue(progId + L"\\CurVer", nullptr, versioned),
      SetValue(versioned, nullptr, name),
      SetValue(versioned + L"\\CLSID", nullptr, clsid),
  };
  for (const LSTATUS status : failures) {
    if (status != ERROR_SUCCESS) {
      UnregisterServer(modulePath);
      return FromStatus(status);
    }
  }

  ITypeLib* library = nullptr;
  hr = LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, &library);
  if (SUCCEEDED(hr)) {
    hr = RegisterTypeLib(library, const_cast<LPOLESTR>(modulePath.c_str()), nullptr);
    library->Release();
  }
  if (FAILED(hr)) UnregisterServer(modulePath);
  return hr;
}

HRESULT UnregisterServer(const std::wstring& modulePath) {
  const std::wstring clsid = Wide(registration::kModuleClass.guid);
  HRESULT result = S_OK;
  const auto keep_first_failure = [&](HRESULT hr) {
    if (SUCCEEDED(result) && FAILED(hr)) result = hr;
  };
  for (const std::wstring& progId : {VersionedProgId(), Wide(registration::kModuleProgId)}) {
    if (SamePath(DefaultValue(progId + L"\\CLSID"), clsid)) {
      keep_first_failure(FromStatus(DeleteTree(HKEY_CLASSES_ROOT, progId)));
    }
  }
  keep_first_failure(FromStatus(DeleteTree(HKEY_CLASSES_ROOT, ClassKey())));

  // The type library, when it is registered at all.
  BSTR registered = nullptr;
  const GUID libid = GuidOf(registration::kTypeLibrary.guid);
  if (SUCCEEDED(QueryPathOfRegTypeLib(libid, registration::kTypeLibraryMajorVersion,
                                      registration::kTypeLibraryMinorVersion, registration::kTypeLibraryLcid,
                                      &registered))) {
    SysFreeString(registered);
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, &library);
    if (SUCCEEDED(hr)) {
      TLIBATTR* attributes = nullptr;
      hr = library->GetLibAttr(&attributes);
      if (SUCCEEDED(hr)) {
        hr = UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                               attributes->lcid, attributes->syskind);
        library->ReleaseTLibAttr(attributes);
      }
      library->Release();
    }
    keep_first_failure(hr);
  }
  keep_first_failure(UnregisterHostLibrary(modulePath));
  return result;
}

}  // namespace win32::server
