#include "platform/platform.h"

namespace dactyra::platform {

std::u16string UserDefaultLocaleName() {
  return u"en-US";
}

std::u16string TimeSeparator() {
  return u":";
}

}  // namespace dactyra::platform
