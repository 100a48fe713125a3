#include "sim/registry.hpp"

#include <algorithm>
#include <cstring>
#include <functional>

#include "sim/names.hpp"
#include "vb/error.hpp"
#include "vb/strings.hpp"

namespace sim {

using platform::BYTE;
using platform::DWORD;
using platform::HKEY;
using platform::LSTATUS;
using platform::REGSAM;

namespace {

constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;

// Splits a key path into its components; false for a path Windows refuses (a leading
// backslash, an empty component). A trailing backslash is allowed.
bool SplitPath(std::string_view path, std::vector<std::string>& parts) {
  parts.clear();
  if (path.empty()) return true;
  if (path.front() == '\\') return false;
  if (path.back() == '\\') path.remove_suffix(1);
  std::size_t start = 0;
  while (true) {
    const std::size_t end = path.find('\\', start);
    const std::string_view part =
        path.substr(start, end == std::string_view::npos ? path.size() - start : end - start);
    if (part.empty()) return false;
    parts.emplace_back(part);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return true;
}

// The desktop's own key paths may name the hive in front.
std::string WithoutHive(const std::string& key) {
  for (const char* hive : {"HKEY_CURRENT_USER\\", "HKCU\\"}) {
    const std::size_t n = std::strlen(hive);
    if (key.size() >= n && SameName(key.substr(0, n), hive)) return key.substr(n);
  }
  if (SameName(key, "HKEY_CURRENT_USER") || SameName(key, "HKCU")) return {};
  return key;
}

// Compares two 8-bit (Windows-1252) names without case.
bool SameName8(std::string_view a, std::string_view b) {
  return SameName(vb::FromWindows1252(a), vb::FromWindows1252(b));
}

}  // namespace

/// One key: its name as created (Windows-1252), its sub-keys and its values in creation order.
struct Registry::Key {
  std::string name;
  std::vector<std::shared_ptr<Key>> children;
  std::vector<Value> values;
  bool deleted = false;

  std::shared_ptr<Key> Child(std::string_view child_name) const {
    for (const auto& child : children) {
      if (SameName8(child->name, child_name)) return child;
    }
    return nullptr;
  }
  Value* FindValue(std::string_view value_name) {
    for (auto& value : values) {
      if (SameName8(value.name, value_name)) return &value;
    }
    return nullptr;
  }
  void MarkDeleted() {
    deleted = true;
    for (const auto& child : children) child->MarkDeleted();
  }
};

Registry::Registry() : root_(std::make_shared<Key>()) {}
Registry::~Registry() = default;

std::shared_ptr<Registry::Key> Registry::Resolve(HKEY key, LSTATUS& status, REGSAM needed) const {
  status = platform::ERROR_SUCCESS;
  if (key == platform::HKEY_CURRENT_USER) return root_;
  const auto found = handles_.find(key);
  if (found == handles_.end()) {
    status = platform::ERROR_INVALID_HANDLE;
    return nullptr;
  }
  if (found->second.key->deleted) {
    status = ERROR_KEY_DELETED;
    return nullptr;
  }
  if ((found->second.access & needed) != needed) {
    status = platform::ERROR_ACCESS_DENIED;
    return nullptr;
  }
  return found->second.key;
}

HKEY Registry::NewHandle(std::shared_ptr<Key> key, REGSAM access) {
  const HKEY handle = next_handle_;
  next_handle_ += 4;
  handles_[handle] = Handle{std::move(key), access};
  return handle;
}

LSTATUS Registry::RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) {
  if (!result) return platform::ERROR_INVALID_PARAMETER;
  LSTATUS status;
  auto parent = Resolve(key, status);
  if (!parent) return status;
  std::vector<std::string> parts;
  if (!SplitPath(subKey ? subKey : "", parts)) return ERROR_BAD_PATHNAME;
  if (parts.empty()) {
    // An empty sub-key of the predefined key gives that key; of an opened key, a new handle to
    // the same key, which the caller closes apart from the first (as advapi32 does).
    *result = key == platform::HKEY_CURRENT_USER ? key : NewHandle(parent, KEY_ALL_ACCESS);
    return platform::ERROR_SUCCESS;
  }
  auto node = parent;
  for (const auto& part : parts) {
    auto child = node->Child(part);
    if (!child) {
      if (key != platform::HKEY_CURRENT_USER && node == parent &&
          (handles_.at(key).access & KEY_CREATE_SUB_KEY) == 0)
        return platform::ERROR_ACCESS_DENIED;
      child = std::make_shared<Key>();
      child->name = part;
      node->children.push_back(child);
    }
    node = child;
  }
  *result = NewHandle(node, KEY_ALL_ACCESS);
  return platform::ERROR_SUCCESS;
}

LSTATUS Registry::RegOpenKeyExA(HKEY key, const char* subKey, DWORD /*options*/, REGSAM desired,
                                HKEY* result) {
  if (!result) return platform::ERROR_INVALID_PARAMETER;
  LSTATUS status;
  auto node = Resolve(key, status);
  if (!node) return status;
  std::vector<std::string> parts;
  if (!SplitPath(subKey ? subKey : "", parts)) return ERROR_BAD_PATHNAME;
  for (const auto& part : parts) {
    node = node->Child(part);
    if (!node) return platform::ERROR_FILE_NOT_FOUND;
  }
  *result = NewHandle(node, desired);
  return platform::ERROR_SUCCESS;
}

namespace {

// Copies a value's data as advapi32 does: the size is always reported; a buffer too small
// gives ERROR_MORE_DATA and receives nothing.
LSTATUS CopyData(const std::string& stored, BYTE* data, DWORD* dataSize) {
  if (data && !dataSize) return platform::ERROR_INVALID_PARAMETER;
  if (!dataSize) return platform::ERROR_SUCCESS;
  const auto needed = static_cast<DWORD>(stored.size());
  if (data) {
    if (*dataSize < needed) {
      *dataSize = needed;
      return platform::ERROR_MORE_DATA;
    }
    std::memcpy(data, stored.data(), stored.size());
  }
  *dataSize = needed;
  return platform::ERROR_SUCCESS;
}

}  // namespace

LSTATUS Registry::RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* reserved,
                                DWORD* type, BYTE* data, DWORD* dataSize) {
  LSTATUS status;
  auto node = Resolve(key, status, platform::KEY_QUERY_VALUE);
  if (!node) return status;
  if (!name || !nameLength || reserved) return platform::ERROR_INVALID_PARAMETER;
  if (index >= node->values.size()) return platform::ERROR_NO_MORE_ITEMS;
  const Value& value = node->values[index];
  // The name buffer must hold the name and its NUL; when it cannot, nothing is stored.
  if (value.name.size() + 1 > *nameLength) return platform::ERROR_MORE_DATA;
  std::memcpy(name, value.name.c_str(), value.name.size() + 1);
  *nameLength = static_cast<DWORD>(value.name.size());
  if (type) *type = value.type;
  return CopyData(value.data, data, dataSize);
}

LSTATUS Registry::RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                                   DWORD* dataSize) {
  LSTATUS status;
  auto node = Resolve(key, status, platform::KEY_QUERY_VALUE);
  if (!node) return status;
  if (reserved) return platform::ERROR_INVALID_PARAMETER;
  const Value* value = node->FindValue(valueName ? valueName : "");
  if (!value) return platform::ERROR_FILE_NOT_FOUND;
  if (type) *type = value->type;
  return CopyData(value->data, data, dataSize);
}

LSTATUS Registry::RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type,
                                 const BYTE* data, DWORD dataSize) {
  LSTATUS status;
  auto node = Resolve(key, status, platform::KEY_SET_VALUE);
  if (!node) return status;
  if (reserved != 0 || (!data && dataSize > 0)) return platform::ERROR_INVALID_PARAMETER;
  const std::string name = valueName ? valueName : "";
  std::string bytes(reinterpret_cast<const char*>(data ? data : reinterpret_cast<const BYTE*>("")), dataSize);
  if (Value* value = node->FindValue(name)) {
    // A value written again keeps its place in the enumeration (and the case of its name).
    value->type = type;
    value->data = std::move(bytes);
  } else {
    node->values.push_back(Value{name, type, std::move(bytes)});
  }
  return platform::ERROR_SUCCESS;
}

LSTATUS Registry::RegCloseKey(HKEY key) {
  if (key == platform::HKEY_CURRENT_USER) return platform::ERROR_SUCCESS;
  if (handles_.erase(key) == 0) return platform::ERROR_INVALID_HANDLE;
  return platform::ERROR_SUCCESS;
}

std::shared_ptr<Registry::Key> Registry::Find(const std::string& path) const {
  std::vector<std::string> parts;
  if (!SplitPath(vb::ToWindows1252(WithoutHive(path)), parts)) return nullptr;
  auto node = root_;
  for (const auto& part : parts) {
    node = node->Child(part);
    if (!node) return nullptr;
  }
  return node;
}

std::shared_ptr<Registry::Key> Registry::Create(const std::string& path) {
  std::vector<std::string> parts;
  if (!SplitPath(vb::ToWindows1252(WithoutHive(path)), parts))
    vb::Raise(vb::errors::kInvalidCall, "Sim", "Bad registry key path: \"" + path + "\"");
  auto node = root_;
  for (const auto& part : parts) {
    auto child = node->Child(part);
    if (!child) {
      child = std::make_shared<Key>();
      child->name = part;
      node->children.push_back(child);
    }
    node = child;
  }
  return node;
}

void Registry::SetString(const std::string& key, const std::string& valueName, const std::string& text) {
  auto node = Create(key);
  std::string data = vb::ToWindows1252(text);
  data.push_back('\0');
  const std::string name = vb::ToWindows1252(valueName);
  if (Value* value = node->FindValue(name)) {
    value->type = platform::REG_SZ;
    value->data = std::move(data);
  } else {
    node->values.push_back(Value{name, platform::REG_SZ, std::move(data)});
  }
}

std::optional<std::string> Registry::GetString(const std::string& key, const std::string& valueName) const {
  auto node = Find(key);
  if (!node) return std::nullopt;
  const Value* value = node->FindValue(vb::ToWindows1252(valueName));
  if (!value) return std::nullopt;
  const std::string& data = value->data;
  return vb::FromWindows1252(std::string_view(data).substr(0, data.find('\0')));
}

bool Registry::KeyExists(const std::string& key) const {
  return Find(key) != nullptr;
}

bool Registry::DeleteKey(const std::string& key) {
  std::vector<std::string> parts;
  if (!SplitPath(vb::ToWindows1252(WithoutHive(key)), parts) || parts.empty()) return false;
  auto node = root_;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    node = node->Child(parts[i]);
    if (!node) return false;
  }
  auto& siblings = node->children;
  const auto it = std::find_if(siblings.begin(), siblings.end(), [&](const std::shared_ptr<Key>& k) {
    return SameName8(k->name, parts.back());
  });
  if (it == siblings.end()) return false;
  (*it)->MarkDeleted();
  siblings.erase(it);
  return true;
}

bool Registry::DeleteValue(const std::string& key, const std::string& valueName) {
  auto node = Find(key);
  if (!node) return false;
  const std::string name = vb::ToWindows1252(valueName);
  auto& values = node->values;
  const auto it =
      std::find_if(values.begin(), values.end(), [&](const Value& v) { return SameName8(v.name, name); });
  if (it == values.end()) return false;
  values.erase(it);
  return true;
}

std::vector<Registry::KeyRecord> Registry::Keys() const {
  std::vector<KeyRecord> records;
  std::function<void(const Key&, const std::string&)> walk = [&](const Key& key, const std::string& path) {
    for (const auto& child : key.children) {
      const std::string child_path =
          path.empty() ? vb::FromWindows1252(child->name) : path + "\\" + vb::FromWindows1252(child->name);
      records.push_back(KeyRecord{child_path, child->values});
      walk(*child, child_path);
    }
  };
  walk(*root_, "");
  return records;
}

void Registry::Restore(const std::vector<KeyRecord>& keys) {
  root_->MarkDeleted();
  root_ = std::make_shared<Key>();
  for (const auto& record : keys) {
    auto node = Create(record.path);
    node->values = record.values;
  }
}

void Registry::LoadDefaults() {
  const std::string user = "C:\\Documents and Settings\\Apprenant\\";
  SetString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "AppData",
            user + "Application Data");
  SetString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Personal",
            user + "Mes documents");
  SetString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Desktop",
            user + "Bureau");
  SetString("SOFTWARE\\Microsoft\\Office\\11.0\\Common\\General", "Templates", "Modèles");
  const std::string recent = "SOFTWARE\\Microsoft\\Office\\11.0\\PowerPoint\\RecentFolderList";
  SetString(recent, "Default", user + "Mes documents\\");
  SetString(recent, "MultimediaDir", user + "Mes documents\\Ma musique\\");
  SetString(recent, "PictureDir", user + "Mes documents\\Mes images\\");
  SetString(recent, "TemplateDir", user + "Application Data\\Microsoft\\Modèles\\");
}

}  // namespace sim
