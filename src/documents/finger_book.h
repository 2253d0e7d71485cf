#pragma once

// The user's fingers in CFG.TOML: the one reader and writer of its "finger" entries and of the
// sensors' names in its "units" table.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "biometric/winbio_types.h"
#include "documents/config_store.h"

namespace dactyra {

// A sensor that a listing enumerated, with the name the list shows for it.
struct TSensorName {
  std::int64_t UnitId = 0;
  std::u16string Name;
};

// What CFG.TOML keeps of one listed finger.
struct TStoredFinger {
  std::u16string Description;
  std::optional<TRecognition> Recognition;
};

// The descriptions of the user's fingers, kept in CFG.TOML through its store. Several accounts
// may share the file: every call names the signed-in user by his SID text (`owner`, empty while
// unknown) and changes only his entries and those without owner, never another user's.
class TFingerBook {
 public:
  TFingerBook() = default;
  explicit TFingerBook(TConfigStore store);

  const TConfigPlace& Place() const { return FStore.Place(); }

  // A listing starts: until it completes, the rows do not show the stored fingers, and WriteList
  // writes nothing.
  void ForgetListing();
  // A listing completed: stores the name of every sensor it enumerated (`sensors`) in the
  // "units" table, and gives each of its records (in their order) what is stored for it: the
  // description, empty when there is none (the row keeps the finger's name), and the result of
  // its last test. `listed_units` are the sensors whose enrollments it read: WriteList keeps the
  // entries of the others. A file that cannot be read gives nothing stored and stays as it is.
  std::vector<TStoredFinger> ReadListing(const std::vector<TSensorName>& sensors,
                                         const std::set<std::int64_t>& listed_units,
                                         const std::vector<TFingerRecord>& records,
                                         std::u16string_view owner);

  // After an enrollment: the new finger's entry (with the result of its check), after the others.
  void Add(const TFingerRecord& record, std::u16string_view owner) const;
  // After a deletion: the first entry of the finger goes; without one the file stays as it was.
  void Remove(const TFingerRecord& record, std::u16string_view owner) const;

  // After a rename, a test, and at close: the file written from the list's `records` (in list
  // order, with their descriptions as the list shows them and their results) and the names of their
  // sensors. Of the entries before, only those of another user and those of sensors the last
  // listing did not list stay, after the list's; nothing else of the file stays. Nothing is written
  // unless a listing completed since the last one started. The log says that the file is saved.
  void WriteList(const std::vector<TFingerRecord>& records, std::u16string_view owner) const;

 private:
  TConfigStore FStore;
  // The unit ids whose enrollments the last listing read; none until it completed.
  std::optional<std::set<std::int64_t>> FListedUnits;
};

}  // namespace dactyra
