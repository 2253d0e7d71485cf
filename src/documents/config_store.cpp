#include "documents/config_store.h"

#include <utility>

#include "base/file.h"
#include "base/format.h"
#include "documents/config_texts.h"
#include "toml/document_io.h"

namespace dactyra {

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
    : place_(std::move(place)), texts_(&texts), log_(std::move(log)) {}

std::unique_ptr<toml::TTOMLTable> TConfigStore::Load() const {
  TConfigDocument config = LoadConfig(place_.Path);
  if (config.State == TConfigDocument::TState::kMissing && !place_.Seed.empty()) {
    if (TConfigDocument seed = LoadConfig(place_.Seed);
        seed.State == TConfigDocument::TState::kLoaded) {
      return std::move(seed.Document);
    }
  }
  if (config.State == TConfigDocument::TState::kUnreadable) {
    // A translation may place the reason (%s); otherwise it follows on a line of its own.
    const std::u16string text = texts_->Get(kConfigUnreadable);
    if (text.find(u'%') != std::u16string::npos) {
      log_(Format(text, config.Reason));
    } else {
      log_(text);
      log_(u"  " + config.Reason);
    }
  }
  return std::move(config.Document);
}

bool TConfigStore::Save(const toml::TTOMLTable& document, bool announce) const {
  const std::u16string& path = place_.Path;
  if (!place_.BesideProgram) {
    // The user's own folder for the program is made on the first save.
    CreateFolder(path.substr(0, path.find_last_of(u"\\/") + 1));  // a failure shows below
  }
  if (const FileWriteResult written = toml::SerializeToFile(document, path, true, 0, false);
      !written) {
    LogSaveError(written.reason);
    return false;
  }
  if (announce) {
    log_(texts_->Get(kConfigSaved));
  }
  return true;
}

void TConfigStore::Change(
    const std::function<std::u16string(toml::TTOMLTable& document)>& change) const {
  const std::unique_ptr<toml::TTOMLTable> document = Load();
  if (document == nullptr) {
    return;
  }
  if (const std::u16string failure = change(*document); !failure.empty()) {
    LogSaveError(failure);
    return;
  }
  Save(*document, false);
}

void TConfigStore::LogSaveError(std::u16string_view reason) const {
  log_(texts_->Get(kConfigSaveFailed) + std::u16string(reason));
}

}  // namespace dactyra
