// Registry snapshots around registering K60418.dll: `snapshot FILE` writes every key and value of
// the classes root (HKLM and HKCU Software\Classes, in both registry views) to FILE; `compare
// FILE` fails when a key or value of FILE is gone (unregistering removed something not its own) or
// when a key of the component is still present (it left something behind). Other keys that
// appeared meanwhile are listed and allowed: the other tests of the suite register classes of
// their own while the component is registered.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string out(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length, nullptr,
                      nullptr);
  return out;
}

void Walk(HKEY key, const std::wstring& path, std::set<std::string>& lines) {
  lines.insert(Utf8(path));
  for (DWORD index = 0;; ++index) {
    wchar_t name[16384];
    DWORD name_length = 16384;
    DWORD type = 0;
    DWORD size = 0;
    if (RegEnumValueW(key, index, name, &name_length, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    std::vector<BYTE> data(size + 2);
    name_length = 16384;
    DWORD data_size = size;
    RegEnumValueW(key, index, name, &name_length, nullptr, &type, data.data(), &data_size);
    std::ostringstream line;
    line << Utf8(path) << " | " << Utf8(std::wstring(name, name_length)) << " | " << type << " |";
    for (DWORD byte = 0; byte < data_size; ++byte) line << ' ' << static_cast<int>(data[byte]);
    lines.insert(line.str());
  }
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD name_length = 256;
    if (RegEnumKeyExW(key, index, name, &name_length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    HKEY child = nullptr;
    if (RegOpenKeyExW(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
      Walk(child, path + L"\\" + name, lines);
      RegCloseKey(child);
    }
  }
}

std::set<std::string> Snapshot() {
  std::set<std::string> lines;
  for (const HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
      HKEY classes = nullptr;
      if (RegOpenKeyExW(root, L"Software\\Classes", 0, KEY_READ | view, &classes) != ERROR_SUCCESS) continue;
      Walk(classes,
           std::wstring(root == HKEY_CURRENT_USER ? L"HKCU" : L"HKLM") +
               (view == KEY_WOW64_32KEY ? L"(32)" : L"(64)") + L"\\Software\\Classes",
           lines);
      RegCloseKey(classes);
    }
  }
  return lines;
}

/// The component's own identities: a key path containing one of them is ours.
const char* const kOurs[] = {
    "74615031-BE13-4364-A7A7-0CD1412AE189",
    "40526EB5-285B-42D9-9426-E8197F0270EF",
    "B556C250-7C12-4500-8C9E-B10CE04CEF67",
    "516910EB-731A-4EB2-80D7-02121238014F",
    "3AF8A2B9-1A01-4A7E-A5E0-3BBF654155F8",
    "B89DEBFB-53AC-11D3-9C0A-004033A65846",
    "B89DEBFC-53AC-11D3-9C0A-004033A65846",
    "B89DEBFE-53AC-11D3-9C0A-004033A65846",
    "\\K60418.Module",
};

bool IsOurs(std::string line) {
  for (char& c : line) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  for (std::string ours : kOurs) {
    for (char& c : ours) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    if (line.find(ours) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s snapshot|compare FILE\n", argv[0]);
    return 2;
  }
  const std::string mode = argv[1];
  const std::set<std::string> now = Snapshot();
  if (mode == "snapshot") {
    std::ofstream out(argv[2], std::ios::binary);
    for (const std::string& line : now) out << line << '\n';
    std::printf("%zu keys and values\n", now.size());
    return out ? 0 : 2;
  }
  std::ifstream in(argv[2], std::ios::binary);
  if (!in) return 2;
  std::set<std::string> before;
  for (std::string line; std::getline(in, line);) before.insert(line);
  int ours = 0;
  int others = 0;
  int removed = 0;
  for (const std::string& line : now) {
    if (IsOurs(line)) {
      std::printf("%s: %s\n", before.count(line) ? "already there before registering" : "left behind",
                  line.c_str());
      ++ours;
    } else if (!before.count(line)) {
      std::printf("note, appeared meanwhile (not the component's): %s\n", line.c_str());
      ++others;
    }
  }
  for (const std::string& line : before) {
    if (!now.count(line)) {
      std::printf("removed: %s\n", line.c_str());
      ++removed;
    }
  }
  std::printf("%zu keys and values: %d of the component's, %d removed, %d others added meanwhile\n",
              now.size(), ours, removed, others);
  return ours == 0 && removed == 0 ? 0 : 1;
}
