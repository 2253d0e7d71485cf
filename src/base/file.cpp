#include "base/file.h"

namespace dactyra {

FileReadResult ReadWholeFile(std::u16string_view path) {
  FileReadResult result;
  FileReader file(path);
  if (!file.IsOpen()) {
    result.status = FileReadResult::Status::kCannotOpen;
    result.reason = file.Reason();
    return result;
  }
  result.bytes.reserve(static_cast<std::size_t>(file.Size()));
  char buffer[65536];
  for (;;) {
    const std::optional<std::size_t> got = file.Read(buffer);
    if (!got) {
      result.status = FileReadResult::Status::kCannotRead;
      result.reason = file.Reason();
      result.bytes.clear();
      return result;
    }
    if (*got == 0) {
      return result;
    }
    result.bytes.append(buffer, *got);
  }
}

}  // namespace dactyra
