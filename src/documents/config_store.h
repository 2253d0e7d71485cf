#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/text_source.h"
#include "documents/config_place.h"
#include "toml/value.h"

namespace dactyra {

// CFG.TOML as a command finds it.
struct TConfigDocument {
  enum class TState { kMissing, kLoaded, kUnreadable };
  TState State = TState::kMissing;
  // A new empty document when the file is missing, the file's document when it loaded, none
  // when it exists but cannot be read or parsed (and so must never be written over).
  std::unique_ptr<toml::TTOMLTable> Document;
  // Why it cannot be read: the file cannot be opened, or where its text does not parse.
  std::u16string Reason;
};

// Loads the configuration file, without comments.
TConfigDocument LoadConfig(std::u16string_view path);

// Where the main window keeps CFG.TOML, and the one way it is read and written: a file that
// exists but cannot be read is never replaced, every write has the same form (UTF-8 with a
// byte-order mark, CR LF, sorted keys, no comments), and each outcome has its line in the log.
class TConfigStore {
 public:
  using TLog = std::function<void(std::u16string_view line)>;
  using TChange = std::function<std::u16string(toml::TTOMLTable& document)>;

  TConfigStore() = default;
  // Texts come from `texts` (section "log"), which must outlive the store; lines go to `log`.
  TConfigStore(TConfigPlace place, const TextSource& texts, TLog log);

  const TConfigPlace& Place() const { return FPlace; }
  // The texts it was given.
  const TextSource& Texts() const { return *FTexts; }

  // Loads the file, lets `change` edit the document and writes it back (making the user's folder
  // for it first when the file is not beside the program). Several accounts may share the file,
  // so the lock file beside it (CFG.TOML.lock) is held from before the load until after the
  // write: another copy of the program that changes the file meanwhile waits (about two seconds
  // at most) rather than drop this change or have its own dropped. When the lock cannot be had,
  // `change` still reads the document, but nothing is written and the log says that the change
  // was not saved. `change` returns why it could not make its change (logged, nothing written) or
  // an empty text. A file that cannot be read is left as it is. Success is logged ("The
  // configuration is saved.") only when `announce`. True when written.
  bool Change(const TChange& change, bool announce = false) const;

  // Logs a failure to save: "saved_error" followed by `reason`.
  void LogSaveError(std::u16string_view reason) const;

 private:
  // The file's document; while it is missing, the seed's, or a new empty one; none, with the
  // reason in the log, when the file exists but cannot be read.
  std::unique_ptr<toml::TTOMLTable> Load() const;
  // Writes the document over the file; a failure is logged with its reason.
  bool Save(const toml::TTOMLTable& document, bool announce) const;

  TConfigPlace FPlace;
  const TextSource* FTexts = nullptr;
  TLog FLog;
};

}  // namespace dactyra
