// toml-bench: how fast generated TOML documents load into a document, the peak memory of doing
// so, and how fast the loaded document is written back to UTF-8 text; for the program's own
// reader and, when its header was found at build time, for cpptoml beside it.
//
// Each reader runs in a fresh child process so that the peak memory is its own. Times are
// processor time, best of five runs. Loading is timed from the file name to the document in
// memory (releasing the document is not timed, for either reader). The child's heap keeps the
// memory it was given between runs, so that the best run measures the reader rather than how
// fast the system hands out fresh pages (which on a virtual machine can cost more than the
// reading itself, and varies with how the previous run's memory happened to be released).
//
//   toml-bench                                one table of every measurement
//   toml-bench --measure <reader> <file>      one reader on one file: prints
//                                             "load-seconds peak-kB write-seconds written-bytes"
//   toml-bench --write <plain|lock> <file>    only writes a generated document (for profiling)
#include <malloc.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/strings.h"
#include "base/utf.h"
#include "bench_document.h"
#include "toml/document_io.h"

#ifdef DACTYRA_BENCH_CPPTOML
#include <cpptoml.h>

#include <sstream>
#endif

namespace {

constexpr int kRuns = 5;

// Processor time of this process: the machine may be shared, and waiting for a turn on it is
// not the reader's cost.
double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double BestTime(const std::function<void()>& run) {
  double best = 1e30;
  for (int i = 0; i < kRuns; ++i) {
    const double start = CpuSeconds();
    run();
    best = std::min(best, CpuSeconds() - start);
  }
  return best;
}

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// One reader: loads a file into its document and writes a document back to UTF-8 text.
struct Reader {
  std::function<std::shared_ptr<void>(const std::string& path)> load;
  std::function<std::size_t(const void* document)> write;
};

Reader OurReader() {
  using namespace dactyra;
  return {[](const std::string& path) -> std::shared_ptr<void> {
            std::shared_ptr<toml::TTOMLTable> root = toml::ParseFile(AsciiToUtf16(path), false);
            if (!root) {
              throw std::runtime_error("the document does not parse");
            }
            return root;
          },
          [](const void* document) {
            const auto& root = *static_cast<const toml::TTOMLTable*>(document);
            return Utf16ToUtf8Lossy(toml::SerializeToString(root, 0, false)).size();
          }};
}

#ifdef DACTYRA_BENCH_CPPTOML
Reader CpptomlReader() {
  return {
      [](const std::string& path) -> std::shared_ptr<void> { return cpptoml::parse_file(path); },
      [](const void* document) {
        std::ostringstream out;
        out << *static_cast<const cpptoml::table*>(document);
        return out.str().size();
      }};
}
#endif

std::optional<Reader> ReaderNamed(const std::string& name) {
  if (name == "dactyra") {
    return OurReader();
  }
#ifdef DACTYRA_BENCH_CPPTOML
  if (name == "cpptoml") {
    return CpptomlReader();
  }
#endif
  return std::nullopt;
}

int MeasureInThisProcess(const std::string& reader_name, const std::string& path) {
  mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
  const std::optional<Reader> reader = ReaderNamed(reader_name);
  if (!reader) {
    std::fprintf(stderr, "unknown reader %s\n", reader_name.c_str());
    return 1;
  }
  double load = 1e30;
  for (int i = 0; i < kRuns; ++i) {
    const double start = CpuSeconds();
    const std::shared_ptr<void> document = reader->load(path);
    load = std::min(load, CpuSeconds() - start);
  }
  const long peak = PeakKilobytes();
  const std::shared_ptr<void> document = reader->load(path);
  std::size_t written = 0;
  const double write = BestTime([&] { written = reader->write(document.get()); });
  std::printf("%.6f %ld %.6f %zu\n", load, peak, write, written);
  return 0;
}

struct Measurement {
  double load_seconds = 0;
  double peak_megabytes = 0;
  double write_seconds = 0;
  double written_megabytes = 0;
};

std::optional<Measurement> MeasureInChild(const std::string& self, const std::string& reader,
                                          const std::string& path) {
  const std::string command = "'" + self + "' --measure " + reader + " '" + path + "'";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return std::nullopt;
  }
  Measurement m;
  long peak = 0;
  std::size_t written = 0;
  const int fields =
      std::fscanf(pipe, "%lf %ld %lf %zu", &m.load_seconds, &peak, &m.write_seconds, &written);
  const int status = pclose(pipe);
  if (fields != 4 || status != 0) {
    return std::nullopt;
  }
  m.peak_megabytes = static_cast<double>(peak) / 1024.0;
  m.written_megabytes = static_cast<double>(written) / 1e6;
  return m;
}

struct Document {
  const char* name;
  std::string text;
};

std::vector<Document> GeneratedDocuments() {
  return {{"plain", dactyra::bench::MakeBenchDocument(5000, false)},
          {"lock", dactyra::bench::MakeLockDocument(20000)}};
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

std::string OwnPath() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  path.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return path;
}

int PrintTable() {
  std::vector<std::string> readers = {"dactyra"};
#ifdef DACTYRA_BENCH_CPPTOML
  readers.push_back("cpptoml");
#endif
  const std::string self = OwnPath();
  const char* temp = std::getenv("TMPDIR");
  const std::string folder = temp != nullptr && *temp != '\0' ? temp : "/tmp";

  std::printf("%-6s %6s  %-8s %8s %9s %8s %10s %9s %9s\n", "doc", "MB", "reader", "load ms",
              "load MB/s", "peak MB", "write MB/s", "time/ours", "peak/ours");
  int failures = 0;
  for (const Document& document : GeneratedDocuments()) {
    const std::string path =
        folder + "/toml-bench-" + std::to_string(getpid()) + "-" + document.name + ".toml";
    if (!WriteFile(path, document.text)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
    const double megabytes = static_cast<double>(document.text.size()) / 1e6;
    std::optional<Measurement> ours;
    for (const std::string& reader : readers) {
      const std::optional<Measurement> m = MeasureInChild(self, reader, path);
      if (!m) {
        std::printf("%-6s %6.2f  %-8s failed\n", document.name, megabytes, reader.c_str());
        ++failures;
        continue;
      }
      if (reader == "dactyra") {
        ours = m;
      }
      std::printf("%-6s %6.2f  %-8s %8.1f %9.1f %8.1f %10.1f", document.name, megabytes,
                  reader.c_str(), m->load_seconds * 1e3, megabytes / m->load_seconds,
                  m->peak_megabytes, m->written_megabytes / m->write_seconds);
      if (ours && reader != "dactyra") {
        std::printf(" %9.2f %9.2f", m->load_seconds / ours->load_seconds,
                    m->peak_megabytes / ours->peak_megabytes);
      }
      std::printf("\n");
    }
    std::remove(path.c_str());
  }
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 3 && args[0] == "--measure") {
    try {
      return MeasureInThisProcess(args[1], args[2]);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s: %s\n", args[1].c_str(), e.what());
      return 1;
    }
  }
  if (args.size() == 3 && args[0] == "--write") {
    for (const Document& document : GeneratedDocuments()) {
      if (args[1] == document.name) {
        return WriteFile(args[2], document.text) ? 0 : 1;
      }
    }
    std::fprintf(stderr, "no document called %s\n", args[1].c_str());
    return 1;
  }
  if (!args.empty()) {
    std::fprintf(stderr,
                 "usage: toml-bench | --measure <dactyra|cpptoml> <file> | --write <plain|lock> "
                 "<file>\n");
    return 2;
  }
  return PrintTable();
}
