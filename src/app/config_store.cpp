#include "app/config_store.h"

#include <utility>

#include "base/file.h"
#include "toml/document_io.h"

namespace dactyra {

TConfigDocument LoadConfig(std::u16string_view path) {
  TConfigDocument config;
  // Anything at the path counts, so that a folder or a file without access is never replaced.
  if (!PathExists(path)) {
    config.Document = toml::NewTable();
    return config;
  }
  config.Document = toml::LoadFromFile(path, false);
  config.State =
      config.Document ? TConfigDocument::TState::kLoaded : TConfigDocument::TState::kUnreadable;
  return config;
}

TConfigStore::TConfigStore(std::u16string path, const TextSource& texts, TLog log)
    : path_(std::move(path)), texts_(&texts), log_(std::move(log)) {}

std::unique_ptr<toml::TTOMLTable> TConfigStore::Load() const {
  TConfigDocument config = LoadConfig(path_);
  if (config.State == TConfigDocument::TState::kUnreadable) {
    log_(texts_->GetLangStr(u"log", u"cfg_unreadable",
                            u"The configuration file could not be read and was left unchanged."));
  }
  return std::move(config.Document);
}

bool TConfigStore::Save(const toml::TTOMLTable& document, bool announce) const {
  if (const FileWriteResult written = toml::SerializeToFile(document, path_, true, 0, false);
      !written) {
    LogSaveError(written.reason);
    return false;
  }
  if (announce) {
    log_(texts_->GetLangStr(u"log", u"saved", u"The configuration is saved."));
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
  log_(texts_->GetLangStr(u"log", u"saved_error", u"Error occurred when saving configuration: ") +
       std::u16string(reason));
}

}  // namespace dactyra
