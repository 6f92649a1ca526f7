// The current user's registry in memory, answering RegistryApi's calls as advapi32 answers
// RegOpenKeyExA, RegQueryValueExA and ...W, and RegCloseKey. It records every open and close so that a test
// can tell whether each key that was handed out came back exactly once.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "einstellungen/RegistryApi.h"

namespace fakes {

class InMemoryRegistry final : public RegistryApi {
 public:
  struct Value {
    std::uint32_t type = kRegNone;
    std::vector<unsigned char> data;
    bool wide = false;  // a string written by RegSetValueExW, in UTF-16LE
  };

  // One call of OpenCurrentUserKey.
  struct Open {
    std::string subKey;
    std::uint32_t access = 0;
    long status = kErrorSuccess;
    RegKey key = 0;  // 0 when the open failed
  };

 private:
  // Key and value names are case-insensitive in the registry.
  struct NoCase {
    using is_transparent = void;
    static char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
    bool operator()(std::string_view a, std::string_view b) const {
      return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                          [](char x, char y) { return Fold(x) < Fold(y); });
    }
  };

  struct KeyData {
    std::map<std::string, Value, NoCase> values;
    bool readOnly = false;
    bool deleted = false;  // a handle may outlive its key
  };

 public:
  // Writes into one key, creating it first if need be, as RegCreateKeyExA and RegSetValueExA would.
  class KeyWriter {
   public:
    KeyWriter& SetRaw(std::string_view name, std::uint32_t type, std::vector<unsigned char> data, bool wide = false) {
      registry_.Create(path_)->values[std::string(name)] = Value{type, std::move(data), wide};
      return *this;
    }
    // Stored with its terminating 0, as every well-behaved writer stores strings.
    KeyWriter& SetString(std::string_view name, std::string_view text, std::uint32_t type = kRegSz) {
      std::vector<unsigned char> data(text.begin(), text.end());
      data.push_back(0);
      return SetRaw(name, type, std::move(data));
    }
    KeyWriter& SetDword(std::string_view name, std::uint32_t value) {
      return SetRaw(name, kRegDword, LittleEndian(value, 4));
    }
    KeyWriter& SetQword(std::string_view name, std::uint64_t value) {
      return SetRaw(name, kRegQword, LittleEndian(value, 8));
    }
    KeyWriter& SetBinary(std::string_view name, std::vector<unsigned char> data) {
      return SetRaw(name, kRegBinary, std::move(data));
    }
    // A value that exists with no data at all (size 0), of any type.
    KeyWriter& SetNoData(std::string_view name, std::uint32_t type = kRegNone) { return SetRaw(name, type, {}); }
    KeyWriter& Delete(std::string_view name) {
      if (auto key = registry_.Find(path_)) {
        if (const auto it = key->values.find(name); it != key->values.end()) key->values.erase(it);
      }
      return *this;
    }

   private:
    friend class InMemoryRegistry;
    KeyWriter(InMemoryRegistry& registry, std::string_view path) : registry_(registry), path_(path) {}

    static std::vector<unsigned char> LittleEndian(std::uint64_t value, std::size_t bytes) {
      std::vector<unsigned char> data(bytes);
      for (std::size_t i = 0; i < bytes; ++i) data[i] = static_cast<unsigned char>(value >> (8 * i));
      return data;
    }

    InMemoryRegistry& registry_;
    std::string path_;
  };

  KeyWriter Key(std::string_view path) {
    Create(path);
    return KeyWriter(*this, path);
  }

  // Handles still open on the key keep working only as far as Windows lets them: every query
  // through them fails with ERROR_KEY_DELETED.
  void DeleteKey(std::string_view path) {
    if (const auto it = keys_.find(path); it != keys_.end()) {
      it->second->deleted = true;
      keys_.erase(it);
    }
  }

  bool HasKey(std::string_view path) const { return keys_.find(path) != keys_.end(); }

  // The key's permissions let the user read it only: an open asking for a write right is refused.
  void SetReadOnly(std::string_view path, bool readOnly = true) { Create(path)->readOnly = readOnly; }

  // Runs change once, just before the next query that asks for the data of that value (not merely
  // its size or existence): the companion program rewriting it between a reader's two queries.
  void BeforeNextDataQuery(std::string_view path, std::string_view name, std::function<void()> change) {
    pending_.push_back(Pending{Create(path), std::string(name), std::move(change)});
  }

  const std::vector<Open>& Opens() const { return opens_; }
  // Every CloseKey call in order, also those with a handle that was not open.
  const std::vector<RegKey>& Closes() const { return closes_; }
  std::size_t OpenHandleCount() const { return handles_.size(); }

  // Each key handed out was closed exactly once, and nothing else was closed.
  bool EachOpenedKeyClosedOnce() const {
    std::size_t opened = 0;
    for (const Open& open : opens_) {
      if (open.status != kErrorSuccess) continue;
      ++opened;
      if (std::count(closes_.begin(), closes_.end(), open.key) != 1) return false;
    }
    return closes_.size() == opened;
  }

  long OpenCurrentUserKey(std::string_view subKey, std::uint32_t access, RegKey& key) override {
    key = 0;
    long status = kErrorSuccess;
    const auto it = keys_.find(subKey);
    if (it == keys_.end()) {
      status = kErrorFileNotFound;
    } else if (it->second->readOnly && (access & (kKeySetValue | kKeyCreateSubKey)) != 0) {
      status = kErrorAccessDenied;
    } else {
      key = nextHandle_++;
      handles_[key] = it->second;
    }
    opens_.push_back(Open{std::string(subKey), access, status, key});
    return status;
  }

  long QueryValue(RegKey key, std::string_view name, std::uint32_t* type, unsigned char* data,
                  std::uint32_t* size) override {
    return Query(key, name, type, data, size, false);
  }
  long QueryValueW(RegKey key, std::string_view name, std::uint32_t* type, unsigned char* data,
                   std::uint32_t* size) override {
    return Query(key, name, type, data, size, true);
  }

  long CloseKey(RegKey key) override {
    closes_.push_back(key);
    return handles_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
  }

 private:
  // A string crosses between the two calls as Windows converts it, here with ISO 8859-1 for the
  // ANSI code page (a character beyond it becomes "?"); other types come as stored.
  static std::vector<unsigned char> AsRead(const Value& value, bool wide) {
    const bool text = value.type == kRegSz || value.type == kRegExpandSz || value.type == 7;
    if (!text || value.wide == wide) return value.data;
    std::vector<unsigned char> converted;
    if (wide) {
      for (const unsigned char b : value.data) converted.insert(converted.end(), {b, 0});
    } else {
      for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
        converted.push_back(value.data[i + 1] == 0 ? value.data[i] : static_cast<unsigned char>('?'));
      }
    }
    return converted;
  }

  long Query(RegKey key, std::string_view name, std::uint32_t* type, unsigned char* data, std::uint32_t* size,
             bool wide) {
    const auto handle = handles_.find(key);
    if (handle == handles_.end()) return kErrorInvalidHandle;
    const std::shared_ptr<KeyData> keyData = handle->second;
    if (data != nullptr && size == nullptr) return kErrorInvalidParameter;
    if (data != nullptr) RunPending(keyData, name);
    if (keyData->deleted) return kErrorKeyDeleted;
    const auto it = keyData->values.find(name);
    if (it == keyData->values.end()) return kErrorFileNotFound;

    const Value& value = it->second;
    const std::vector<unsigned char> bytes = AsRead(value, wide);
    const auto needed = static_cast<std::uint32_t>(bytes.size());
    if (type != nullptr) *type = value.type;
    if (data == nullptr) {
      if (size != nullptr) *size = needed;
      return kErrorSuccess;
    }
    if (*size < needed) {
      *size = needed;
      return kErrorMoreData;
    }
    std::copy(bytes.begin(), bytes.end(), data);
    *size = needed;
    return kErrorSuccess;
  }

  struct Pending {
    std::shared_ptr<KeyData> key;
    std::string name;
    std::function<void()> change;
  };

  std::shared_ptr<KeyData> Create(std::string_view path) {
    auto& key = keys_[std::string(path)];
    if (!key) key = std::make_shared<KeyData>();
    return key;
  }

  std::shared_ptr<KeyData> Find(std::string_view path) const {
    const auto it = keys_.find(path);
    return it == keys_.end() ? nullptr : it->second;
  }

  void RunPending(const std::shared_ptr<KeyData>& key, std::string_view name) {
    const auto it = std::find_if(pending_.begin(), pending_.end(), [&](const Pending& pending) {
      return pending.key == key && !NoCase{}(pending.name, name) && !NoCase{}(name, pending.name);
    });
    if (it == pending_.end()) return;
    // Taken out first: the change may itself schedule another or query this registry.
    auto change = std::move(it->change);
    pending_.erase(it);
    change();
  }

  std::map<std::string, std::shared_ptr<KeyData>, NoCase> keys_;
  std::map<RegKey, std::shared_ptr<KeyData>> handles_;
  RegKey nextHandle_ = 0x80000100;  // never 0, which stands for no key
  std::vector<Open> opens_;
  std::vector<RegKey> closes_;
  std::vector<Pending> pending_;
};

}  // namespace fakes
