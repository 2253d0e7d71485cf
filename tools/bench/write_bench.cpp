#include "write_bench.h"

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "base/utf.h"
#include "bench_document.h"
#include "toml/document_io.h"

namespace dactyra::bench {
namespace {

double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Best processor time of five runs.
double BestOfFive(const std::function<void()>& run) {
  double best = 1e30;
  for (int i = 0; i < 5; ++i) {
    const double start = CpuSeconds();
    run();
    best = std::min(best, CpuSeconds() - start);
  }
  return best;
}

void PrintRow(const char* form, int scale, const char* mode, std::size_t bytes, double seconds) {
  const double megabytes = static_cast<double>(bytes) / 1e6;
  std::printf("%-10s %-5s %9.2f %-16s %10.1f\n", form, scale == 1 ? "1x" : "2x", megabytes, mode,
              megabytes / seconds);
}

}  // namespace

void PrintWriteMeasurements(const std::filesystem::path& folder, int records) {
  std::printf("\n%-10s %-5s %9s %-16s %10s\n", "document", "size", "MB out", "writer", "MB/s");
  for (int form = 0; form < 2; ++form) {
    const char* form_name = form == 1 ? "full" : "common";
    for (int scale = 1; scale <= 2; ++scale) {
      const std::u16string text = *Utf8ToUtf16(MakeBenchDocument(records * scale, form == 1));
      const auto plain = toml::ParseString(text, false);
      const auto commented = toml::ParseString(text, true);
      if (!plain || !commented) {
        std::printf("%-10s %-5s the document does not parse\n", form_name,
                    scale == 1 ? "1x" : "2x");
        continue;
      }
      std::size_t length = 0;
      double seconds = BestOfFive(
          [&] { length = Utf16ToUtf8Lossy(toml::SerializeToString(*plain, 0, false)).size(); });
      PrintRow(form_name, scale, "string", length, seconds);

      seconds = BestOfFive(
          [&] { length = Utf16ToUtf8Lossy(toml::SerializeToString(*commented, 80, true)).size(); });
      PrintRow(form_name, scale, "string+comments", length, seconds);

      const std::u16string file = (folder / "dactyra-bench-write.toml").u16string();
      bool written = true;
      seconds =
          BestOfFive([&] { written = toml::SerializeToFile(*plain, file, true, 0, false).ok; });
      std::error_code ignored;
      length = static_cast<std::size_t>(std::filesystem::file_size(file, ignored));
      std::filesystem::remove(file, ignored);
      if (written) {
        PrintRow(form_name, scale, "file", length, seconds);
      }
    }
  }
}

}  // namespace dactyra::bench
