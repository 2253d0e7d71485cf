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

// A finger of the user that CFG.TOML describes on a sensor whose enrollments the listing read,
// but that the service no longer lists there: its template was lost or deleted elsewhere.
struct TRememberedFinger {
  std::uint32_t UnitId = 0;
  WINBIO_BIOMETRIC_SUBTYPE SubFactor = 0;
  std::u16string Description;  // as stored: empty when the user gave none
  // The result of its last test, kept for when its template is back.
  std::optional<TRecognition> Recognition;
};

// What CFG.TOML holds for a listing.
struct TStoredFingers {
  // For each record of the listing, in its order.
  std::vector<TStoredFinger> Listed;
  // The user's other fingers on the sensors it read, in the file's order, each once.
  std::vector<TRememberedFinger> Remembered;
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
  // its last test. `listed_units` are the sensors whose enrollments it read: the user's entries
  // there that no record matches are his remembered fingers (only those whose finger id is
  // written as the program writes it; the first entry of a finger counts), and WriteList keeps
  // the entries of the other sensors. A file that cannot be read gives nothing stored and stays
  // as it is.
  TStoredFingers ReadListing(const std::vector<TSensorName>& sensors,
                             const std::set<std::int64_t>& listed_units,
                             const std::vector<TFingerRecord>& records, std::u16string_view owner);

  // After an enrollment: the new finger's entry (with the result of its check), after the others.
  void Add(const TFingerRecord& record, std::u16string_view owner) const;
  // After a finger was enrolled anew in place of `before` (its template replaced, or a
  // remembered finger added again, perhaps into another slot): the first entry of `before`
  // becomes `after`'s (with the result of its check) in its place in the file, and loses
  // whatever else it held. Without such an entry, `after`'s is added after the others.
  void Replace(const TFingerRecord& before, const TFingerRecord& after,
               std::u16string_view owner) const;
  // After a deletion, or when the user forgets a remembered finger: the first entry of the finger
  // goes; without one the file stays as it was.
  void Remove(const TFingerRecord& record, std::u16string_view owner) const;

  // After a rename, a test, and at close: the file written from the list's `records` (with their
  // descriptions as the list shows them and their results) and the names of their sensors. They
  // are written in list order, except that the records that have an entry keep the order of
  // their entries: a finger keeps its place in the file when its template is replaced (the
  // service then lists it last) and while it is remembered (listed after the enrolled ones). Of
  // the entries before, only those the last listing could not tell about stay, after the list's:
  // another user's, those of sensors it did not list, and those whose finger id the program does
  // not write so; nothing else of the file stays. Nothing is written unless a listing completed
  // since the last one started. The log says that the file is saved.
  void WriteList(const std::vector<TFingerRecord>& records, std::u16string_view owner) const;

 private:
  TConfigStore FStore;
  // The unit ids whose enrollments the last listing read; none until it completed.
  std::optional<std::set<std::int64_t>> FListedUnits;
};

}  // namespace dactyra
