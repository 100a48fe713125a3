#include "settings/registre.hpp"

#include <algorithm>
#include <vector>

#include "vb/strings.hpp"

namespace k60418::registry_access {

std::optional<OpenKey> OpenKey::Open(platform::Registry& registry, const std::string& subKey,
                                     platform::REGSAM access) {
  platform::HKEY handle = 0;
  const std::string name = vb::ToWindows1252(subKey);
  if (registry.RegOpenKeyExA(platform::HKEY_CURRENT_USER, name.c_str(), 0, access, &handle) !=
      platform::ERROR_SUCCESS) {
    return std::nullopt;
  }
  return OpenKey(registry, handle);
}

OpenKey::OpenKey(OpenKey&& other) noexcept : registry_(other.registry_), handle_(other.handle_) {
  other.registry_ = nullptr;
}

OpenKey::~OpenKey() {
  if (registry_ != nullptr) registry_->RegCloseKey(handle_);
}

std::optional<std::string> OpenKey::QueryString(const std::string& valueName) const {
  const std::string name = vb::ToWindows1252(valueName);
  std::vector<platform::BYTE> buffer(256);
  // The value may grow between two queries: ask again with the size reported, a few times.
  for (int attempt = 0; attempt < 8; ++attempt) {
    platform::DWORD type = 0;
    auto size = static_cast<platform::DWORD>(buffer.size());
    const platform::LSTATUS status =
        registry_->RegQueryValueExA(handle_, name.c_str(), nullptr, &type, buffer.data(), &size);
    if (status == platform::ERROR_MORE_DATA && size > buffer.size()) {
      buffer.resize(size);
      continue;
    }
    if (status != platform::ERROR_SUCCESS || size < 1) return std::nullopt;
    std::string bytes(buffer.begin(), buffer.begin() + std::min<std::size_t>(size, buffer.size()));
    if (!bytes.empty() && bytes.back() == '\0') bytes.pop_back();
    std::erase(bytes, '\0');
    return vb::FromWindows1252(bytes);
  }
  return std::nullopt;
}

platform::LSTATUS OpenKey::SetString(const std::string& valueName, const std::string& value) const {
  const std::string name = vb::ToWindows1252(valueName);
  std::string data = vb::ToWindows1252(value);
  std::erase(data, '\0');
  data.push_back('\0');
  return registry_->RegSetValueExA(handle_, name.c_str(), 0, platform::REG_SZ,
                                   reinterpret_cast<const platform::BYTE*>(data.data()),
                                   static_cast<platform::DWORD>(data.size()));
}

}  // namespace k60418::registry_access
