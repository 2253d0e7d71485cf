#pragma once

#include "base/text_source.h"

namespace dactyra {

// The texts an identify dialog shows by itself; each dialog passes its own.
struct TIdentifyTexts {
  TranslatableText Waiting;     // the status line while it waits for a touch
  TranslatableText BadCapture;  // the status line after a poor capture (the hint follows below)
  TranslatableText Retry;       // the button that waits for the next touch
};

}  // namespace dactyra
