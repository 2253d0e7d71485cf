#include <windows.h>

#include "base/wide.h"
#include "platform/platform.h"

namespace dactyra::platform {

std::u16string UserDefaultLocaleName() {
  constexpr int kCapacity = 86;  // the longest locale name and its terminator
  wchar_t buffer[kCapacity] = {};
  if (GetUserDefaultLocaleName(buffer, kCapacity) <= 0) {
    return u"en-US";
  }
  return FromWideBuffer(buffer, kCapacity);
}

std::u16string TimeSeparator() {
  constexpr int kCapacity = 16;
  wchar_t buffer[kCapacity] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STIME, buffer, kCapacity) <= 0) {
    return u":";
  }
  return FromWideBuffer(buffer, kCapacity);
}

}  // namespace dactyra::platform
