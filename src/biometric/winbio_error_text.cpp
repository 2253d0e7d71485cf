// The line for a result code, from the rows of the codes the program knows.

#include <cstdint>
#include <string>

#include "base/format.h"
#include "base/hex.h"
#include "biometric/service_texts.h"
#include "biometric/winbio_texts.h"

namespace dactyra {

std::u16string WinBioErrorText(HRESULT code, const TextSource& texts) {
  const std::u16string digits = Hex8(static_cast<std::uint32_t>(code));
  for (const TErrorCodeRow& row : kErrorCodeRows) {
    if (row.code == code) {
      // The message, translated or not, is an argument: it is never used as a format.
      return Format(u"[%s] %s (0x%s)", row.name, texts.Get(row.message), digits);
    }
  }
  return Format(texts.Get(kUnknownErrorLine), digits);
}

}  // namespace dactyra
