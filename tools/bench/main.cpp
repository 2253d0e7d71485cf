// toml-bench: writes a generated TOML document of two sizes to files and measures how fast they
// load into a document, and the peak memory of doing so; then how fast documents are written. Each
// measurement runs in a fresh child process so that peak memory is its own; times are processor
// time, best of five runs. Loading is timed from the file name to the document in memory
// (releasing the document is not timed, for either reader).
//
//   toml-bench [records]                      all measurements (default 5000 records = 1x)
//   toml-bench --load <reader> <file> <runs>  one measurement: prints "seconds peak-kB records"
//   toml-bench --write <file> <records> <full 0|1>  only writes a document (for profiling)
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/strings.h"
#include "bench_document.h"
#include "toml/document_io.h"
#include "write_bench.h"

#ifdef DACTYRA_BENCH_CPPTOML
#include <cpptoml.h>
#endif

namespace {

// Processor time of this process: the machine may be shared, and waiting for a turn on it is
// not the reader's cost.
double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// A loaded document of either reader, kept alive until the clock has stopped: releasing it is
// not part of loading, for either reader.
struct Loaded {
  std::shared_ptr<void> document;
  std::size_t records = 0;
};

// Loads the file once through the program's own file entry point.
Loaded LoadOurs(const std::string& path) {
  std::shared_ptr<dactyra::toml::TTOMLTable> root =
      dactyra::toml::ParseFile(dactyra::AsciiToUtf16(path), false);
  if (!root) {
    throw std::runtime_error("the document does not parse");
  }
  dactyra::toml::TTOMLValue* records = nullptr;
  const std::size_t count = root->TryGetValue(u"record", records)
                                ? static_cast<std::size_t>(records->AsArray()->Count())
                                : 0;
  return {std::move(root), count};
}

#ifdef DACTYRA_BENCH_CPPTOML
Loaded LoadCpptoml(const std::string& path) {
  std::shared_ptr<cpptoml::table> root = cpptoml::parse_file(path);
  const auto records = root->get_table_array("record");
  const std::size_t count = records ? records->get().size() : 0;
  return {std::move(root), count};
}
#endif

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

int RunOneMeasurement(const std::string& reader, const std::string& path, int runs) {
  double best = 1e30;
  std::size_t records = 0;
  for (int i = 0; i < runs; ++i) {
    const double start = CpuSeconds();
#ifdef DACTYRA_BENCH_CPPTOML
    Loaded loaded = reader == "cpptoml" ? LoadCpptoml(path) : LoadOurs(path);
#else
    Loaded loaded = LoadOurs(path);
#endif
    best = std::min(best, CpuSeconds() - start);
    records = loaded.records;
  }
  std::printf("%.6f %ld %zu\n", best, PeakKilobytes(), records);
  return 0;
}

struct Measurement {
  double seconds = 0;
  double peakMegabytes = 0;
  std::size_t records = 0;
};

std::optional<Measurement> Measure(const std::string& self, const std::string& reader,
                                   const std::string& path) {
  const std::string command = "'" + self + "' --load " + reader + " '" + path + "' 5";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return std::nullopt;
  }
  Measurement m;
  long peak = 0;
  const int fields = std::fscanf(pipe, "%lf %ld %zu", &m.seconds, &peak, &m.records);
  const int status = pclose(pipe);
  if (fields != 3 || status != 0) {
    return std::nullopt;
  }
  m.peakMegabytes = static_cast<double>(peak) / 1024.0;
  return m;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 4 && args[0] == "--load") {
    try {
      return RunOneMeasurement(args[1], args[2], std::atoi(args[3].c_str()));
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s: %s\n", args[1].c_str(), e.what());
      return 1;
    }
  }
  if (args.size() == 4 && args[0] == "--write") {
    std::ofstream(args[1], std::ios::binary)
        << dactyra::bench::MakeBenchDocument(std::atoi(args[2].c_str()), args[3] == "1");
    return 0;
  }
  const int records = args.empty() ? 5000 : std::max(1, std::atoi(args[0].c_str()));
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::filesystem::path folder = std::filesystem::temp_directory_path();

  std::vector<std::string> readers = {"dactyra"};
#ifdef DACTYRA_BENCH_CPPTOML
  readers.push_back("cpptoml");
#endif

  std::printf("%-10s %-5s %9s %9s %10s %9s %9s\n", "document", "size", "MB", "reader", "MB/s",
              "peak MB", "records");
  // results[form][size][reader]
  Measurement results[2][2][2] = {};
  for (int form = 0; form < 2; ++form) {
    for (int scale = 1; scale <= 2; ++scale) {
      const std::string document = dactyra::bench::MakeBenchDocument(records * scale, form == 1);
      const std::filesystem::path path = folder / ("dactyra-bench-" + std::to_string(form) + "-" +
                                                   std::to_string(scale) + ".toml");
      std::ofstream(path, std::ios::binary) << document;
      const double megabytes = static_cast<double>(document.size()) / 1e6;
      for (std::size_t r = 0; r < readers.size(); ++r) {
        if (form == 1 && readers[r] != "dactyra") {
          continue;  // the full form is beyond what the other reader accepts
        }
        const std::optional<Measurement> m = Measure(self, readers[r], path.string());
        if (!m) {
          std::printf("%-10s %-5s %9.2f %9s %10s\n", form ? "full" : "common",
                      scale == 1 ? "1x" : "2x", megabytes, readers[r].c_str(), "failed");
          continue;
        }
        results[form][scale - 1][r] = *m;
        std::printf("%-10s %-5s %9.2f %9s %10.1f %9.1f %9zu\n", form ? "full" : "common",
                    scale == 1 ? "1x" : "2x", megabytes, readers[r].c_str(), megabytes / m->seconds,
                    m->peakMegabytes, m->records);
      }
      std::filesystem::remove(path);
    }
  }
  for (std::size_t r = 0; r < readers.size(); ++r) {
    const double one = results[0][0][r].seconds;
    const double two = results[0][1][r].seconds;
    if (one > 0 && two > 0) {
      std::printf("%s: time 2x/1x = %.2f\n", readers[r].c_str(), two / one);
    }
  }
  if (readers.size() == 2) {
    for (int scale = 0; scale < 2; ++scale) {
      const double ours = results[0][scale][0].seconds;
      const double theirs = results[0][scale][1].seconds;
      if (ours > 0 && theirs > 0) {
        std::printf("speed dactyra/cpptoml (%s): %.2f\n", scale == 0 ? "1x" : "2x", theirs / ours);
      }
    }
  }
  dactyra::bench::PrintWriteMeasurements(folder, records);
  return 0;
}
