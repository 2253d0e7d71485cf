#include <mutex>
#include <utility>

#include "platform/open_uri.h"
#include "platform/posix/opened_uris.h"

namespace dactyra::platform {
namespace {

// What the stand-in was asked to open, as the system's shell would have seen it.
class OpenedUris {
 public:
  void Add(std::u16string_view uri) {
    const std::lock_guard lock(mutex_);
    uris_.emplace_back(uri);
  }
  std::vector<std::u16string> Take() {
    const std::lock_guard lock(mutex_);
    return std::exchange(uris_, {});
  }

 private:
  std::mutex mutex_;
  std::vector<std::u16string> uris_;
};

OpenedUris& Record() {
  static OpenedUris record;
  return record;
}

}  // namespace

bool OpenUri(std::u16string_view uri) {
  Record().Add(uri);
  return true;
}

std::vector<std::u16string> TakeOpenedUris() {
  return Record().Take();
}

}  // namespace dactyra::platform
