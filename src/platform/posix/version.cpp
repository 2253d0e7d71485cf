#include "platform/platform.h"

namespace dactyra::platform {

// Native builds carry no version resource: every file answers with the program's own.
std::u16string FileVersionField(std::u16string_view, std::u16string_view key) {
  if (key == u"FileVersion" || key == u"ProductVersion") {
    return u"1.0.0.0";
  }
  if (key == u"FileDescription") {
    return u"Dactyra";
  }
  return {};
}

}  // namespace dactyra::platform
