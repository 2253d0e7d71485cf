#include <map>
#include <mutex>
#include <string>

#include "platform/platform.h"
#include "platform/posix/in_process_modules.h"

namespace dactyra::platform {
namespace {

// No system DLLs here: only the modules registered in-process can be loaded.
class ModuleRegistry {
 public:
  void Register(std::u16string_view dll_name, ExportResolver resolver) {
    const std::lock_guard lock(mutex_);
    modules_[Key(dll_name)] = Entry{next_handle_++, resolver, 0};
  }

  void Unregister(std::u16string_view dll_name) {
    const std::lock_guard lock(mutex_);
    modules_.erase(Key(dll_name));
  }

  ModuleHandle Load(std::u16string_view dll_name) {
    const std::lock_guard lock(mutex_);
    const auto found = modules_.find(Key(dll_name));
    if (found == modules_.end()) {
      return 0;
    }
    ++found->second.references;
    return found->second.handle;
  }

  // One more reference on a module that is loaded (referenced at least once).
  ModuleHandle AddReference(ModuleHandle module) {
    const std::lock_guard lock(mutex_);
    Entry* entry = ByHandle(module);
    if (entry == nullptr || entry->references == 0) {
      return 0;
    }
    ++entry->references;
    return module;
  }

  void Free(ModuleHandle module) {
    const std::lock_guard lock(mutex_);
    Entry* entry = ByHandle(module);
    if (entry != nullptr && entry->references > 0) {
      --entry->references;
    }
  }

  ExportAddress Find(ModuleHandle module, const char* export_name) {
    ExportResolver resolver = nullptr;
    {
      const std::lock_guard lock(mutex_);
      const Entry* entry = ByHandle(module);
      if (entry == nullptr || entry->references == 0 || export_name == nullptr) {
        return nullptr;
      }
      resolver = entry->resolver;
    }
    return resolver(export_name);
  }

  int References(std::u16string_view dll_name) {
    const std::lock_guard lock(mutex_);
    const auto found = modules_.find(Key(dll_name));
    return found == modules_.end() ? 0 : found->second.references;
  }

 private:
  struct Entry {
    ModuleHandle handle = 0;
    ExportResolver resolver = nullptr;
    int references = 0;
  };

  static std::u16string Key(std::u16string_view dll_name) {
    std::u16string key(dll_name);
    for (char16_t& c : key) {
      if (c >= u'A' && c <= u'Z') {
        c = static_cast<char16_t>(c - u'A' + u'a');
      }
    }
    return key;
  }

  Entry* ByHandle(ModuleHandle module) {
    for (auto& [name, entry] : modules_) {
      if (entry.handle == module) {
        return &entry;
      }
    }
    return nullptr;
  }

  std::mutex mutex_;
  std::map<std::u16string, Entry> modules_;
  // Handles are never reused, so a handle of a replaced module finds nothing.
  ModuleHandle next_handle_ = 0x10000;
};

// The process's one registry, as the system's loader is one per process.
ModuleRegistry& Registry() {
  static ModuleRegistry registry;
  return registry;
}

}  // namespace

void RegisterInProcessModule(std::u16string_view dll_name, ExportResolver resolver) {
  if (!dll_name.empty() && resolver != nullptr) {
    Registry().Register(dll_name, resolver);
  }
}

void UnregisterInProcessModule(std::u16string_view dll_name) {
  Registry().Unregister(dll_name);
}

int InProcessModuleReferences(std::u16string_view dll_name) {
  return Registry().References(dll_name);
}

ModuleHandle LoadSystemModule(std::u16string_view dll_name) {
  return Registry().Load(dll_name);
}

void FreeSystemModule(ModuleHandle module) {
  if (module != 0) {
    Registry().Free(module);
  }
}

ExportAddress FindExport(ModuleHandle module, const char* export_name) {
  return Registry().Find(module, export_name);
}

ModuleHandle AddModuleReference(ModuleHandle module) {
  return module == 0 ? 0 : Registry().AddReference(module);
}

}  // namespace dactyra::platform
