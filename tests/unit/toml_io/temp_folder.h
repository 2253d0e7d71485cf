#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace dactyra::testing {

// A fresh folder for one test, removed with everything in it when the test ends.
class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("dactyra-test-" + std::to_string(random()) + "-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& path() const { return path_; }
  // The UTF-16 path of a file in the folder, as the library takes it.
  std::u16string File(const std::u16string& name) const { return (path_ / name).u16string(); }
  // How many entries the folder holds (to see that no temporary file was left behind).
  size_t EntryCount() const {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(path_)) {
      ++count;
    }
    return count;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace dactyra::testing
