#include "base/error.h"

#include "base/utf.h"

namespace dactyra {

Error::Error(std::u16string message)
    : message_(std::move(message)), utf8_(Utf16ToUtf8Lossy(message_)) {}

std::u16string ErrorText(const std::exception& error) {
  if (const auto* own = dynamic_cast<const Error*>(&error)) {
    return own->Message();
  }
  return Utf8ToUtf16(error.what()).value_or(u"Unexpected error.");
}

}  // namespace dactyra
