#include "verify/recognition_tally.h"

namespace dactyra {

void TRecognitionTally::Count(TTouchResult result) {
  ++FTouches;
  if (result == TTouchResult::kRecognised) {
    ++FRecognised;
  }
}

bool TRecognitionTally::AdviceDue() const {
  return FTouches >= kTouchesBeforeAdvice &&
         std::int64_t{FRecognised} * 5 < std::int64_t{FTouches} * 4;
}

}  // namespace dactyra
