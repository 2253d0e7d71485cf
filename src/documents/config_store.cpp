#include "documents/config_store.h"

#include <chrono>
#include <utility>

#include "base/file.h"
#include "base/format.h"
#include "documents/config_texts.h"
#include "toml/document_io.h"

namespace dactyra {
namespace {

// How long a change waits for another copy of the program to finish its own.
constexpr std::chrono::milliseconds kLockWait{2000};
constexpr std::u16string_view kLockSuffix = u".lock";

}  // namespace

TConfigDocument LoadConfig(std::u16string_view path) {
  TConfigDocument config;
  // Anything at the path counts, so that a folder or a file without access is never replaced.
  if (!PathExists(path)) {
    config.Document = toml::NewTable();
    return config;
  }
  config.Document = toml::LoadFromFile(path, false, &config.Reason);
  config.State =
      config.Document ? TConfigDocument::TState::kLoaded : TConfigDocument::TState::kUnreadable;
  return config;
}

TConfigStore::TConfigStore(TConfigPlace place, const TextSource& texts, TLog log)
    : FPlace(std::move(place)), FTexts(&texts), FLog(std::move(log)) {}

std::unique_ptr<toml::TTOMLTable> TConfigStore::Load() const {
  TConfigDocument config = LoadConfig(FPlace.Path);
  if (config.State == TConfigDocument::TState::kMissing && !FPlace.Seed.empty()) {
    if (TConfigDocument seed = LoadConfig(FPlace.Seed);
        seed.State == TConfigDocument::TState::kLoaded) {
      return std::move(seed.Document);
    }
  }
  if (config.State == TConfigDocument::TState::kUnreadable) {
    // A translation may place the reason (%s); otherwise it follows on a line of its own.
    const std::u16string text = FTexts->Get(kConfigUnreadable);
    if (text.find(u'%') != std::u16string::npos) {
      FLog(Format(text, config.Reason));
    } else {
      FLog(text);
      FLog(u"  " + config.Reason);
    }
  }
  return std::move(config.Document);
}

bool TConfigStore::Save(const toml::TTOMLTable& document, bool announce) const {
  if (const FileWriteResult written = toml::SerializeToFile(document, FPlace.Path, true, 0, false);
      !written) {
    LogSaveError(written.reason);
    return false;
  }
  if (announce) {
    FLog(FTexts->Get(kConfigSaved));
  }
  return true;
}

bool TConfigStore::Change(const TChange& change, bool announce) const {
  const std::u16string& path = FPlace.Path;
  if (!FPlace.BesideProgram) {
    // The user's own folder for the program is made on the first save.
    CreateFolder(path.substr(0, path.find_last_of(u"\\/") + 1));  // a failure shows below
  }
  const FileLock lock(path + std::u16string(kLockSuffix), kLockWait);
  const std::unique_ptr<toml::TTOMLTable> document = Load();
  if (document == nullptr) {
    return false;
  }
  if (const std::u16string failure = change(*document); !failure.empty()) {
    LogSaveError(failure);
    return false;
  }
  if (lock.status() == FileLock::Status::kInUse) {
    FLog(FTexts->Get(kConfigLocked));
    return false;
  }
  if (lock.status() == FileLock::Status::kCannotOpen) {
    LogSaveError(lock.Reason());
    return false;
  }
  return Save(*document, announce);
}

void TConfigStore::LogSaveError(std::u16string_view reason) const {
  FLog(FTexts->Get(kConfigSaveFailed) + std::u16string(reason));
}

}  // namespace dactyra
