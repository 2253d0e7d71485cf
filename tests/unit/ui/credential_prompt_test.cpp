// The credential prompt in the headless backend.

#include <gtest/gtest.h>

#include "ui/form.h"
#include "ui/headless/password_responder.h"

namespace dactyra::ui {
namespace {

TEST(HeadlessCredentialPrompt, NoPromptOnceTheOwnersWaitsHaveEnded) {
  Form owner({.caption = u"Owner"});
  const headless::ScopedPasswordResponder responder(PromptOutcome::kEntered, {1, 2});
  EXPECT_EQ(PromptForCredential(&owner, u"Caption", u"Message", 9).outcome,
            PromptOutcome::kEntered);
  owner.EndWaits();
  EXPECT_EQ(PromptForCredential(&owner, u"Caption", u"Message", 9).outcome,
            PromptOutcome::kCancelled);
  EXPECT_EQ(responder.Calls().size(), 1u) << "the second prompt is never shown";
}

}  // namespace
}  // namespace dactyra::ui
