// The text shown to the user for an error that reached a handler.

#include <gtest/gtest.h>

#include <stdexcept>

#include "base/error.h"

namespace dactyra {
namespace {

TEST(ErrorText, OwnMessagesStayAndOthersAreReadAsUtf8) {
  EXPECT_EQ(ErrorText(Error(u"Der Schl\u00FCssel fehlt.")), u"Der Schl\u00FCssel fehlt.");
  EXPECT_EQ(ErrorText(FormatError(u"%d does not fit")), u"%d does not fit");
  EXPECT_EQ(ErrorText(std::runtime_error("caf\xC3\xA9 closed")), u"caf\u00E9 closed");
  EXPECT_EQ(ErrorText(std::runtime_error("\xFF\xFE")), u"Unexpected error.");
}

}  // namespace
}  // namespace dactyra
