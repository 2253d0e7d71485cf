// Windows Hello in the headless backend (the responder that tests install) and the result's
// words for the log.

#include <gtest/gtest.h>

#include "base/error.h"
#include "ui/form.h"
#include "ui/headless/hello_responder.h"

namespace dactyra::ui {
namespace {

TEST(HeadlessHello, TheResponderAnswersVerificationAndAvailability) {
  Form owner({.caption = u"Owner"});
  EXPECT_THROW(VerifyWithWindowsHello(&owner, u"Prove it"), Error);

  const HelloResult no_pin = HelloFromVerificationResult(2);
  {
    const headless::ScopedHelloResponder responder(no_pin);
    EXPECT_EQ(VerifyWithWindowsHello(&owner, u"Prove it"), no_pin);
    EXPECT_EQ(WindowsHelloUnavailable(nullptr), no_pin) << "known before asking";
    ASSERT_EQ(responder.Calls().size(), 1u);
    EXPECT_EQ(responder.Calls()[0].owner_caption, u"Owner");
    EXPECT_EQ(responder.Calls()[0].message, u"Prove it");
  }
  const headless::ScopedHelloResponder cancelled(HelloFromVerificationResult(6));
  EXPECT_EQ(WindowsHelloUnavailable(nullptr), std::nullopt) << "only the prompt tells";
}

TEST(HelloText, AFailureNamesItsCallAndCode) {
  const BuiltInTexts texts;
  const std::u16string text = HelloResultText(HelloCallFailed(u"GetResults", 0x80070005), texts);
  EXPECT_NE(text.find(u"GetResults failed (0x80070005)"), std::u16string::npos);
  EXPECT_NE(HelloResultText(HelloFromVerificationResult(9), texts).find(u"9"),
            std::u16string::npos);
}

}  // namespace
}  // namespace dactyra::ui
