#include "base/error.h"

#include "base/utf.h"

namespace dactyra {

Error::Error(std::u16string message)
    : message_(std::move(message)), utf8_(Utf16ToUtf8Lossy(message_)) {}

}  // namespace dactyra
