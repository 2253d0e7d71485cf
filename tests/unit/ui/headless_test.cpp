// The widget layer's state, layout and modal/posting machinery, on the headless backend.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "base/error.h"
#include "demo_forms.h"
#include "ui/headless/driver.h"
#include "ui/layout.h"

namespace dactyra::ui {
namespace {

using demo::TDemoDialog;
using demo::TDemoMain;
using headless::MessageBoxCall;
using headless::ScopedMessageBoxResponder;
using headless::ScopedModalDriver;

TEST(HeadlessLayout, MainWindowDocksStripsAroundTheList) {
  TDemoMain form;
  EXPECT_EQ(form.pnlTop.Bounds(), (Rect{0, 0, 880, 60}));
  EXPECT_EQ(form.pnlBottom.Bounds(), (Rect{0, 355, 880, 265}));
  EXPECT_EQ(form.Splitter1.Bounds(), (Rect{0, 350, 880, 5}));
  // The right column lies between the top and bottom strips, the list fills the rest.
  EXPECT_EQ(form.pnlRight.Bounds(), (Rect{692, 60, 188, 290}));
  EXPECT_EQ(form.ListView.Bounds(), (Rect{0, 60, 692, 290}));
  EXPECT_EQ(form.memoLog.Bounds(), (Rect{0, 0, 880, 265}));
  EXPECT_EQ(form.ButtonClose.Bounds(), (Rect{20, 240, 148, 36}));
  EXPECT_EQ(form.lblUser.Bounds().left, 16);
  EXPECT_GT(form.lblUser.Bounds().width, 0);

  form.SetClientSize(1000, 700);
  EXPECT_EQ(form.ListView.Bounds(), (Rect{0, 60, 812, 370}));
  EXPECT_EQ(form.pnlRight.Bounds(), (Rect{812, 60, 188, 370}));
}

TEST(HeadlessLayout, SplitterResizesTheStripBelowWithinLimits) {
  TDemoMain form;
  ASSERT_EQ(form.Splitter1.Target(), &form.pnlBottom);
  form.Splitter1.DragBy(-50);
  EXPECT_EQ(form.pnlBottom.Bounds().height, 315);
  EXPECT_EQ(form.ListView.Bounds().height, 240);
  form.Splitter1.DragBy(80);
  EXPECT_EQ(form.pnlBottom.Bounds().height, 235);
  // Neither side goes below the minimum.
  form.Splitter1.DragBy(-10000);
  EXPECT_EQ(form.ListView.Bounds().height, Splitter::kMinimumSize);
  form.Splitter1.DragBy(10000);
  EXPECT_EQ(form.pnlBottom.Bounds().height, Splitter::kMinimumSize);
}

TEST(HeadlessLayout, ScalingRoundsAndDocksInDevicePixels) {
  EXPECT_EQ(ScaleForDpi(880, 144), 1320);
  EXPECT_EQ(ScaleForDpi(5, 144), 8);  // 7.5 rounds up
  EXPECT_EQ(ScaleForDpi(13, 120), 16);
  EXPECT_EQ(UnscaleForDpi(1320, 144), 880);
  EXPECT_EQ(ScaleForDpi(-5, 144), -8);

  // The main window's strips at 144 DPI in a client area the user made one pixel wider.
  const auto at = [](int v) { return ScaleForDpi(v, 144); };
  const std::vector<LayoutItem> items{
      {Dock::kTop, {0, 0, 0, at(60)}},
      {Dock::kRight, {0, 0, at(188), 0}},
      {Dock::kBottom, {0, 0, 0, at(265)}},
      {Dock::kBottom, {0, 0, 0, at(5)}},
      {Dock::kClient, {}},
      {Dock::kNone, {at(20), at(240), at(148), at(36)}},
  };
  const auto placed = LayoutChildren(items, {1321, 930}, {});
  EXPECT_EQ(placed[0], (Rect{0, 0, 1321, 90}));
  EXPECT_EQ(placed[2], (Rect{0, 930 - 398, 1321, 398}));
  EXPECT_EQ(placed[3], (Rect{0, 930 - 398 - 8, 1321, 8}));
  EXPECT_EQ(placed[1], (Rect{1321 - 282, 90, 282, 930 - 90 - 398 - 8}));
  EXPECT_EQ(placed[4], (Rect{0, 90, 1321 - 282, 930 - 90 - 398 - 8}));
  EXPECT_EQ(placed[5], (Rect{30, 360, 222, 54}));
}

TEST(HeadlessLayout, TooSmallAreaAndPaddingNeverGiveNegativeSizes) {
  const std::vector<LayoutItem> items{
      {Dock::kTop, {0, 0, 0, 80}}, {Dock::kBottom, {0, 0, 0, 80}}, {Dock::kClient, {}}};
  const auto placed = LayoutChildren(items, {50, 100}, {16, 12, 16, 12});
  EXPECT_EQ(placed[0], (Rect{16, 12, 18, 76}));
  EXPECT_EQ(placed[1], (Rect{16, 88, 18, 0}));
  EXPECT_EQ(placed[2], (Rect{16, 88, 18, 0}));
}

TEST(HeadlessControls, LabelsEditsAndIndicatorsKeepTheirState) {
  TDemoMain owner;
  TDemoDialog dialog(owner);
  // The edit's label sits to its left, ending three pixels before the box.
  const Rect label = dialog.lblTitle.LabelBounds();
  EXPECT_EQ(label.right(), 240 - LabeledEdit::kLabelSpacing);
  EXPECT_GT(label.width, 0);
  dialog.lblTitle.SetText(u"thumb");
  EXPECT_EQ(dialog.lblTitle.Text(), u"thumb");

  EXPECT_FALSE(dialog.lblStatus.GetColor().has_value());
  dialog.lblStatus.SetColor(Color(0xFF8000));
  EXPECT_EQ(dialog.lblStatus.GetColor(), Color(0xFF8000));
  EXPECT_EQ(dialog.lblStatus.GetColor()->green, 0x80);
  dialog.lblStatus.SetSystemColor();
  EXPECT_FALSE(dialog.lblStatus.GetColor().has_value());

  dialog.ProgressBar.SetPosition(150);
  EXPECT_EQ(dialog.ProgressBar.Position(), 100);
  dialog.ProgressBar.SetPosition(-3);
  EXPECT_EQ(dialog.ProgressBar.Position(), 0);

  dialog.shapeIcon.SetColors(Color(0xCC0000), Color(0x880000));
  EXPECT_EQ(dialog.shapeIcon.Fill(), Color(0xCC0000));
  EXPECT_EQ(dialog.shapeIcon.Outline(), Color(0x880000));
  EXPECT_EQ(dialog.shapeIcon.OutlineWidth(), 2);

  // An autosized label follows its text; a bold one is wider.
  const int width = owner.lblUser.Bounds().width;
  owner.lblUser.SetText(u"Current user: somebody");
  EXPECT_GT(owner.lblUser.Bounds().width, width);
  const int plain = owner.lblUser.Bounds().width;
  owner.lblUser.SetBold(true);
  EXPECT_GT(owner.lblUser.Bounds().width, plain);

  owner.memoLog.AppendLine(u"one");
  owner.memoLog.AppendLine(u"");
  EXPECT_EQ(owner.memoLog.Lines(), (std::vector<std::u16string>{u"one", u""}));
  owner.memoLog.Clear();
  EXPECT_TRUE(owner.memoLog.Lines().empty());
}

TEST(HeadlessControls, RadioButtonsOfOneParentFormAGroup) {
  TDemoMain form;
  Panel first(form, {0, 0, 100, 100});
  Panel second(form, {0, 0, 100, 100});
  RadioButton a(first, {}, u"a", {.checked = true, .tag = 10});
  RadioButton b(first, {}, u"b", {.tag = 20});
  RadioButton c(second, {}, u"c", {.checked = true});
  b.Click();
  EXPECT_FALSE(a.Checked());
  EXPECT_TRUE(b.Checked());
  EXPECT_TRUE(c.Checked());  // another group
  EXPECT_EQ(b.Tag(), 20);
  a.SetEnabled(false);
  a.Click();
  EXPECT_TRUE(b.Checked());
  EXPECT_GT(a.Height(), 0);
}

TEST(HeadlessListView, RowsRoundTripAndCarryTheirData) {
  TDemoMain form;
  ASSERT_EQ(form.ListView.Columns().size(), 5u);
  EXPECT_EQ(form.ListView.Columns()[1].title, u"Fingerprint Device");
  EXPECT_EQ(form.ListView.Columns()[1].width, 300);

  form.btnEnum.Click();
  ASSERT_EQ(form.ListView.RowCount(), 3);
  EXPECT_FALSE(form.ListView.RedrawSuspended());
  EXPECT_EQ(form.ListView.Cell(1, 0), u"2");
  EXPECT_EQ(form.ListView.Cell(1, 3), u"0xF6");
  EXPECT_EQ(form.ListView.RowData(2), 2u);
  form.ListView.SetCell(1, 4, u"left thumb");
  EXPECT_EQ(form.ListView.Cell(1, 4), u"left thumb");

  // Out of range reads give empty results; writes change nothing.
  EXPECT_EQ(form.ListView.Cell(3, 0), u"");
  EXPECT_EQ(form.ListView.Cell(-1, 0), u"");
  EXPECT_EQ(form.ListView.Cell(0, 9), u"");
  EXPECT_FALSE(form.ListView.RowData(7).has_value());
  form.ListView.SetCell(5, 1, u"x");
  EXPECT_EQ(form.ListView.RowCount(), 3);

  const int row = form.ListView.AddRow(u"4");
  EXPECT_EQ(row, 3);
  EXPECT_FALSE(form.ListView.RowData(row).has_value());
  EXPECT_EQ(form.ListView.Cell(row, 2), u"");
}

TEST(HeadlessListView, SelectionEventsDriveTheButtons) {
  TDemoMain form;
  form.btnEnum.Click();
  EXPECT_FALSE(form.btnVerify.Enabled());
  form.ListView.Select(0);
  form.ListView.Select(2);
  EXPECT_EQ(form.ListView.SelectedIndex(), 2);
  EXPECT_TRUE(form.btnVerify.Enabled());
  EXPECT_EQ(form.events, (std::vector<std::u16string>{u"select 0", u"deselect 0", u"select 2"}));
  form.ListView.Select(-1);
  EXPECT_FALSE(form.btnDelete.Enabled());

  form.events.clear();
  form.ListView.DoubleClickRow(1);
  EXPECT_EQ(form.events, (std::vector<std::u16string>{u"select 1", u"double-click"}));

  // Clearing drops the selection quietly; the form updates its buttons itself.
  form.events.clear();
  form.ListView.Clear();
  EXPECT_EQ(form.ListView.SelectedIndex(), -1);
  EXPECT_TRUE(form.events.empty());
  form.ListView.Select(0);  // no such row
  EXPECT_TRUE(form.events.empty());
}

// The focused control's handler sees a key first, then the form's, unless the control uses the
// key itself.
TEST(HeadlessKeys, TheFocusedControlThenTheFormHandleAKey) {
  TDemoMain form;
  TDemoDialog dialog(form);
  std::vector<std::u16string> seen;
  form.ListView.OnKeyDown = [&](Key key) {
    seen.push_back(u"list");
    return key == Key::kF2;
  };
  form.OnKeyDown = [&](Key key) {
    seen.push_back(u"form");
    return key == Key::kF5 || key == Key::kDelete;
  };
  dialog.OnKeyDown = [&](Key) {
    seen.push_back(u"dialog");
    return true;
  };
  struct Case {
    Control& focus;
    Key key;
    bool handled;
    std::vector<std::u16string> seen;
  };
  const Case cases[] = {
      {form.ListView, Key::kF2, true, {u"list"}},
      {form.ListView, Key::kF5, true, {u"list", u"form"}},
      {form.ListView, Key::kEnter, false, {u"list", u"form"}},
      {form.memoLog, Key::kF5, true, {u"form"}},
      {form.btnEnum, Key::kEnter, false, {}},      // a button presses itself
      {dialog.lblTitle, Key::kDelete, false, {}},  // an edit box deletes
      {dialog.lblTitle, Key::kF5, true, {u"dialog"}},
  };
  for (const Case& c : cases) {
    seen.clear();
    c.focus.SetFocus();
    EXPECT_EQ(headless::PressKey(c.focus.OwnerForm(), c.key), c.handled);
    EXPECT_EQ(seen, c.seen);
  }
}

TEST(HeadlessListView, ContextMenuIsAskedForByMouseAndKeyboard) {
  TDemoMain form;
  form.btnEnum.Click();
  std::vector<ContextMenuRequest> requests;
  form.ListView.OnContextMenu = [&](const ContextMenuRequest& request) {
    requests.push_back(request);
  };
  form.ListView.RightClick(2, {300, 200});
  EXPECT_EQ(form.ListView.SelectedIndex(), 2);  // a right click selects, as in every list
  form.ListView.ContextMenuKey();
  form.ListView.RightClick(-1, {5, 400});
  EXPECT_EQ(form.ListView.SelectedIndex(), -1);
  form.ListView.ContextMenuKey();
  ASSERT_EQ(requests.size(), 4u);
  EXPECT_EQ(requests[0].row, 2);
  EXPECT_EQ(requests[0].position, (Point{300, 200}));
  EXPECT_FALSE(requests[0].from_keyboard);
  EXPECT_EQ(requests[1].row, 2);
  EXPECT_TRUE(requests[1].from_keyboard);
  EXPECT_EQ(requests[2].row, -1);
  EXPECT_EQ(requests[3].row, -1);
  EXPECT_TRUE(requests[3].from_keyboard);
}

TEST(HeadlessPopupMenu, TheChoiceCountsOnlyForAnEnabledItem) {
  TDemoMain form;
  const PopupMenuRequest request{
      {{1, u"&Verify", true, true}, {2, u"Re&name", false}, {}, {3, u"&Read Fingerprints"}},
      {40, 50}};
  EXPECT_THROW(ShowPopupMenu(form, request), Error);
  std::uint32_t answer = 0;
  headless::ScopedPopupMenuResponder responder([&](const PopupMenuRequest&) { return answer; });
  for (const auto& [given, chosen] : {std::pair{1u, 1u}, {3u, 3u}, {2u, 0u}, {0u, 0u}, {9u, 0u}}) {
    answer = given;
    EXPECT_EQ(ShowPopupMenu(form, request), chosen) << given;
  }
  ASSERT_EQ(responder.Calls().size(), 5u);
  EXPECT_EQ(responder.Calls()[0].owner_caption, u"Dactyra V1.0.0.0");
  EXPECT_EQ(responder.Calls()[0].request.items.size(), 4u);
  EXPECT_EQ(responder.Calls()[0].request.position, (Point{40, 50}));
}

TEST(HeadlessListView, RedrawSuspensionsNest) {
  TDemoMain form;
  {
    const RedrawSuspension outer(form.ListView);
    {
      const RedrawSuspension inner(form.ListView);
      EXPECT_TRUE(form.ListView.RedrawSuspended());
    }
    EXPECT_TRUE(form.ListView.RedrawSuspended());
  }
  EXPECT_FALSE(form.ListView.RedrawSuspended());
}

TEST(HeadlessButtons, DisabledButtonsIgnoreClicksAndKeys) {
  TDemoMain owner;
  TDemoDialog dialog(owner);
  int clicks = 0;
  dialog.btnRetry.OnClick = [&] { ++clicks; };
  headless::PressEnter(dialog);  // the default button is disabled
  EXPECT_EQ(clicks, 0);
  dialog.btnRetry.SetEnabled(true);
  headless::PressEnter(dialog);
  EXPECT_EQ(clicks, 1);
  // Enter presses the focused button rather than the default one.
  dialog.btnClose.SetFocus();
  EXPECT_TRUE(dialog.btnClose.Focused());
  dialog.btnClose.OnClick = [&] { clicks += 10; };
  headless::PressEnter(dialog);
  EXPECT_EQ(clicks, 11);
  // Without a cancel button Esc does nothing.
  headless::PressEscape(owner);
}

TEST(HeadlessModal, DefaultCancelAndCloseBoxGiveTheirResults) {
  TDemoMain owner;
  {
    TDemoDialog dialog(owner);
    const ScopedModalDriver driver([](Form& form) {
      auto& shown = dynamic_cast<TDemoDialog&>(form);
      shown.btnRetry.SetEnabled(true);
      headless::PressEnter(shown);
    });
    EXPECT_EQ(dialog.ShowModal(), ModalResult::kOk);  // Retry's click handler sets OK
    EXPECT_EQ(dialog.shows, 1);
    EXPECT_FALSE(dialog.Showing());
  }
  {
    TDemoDialog dialog(owner);
    const ScopedModalDriver driver([](Form& form) { headless::PressEscape(form); });
    EXPECT_EQ(dialog.ShowModal(), ModalResult::kCancel);
  }
  {
    TDemoDialog dialog(owner);
    bool closed = false;
    dialog.OnClose = [&] { closed = true; };
    const ScopedModalDriver driver([](Form& form) { headless::PressCloseBox(form); });
    EXPECT_EQ(dialog.ShowModal(), ModalResult::kCancel);
    EXPECT_TRUE(closed);
    // A second showing starts afresh.
    EXPECT_EQ(dialog.ShowModal(), ModalResult::kCancel);
    EXPECT_EQ(dialog.shows, 2);
  }
}

TEST(HeadlessModal, RunTimeDialogReturnsTheCheckedTag) {
  TDemoMain owner;
  const std::vector<std::pair<std::u16string, int>> sensors{{u"Sensor A  (UnitID\uFF1A1)", 1},
                                                            {u"Sensor B  (UnitID\uFF1A7)", 7}};
  int heading_bottom = 0;
  {
    const ScopedModalDriver driver([&](Form& form) {
      const auto radios = headless::FindAll<RadioButton>(form);
      ASSERT_EQ(radios.size(), 3u);
      EXPECT_TRUE(radios[0]->Checked());
      heading_bottom = radios[0]->GetPlacement().top;
      radios[2]->Click();
      headless::PressEnter(form);
    });
    EXPECT_EQ(demo::SelectChoice(owner, sensors), 7);
  }
  EXPECT_GT(heading_bottom, 10 + 10);  // placed under the heading, by its natural height
  {
    const ScopedModalDriver driver(
        [](Form& form) { headless::FindByText<Button>(form, u"&OK")->Click(); });
    EXPECT_EQ(demo::SelectChoice(owner, sensors), 0);
  }
  {
    const ScopedModalDriver driver([](Form& form) { headless::PressEscape(form); });
    EXPECT_EQ(demo::SelectChoice(owner, sensors), -1);
  }
}

TEST(HeadlessModal, MissingDriverOrOpenFormIsAnError) {
  TDemoMain owner;
  TDemoDialog dialog(owner);
  EXPECT_THROW(dialog.ShowModal(), Error);
  const ScopedModalDriver driver([](Form&) {});
  EXPECT_THROW(dialog.ShowModal(), Error);
}

TEST(HeadlessPosting, WorkerMessagesReachTheHandlerInOrder) {
  TDemoMain owner;
  TDemoDialog dialog(owner);
  dialog.worker_steps = 50;
  const ScopedModalDriver driver([](Form& form) {
    auto& shown = dynamic_cast<TDemoDialog&>(form);
    ASSERT_TRUE(headless::PumpUntil(form, [&] { return shown.btnRetry.Enabled(); }));
    EXPECT_TRUE(shown.btnRetry.Focused());
    shown.btnRetry.Click();
  });
  EXPECT_EQ(dialog.ShowModal(), ModalResult::kOk);
  ASSERT_EQ(dialog.received.size(), 51u);
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(dialog.received[i], (i + 1) * 100 / 50);
  }
  EXPECT_EQ(dialog.ProgressBar.Position(), 100);
  EXPECT_EQ(dialog.lblResult.GetColor(), std::nullopt);  // Retry reset it
}

TEST(HeadlessPosting, ManyThreadsPostWithoutLosingMessages) {
  TDemoMain form;
  std::atomic<int> sum{0};
  int delivered = 0;
  form.SetMessageHandler(kUserMessage + 1, [&](std::uintptr_t, std::intptr_t value) {
    sum += static_cast<int>(value);
    ++delivered;
  });
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([target = form.Target()] {
      for (int i = 1; i <= 250; ++i) {
        EXPECT_TRUE(target.Post(kUserMessage + 1, 0, i));
      }
    });
  }
  EXPECT_TRUE(headless::PumpUntil(form, [&] { return delivered == 1000; }));
  for (auto& thread : threads) {
    thread.join();
  }
  EXPECT_EQ(sum, 4 * 250 * 251 / 2);
  // A number without a handler is ignored.
  EXPECT_TRUE(form.Target().Post(kUserMessage + 2, 0, 0));
  EXPECT_EQ(headless::DeliverPostedMessages(form), 1);
}

TEST(HeadlessPosting, PostToAFormThatIsGoneIsDropped) {
  MessageTarget target;
  EXPECT_FALSE(target.Post(kUserMessage, 0, 0));  // never bound
  {
    TDemoMain form;
    target = form.Target();
    EXPECT_TRUE(target.Post(kUserMessage, 0, 0));
  }
  std::thread late([&] { EXPECT_FALSE(target.Post(kUserMessage, 1, 2)); });
  late.join();
}

TEST(HeadlessPosting, APostedMessageCanEndTheModalLoop) {
  TDemoMain owner;
  TDemoDialog dialog(owner);
  dialog.SetMessageHandler(kUserMessage + 100, [&](std::uintptr_t event, std::intptr_t) {
    if (event == 9) {
      dialog.SetModalResult(ModalResult::kCancel);
    }
  });
  const ScopedModalDriver driver([](Form& form) {
    std::thread worker([target = form.Target()] { target.Post(kUserMessage + 100, 9, 0); });
    worker.join();
    EXPECT_TRUE(headless::PumpUntil(
        form, [&] { return form.GetModalResult() != ModalResult::kNone; },
        std::chrono::seconds(5)));
  });
  EXPECT_EQ(dialog.ShowModal(), ModalResult::kCancel);
  // Messages posted before the form is shown are delivered when it is.
  dialog.Target().Post(kUserMessage + 100, 9, 0);
  const ScopedModalDriver idle([](Form&) {});
  EXPECT_EQ(dialog.ShowModal(), ModalResult::kCancel);
}

TEST(HeadlessMessageBoxes, ResponderAnswersAndRecords) {
  TDemoMain form;
  form.btnEnum.Click();
  form.ListView.Select(0);
  ScopedMessageBoxResponder responder([](const MessageBoxRequest& request) {
    return request.buttons == MessageButtons::kYesNo ? ModalResult::kNo : ModalResult::kOk;
  });
  form.btnDelete.Click();
  ASSERT_EQ(responder.Calls().size(), 1u);
  const MessageBoxCall& call = responder.Calls()[0];
  EXPECT_EQ(call.owner_caption, u"Dactyra V1.0.0.0");
  EXPECT_EQ(call.request.caption, u"Query");
  EXPECT_EQ(call.request.text, u"Delete Fingerprint Sensor");
  EXPECT_EQ(call.request.icon, MessageIcon::kQuestion);
  EXPECT_EQ(call.request.default_button, 2);
  EXPECT_EQ(form.memoLog.Lines().back(), u"Canceled deletion.");

  EXPECT_TRUE(form.SysCommand(demo::kAboutCommand));
  ASSERT_EQ(responder.Calls().size(), 2u);
  EXPECT_EQ(responder.Calls()[1].request.icon, MessageIcon::kInformation);
  EXPECT_FALSE(form.SysCommand(0xF020));  // minimise: left to the window
  ASSERT_EQ(form.SystemMenuItems().size(), 1u);
  EXPECT_EQ(form.SystemMenuItems()[0].id, demo::kAboutCommand);
  EXPECT_TRUE(form.SystemMenuItems()[0].checked);
}

TEST(HeadlessMessageBoxes, AnErrorEscapingAHandlerBecomesAnErrorBox) {
  TDemoMain form;
  ScopedMessageBoxResponder responder([](const MessageBoxRequest&) { return ModalResult::kOk; });
  form.btnAdd.SetEnabled(true);
  form.btnAdd.OnClick = [] { throw Error(u"The text \"%d\" does not fit its arguments."); };
  form.btnAdd.Click();
  form.SetMessageHandler(kUserMessage + 5, [](std::uintptr_t, std::intptr_t) {
    throw std::runtime_error("worker message failed");
  });
  form.Target().Post(kUserMessage + 5, 0, 0);
  headless::DeliverPostedMessages(form);
  ASSERT_EQ(responder.Calls().size(), 2u);
  EXPECT_EQ(responder.Calls()[0].request.icon, MessageIcon::kError);
  EXPECT_EQ(responder.Calls()[0].request.text, u"The text \"%d\" does not fit its arguments.");
  EXPECT_EQ(responder.Calls()[1].request.text, u"worker message failed");
}

// Anything else a handler throws is told in the texts of its form, which a dialog takes from its
// owner.
TEST(HeadlessMessageBoxes, AnUnexpectedFailureIsToldInTheFormsTexts) {
  struct TGerman final : TextSource {
    std::u16string GetLangStr(std::u16string_view, std::u16string_view id,
                              std::u16string_view english) const override {
      return id == u"unexpected_error" ? u"Unerwarteter Fehler." : std::u16string(english);
    }
    std::int32_t GetLangInt(std::u16string_view, std::u16string_view,
                            std::int32_t built_in) const override {
      return built_in;
    }
  } german;
  ScopedMessageBoxResponder responder([](const MessageBoxRequest&) { return ModalResult::kOk; });
  Form main({.caption = u"main", .texts = &german});
  Form dialog({.caption = u"dialog", .border = FormBorder::kDialog, .owner = &main});
  Button button{dialog, {10, 10, 80, 30}, u"&Go"};
  button.OnClick = [] { throw 42; };
  button.Click();
  ASSERT_EQ(responder.Calls().size(), 1u);
  EXPECT_EQ(responder.Calls()[0].request.text, u"Unerwarteter Fehler.");
}

TEST(HeadlessMessageBoxes, UnansweredBoxIsAnError) {
  EXPECT_THROW(ShowInformation(nullptr, u"Dactyra", u"hello"), Error);
}

TEST(HeadlessForms, CloseRunsOnCloseAndDestructionRunsFormDestroy) {
  int destroyed = 0;
  {
    TDemoMain form;
    form.Show();
    EXPECT_TRUE(form.Showing());
    form.ButtonClose.Click();
    EXPECT_TRUE(form.Closed());
    EXPECT_FALSE(form.Showing());
    EXPECT_EQ(form.events, std::vector<std::u16string>{u"close"});
    // Controls made and dropped at run time leave the tree.
    {
      Label extra(form.pnlTop, {.left = 300, .top = 20}, u"extra");
      EXPECT_EQ(form.pnlTop.Children().size(), 2u);
    }
    EXPECT_EQ(form.pnlTop.Children().size(), 1u);
    destroyed = form.destroyed;
  }
  EXPECT_EQ(destroyed, 0);
}

// A dialog without a font of its own takes its owner's; a form without owner has the system's.
TEST(HeadlessForms, DialogsTakeTheirOwnersFont) {
  const FontSpec yahei{u"\u5FAE\u8F6F\u96C5\u9ED1", 13};
  Form main({.caption = u"main", .font = yahei});
  Form dialog({.caption = u"dialog", .border = FormBorder::kDialog, .owner = &main});
  Form own({.caption = u"own", .owner = &main, .font = FontSpec{u"Tahoma", 11}});
  Form plain({.caption = u"plain"});
  EXPECT_EQ(main.Font(), yahei);
  EXPECT_EQ(dialog.Font(), yahei);
  EXPECT_EQ(own.Font(), (FontSpec{u"Tahoma", 11}));
  EXPECT_EQ(plain.Font(), FontSpec{});
}

}  // namespace
}  // namespace dactyra::ui
