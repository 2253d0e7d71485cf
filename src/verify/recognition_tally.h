#pragma once

#include <cstdint>

namespace dactyra {

// What one touch tells about the finger under test.
enum class TTouchResult {
  kRecognised,     // read as that finger on its sensor
  kNotRecognised,  // read as any other finger, as nobody's, or too poorly to be read
};

// The touches of one verification session: how many there were, how many of them were read as
// the finger under test, and whether that is few enough to advise the user.
class TRecognitionTally {
 public:
  // The advice waits for this many touches.
  static constexpr std::int32_t kTouchesBeforeAdvice = 5;

  void Count(TTouchResult result);

  std::int32_t Recognised() const { return FRecognised; }
  std::int32_t Touches() const { return FTouches; }
  // At least kTouchesBeforeAdvice touches, and fewer than four in five of them recognised.
  bool AdviceDue() const;

 private:
  std::int32_t FRecognised = 0;
  std::int32_t FTouches = 0;
};

}  // namespace dactyra
