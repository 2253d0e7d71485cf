// The Win32 backend under real windows: creation, layout at the window's DPI, the list view,
// posted messages from a worker, the modal loop and the keyboard.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>

#include "base/wide.h"
#include "demo_forms.h"
#include "ui/credential_prompt.h"
#include "ui/layout.h"
#include "ui/win32/dpi.h"
#include "ui/win32/native.h"

namespace dactyra::ui {
namespace {

using demo::TDemoDialog;
using demo::TDemoMain;
using win32::WindowOf;

// A control's window rectangle in its parent's client coordinates.
Rect NativeBounds(const Control& control) {
  HWND window = WindowOf(control);
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

std::u16string ClassOf(const Control& control) {
  wchar_t name[64] = {};
  GetClassNameW(WindowOf(control), name, 64);
  return std::u16string(reinterpret_cast<const char16_t*>(name));
}

std::u16string NativeText(HWND window) {
  std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(
      window, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()))));
  return text;
}

std::u16string ListText(const ListView& list, int row, int column) {
  wchar_t buffer[256] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = 256;
  SendMessageW(WindowOf(list), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(&item));
  return std::u16string(reinterpret_cast<const char16_t*>(buffer));
}

void PumpPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

TEST(Win32Forms, DemoFormHasANativeWindowForEveryControl) {
  TDemoMain form;
  EXPECT_TRUE(IsWindow(WindowOf(form)));
  EXPECT_EQ(ClassOf(form.ListView), u"SysListView32");
  EXPECT_EQ(ClassOf(form.memoLog), u"Edit");
  EXPECT_EQ(ClassOf(form.btnEnum), u"Button");
  EXPECT_EQ(ClassOf(form.lblUser), u"Static");
  EXPECT_EQ(NativeText(WindowOf(form)), u"Dactyra V1.0.0.0");
  EXPECT_EQ(NativeText(WindowOf(form.ButtonClose)), u"E&xit");
  EXPECT_FALSE(IsWindowEnabled(WindowOf(form.btnVerify)));
  EXPECT_EQ(SendMessageW(ListView_GetHeader(WindowOf(form.ListView)), HDM_GETITEMCOUNT, 0, 0), 5);
  const LONG_PTR memo_style = GetWindowLongPtrW(WindowOf(form.memoLog), GWL_STYLE);
  EXPECT_TRUE(memo_style & ES_READONLY);
  EXPECT_TRUE(memo_style & WS_VSCROLL);
  const DWORD list_ex =
      static_cast<DWORD>(SendMessageW(WindowOf(form.ListView), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  EXPECT_TRUE(list_ex & LVS_EX_FULLROWSELECT);
  EXPECT_TRUE(list_ex & LVS_EX_GRIDLINES);
  EXPECT_TRUE(GetWindowLongPtrW(WindowOf(form.ListView), GWL_STYLE) & LVS_SHOWSELALWAYS);

  TDemoDialog dialog(form);
  EXPECT_EQ(GetWindow(WindowOf(dialog), GW_OWNER), WindowOf(form));
  EXPECT_FALSE(GetWindowLongPtrW(WindowOf(dialog), GWL_STYLE) & WS_THICKFRAME);
  EXPECT_TRUE(GetWindowLongPtrW(WindowOf(dialog.btnRetry), GWL_STYLE) & BS_DEFPUSHBUTTON);
}

TEST(Win32Forms, LayoutIsScaledToTheWindowDpiAndFollowsResizing) {
  TDemoMain form;
  const int dpi = form.Dpi();
  EXPECT_EQ(dpi, static_cast<int>(GetDpiForWindow(WindowOf(form))));
  const auto at = [dpi](int v) { return ScaleForDpi(v, dpi); };
  // The client area has the design size, unless the screen is too small for it at this DPI.
  RECT client;
  GetClientRect(WindowOf(form), &client);
  const int width = client.right;
  const int height = client.bottom;
  if (width < at(880) || height < at(620)) {
    EXPECT_LE(width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  } else {
    EXPECT_EQ(width, at(880));
    EXPECT_EQ(height, at(620));
  }
  EXPECT_EQ(NativeBounds(form.pnlTop), (Rect{0, 0, width, at(60)}));
  EXPECT_EQ(NativeBounds(form.pnlBottom), (Rect{0, height - at(265), width, at(265)}));
  EXPECT_EQ(NativeBounds(form.pnlRight),
            (Rect{width - at(188), at(60), at(188), height - at(60) - at(265) - at(5)}));
  EXPECT_EQ(NativeBounds(form.ButtonClose), (Rect{at(20), at(240), at(148), at(36)}));
  EXPECT_EQ(NativeBounds(form.ListView), form.ListView.Bounds());
  EXPECT_EQ(NativeBounds(form.memoLog).height, at(265));

  // The user makes the window smaller: the list gives up the room, the strips keep their size.
  RECT frame;
  GetWindowRect(WindowOf(form), &frame);
  SetWindowPos(WindowOf(form), nullptr, 0, 0, frame.right - frame.left - 100,
               frame.bottom - frame.top - 50, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(NativeBounds(form.ListView).width, width - 100 - at(188));
  EXPECT_EQ(NativeBounds(form.ListView).height, height - 50 - at(60) - at(265) - at(5));
  EXPECT_EQ(NativeBounds(form.pnlBottom).height, at(265));
}

TEST(Win32Forms, DpiChangeRescalesLayoutFontsAndColumns) {
  TDemoMain form;
  HFONT before = reinterpret_cast<HFONT>(SendMessageW(WindowOf(form.btnEnum), WM_GETFONT, 0, 0));
  LOGFONTW small{};
  GetObjectW(before, sizeof(small), &small);
  const int target = form.Dpi() == 144 ? 96 : 144;
  RECT suggested{0, 0, ScaleForDpi(900, target), ScaleForDpi(700, target)};
  SendMessageW(WindowOf(form), WM_DPICHANGED, MAKEWPARAM(target, target),
               reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(form.Dpi(), target);
  EXPECT_EQ(NativeBounds(form.ButtonClose),
            (Rect{ScaleForDpi(20, target), ScaleForDpi(240, target), ScaleForDpi(148, target),
                  ScaleForDpi(36, target)}));
  EXPECT_EQ(SendMessageW(WindowOf(form.ListView), LVM_GETCOLUMNWIDTH, 1, 0),
            ScaleForDpi(300, target));
  HFONT after = reinterpret_cast<HFONT>(SendMessageW(WindowOf(form.btnEnum), WM_GETFONT, 0, 0));
  LOGFONTW large{};
  GetObjectW(after, sizeof(large), &large);
  EXPECT_NE(std::abs(large.lfHeight), std::abs(small.lfHeight));
  EXPECT_NE(large.lfHeight, 0);
}

// The width of the window's big or small icon; 0 without one.
int IconWidth(HWND window, WPARAM which) {
  ICONINFO info{};
  HICON icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
  if (icon == nullptr || !GetIconInfo(icon, &info)) {
    return 0;
  }
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

// The program's icon is in the caption and in Alt+Tab at the sizes of the window's DPI, also
// once the window moved to a monitor of another DPI.
TEST(Win32Forms, IconsFollowTheDpi) {
  TDemoMain form;
  const int first = form.Dpi();
  for (const int dpi : {first, first == 144 ? 96 : 144}) {
    if (dpi != form.Dpi()) {
      RECT suggested{0, 0, ScaleForDpi(900, dpi), ScaleForDpi(700, dpi)};
      SendMessageW(WindowOf(form), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
    }
    SCOPED_TRACE(dpi);
    const detail::DpiFunctions& system = detail::DpiFunctions::System();
    EXPECT_EQ(IconWidth(WindowOf(form), ICON_BIG), system.SystemMetric(SM_CXICON, dpi));
    EXPECT_EQ(IconWidth(WindowOf(form), ICON_SMALL), system.SystemMetric(SM_CXSMICON, dpi));
  }
}

std::wstring MessageFontFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  return metrics.lfMessageFont.lfFaceName;
}

int CALLBACK TakeOtherFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM taken) {
  const std::wstring face = font->lfFaceName;
  if (face.starts_with(L"@") || face == MessageFontFace()) {
    return 1;  // a vertical face, or the one a missing face gives
  }
  *reinterpret_cast<std::wstring*>(taken) = face;
  return 0;
}

// A face that is installed here, other than the message font's.
std::wstring OtherInstalledFace() {
  LOGFONTW every_face{};
  every_face.lfCharSet = DEFAULT_CHARSET;
  HDC screen = GetDC(nullptr);
  std::wstring face;
  EnumFontFamiliesExW(screen, &every_face, TakeOtherFace, reinterpret_cast<LPARAM>(&face), 0);
  ReleaseDC(nullptr, screen);
  return face;
}

// A form's font is made at the window's DPI from its face and 96-DPI pixel height, and its
// dialogs take it over; a face that is not installed gives the system's message font.
TEST(Win32Forms, FormFontIsScaledAndPassedToDialogs) {
  const std::wstring installed = OtherInstalledFace();
  ASSERT_NE(installed, L"");
  const struct {
    std::wstring face;
    std::wstring expected;
  } cases[] = {{installed, installed}, {L"No Such Face Anywhere", MessageFontFace()}};
  for (const auto& [face, expected] : cases) {
    Form main({.caption = u"main",
               .client_width = 200,
               .client_height = 100,
               .font = FontSpec{FromWide(face), 13}});
    Form dialog({.caption = u"dialog", .client_width = 100, .client_height = 50, .owner = &main});
    Button in_main(main, {10, 10, 80, 24}, u"a");
    Button in_dialog(dialog, {10, 10, 80, 24}, u"b");
    for (const Button* button : {&in_main, &in_dialog}) {
      LOGFONTW font{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(WindowOf(*button), WM_GETFONT, 0, 0)),
                 sizeof(font), &font);
      EXPECT_EQ(font.lfHeight, -MulDiv(13, main.Dpi(), 96));
      EXPECT_EQ(std::wstring(font.lfFaceName), expected);
    }
  }
}

TEST(Win32ListView, RowsRoundTripThroughTheControl) {
  TDemoMain form;
  form.btnEnum.Click();
  HWND list = WindowOf(form.ListView);
  ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(ListText(form.ListView, 1, 0), u"2");
  EXPECT_EQ(ListText(form.ListView, 1, 3), u"0xF6");
  form.ListView.SetCell(2, 4, u"left thumb \u4E2D");
  EXPECT_EQ(ListText(form.ListView, 2, 4), u"left thumb \u4E2D");
  EXPECT_EQ(form.ListView.Cell(2, 4), u"left thumb \u4E2D");

  // A selection made in the control reaches the model and the handler.
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED;
  state.state = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
  EXPECT_EQ(form.ListView.SelectedIndex(), 1);
  EXPECT_TRUE(IsWindowEnabled(WindowOf(form.btnVerify)));
  form.ListView.Select(2);
  EXPECT_EQ(form.ListView.SelectedIndex(), 2);
  EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);
  EXPECT_EQ(form.events, (std::vector<std::u16string>{u"select 1", u"deselect 1", u"select 2"}));
  form.ListView.Select(-1);
  EXPECT_EQ(form.ListView.SelectedIndex(), -1);
  EXPECT_FALSE(IsWindowEnabled(WindowOf(form.btnDelete)));

  form.ListView.Clear();
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST(Win32Controls, MemoAppendsScrollsAndKeepsLongLogs) {
  TDemoMain form;
  form.Show();
  const std::u16string filler(200, u'.');
  for (int i = 0; i < 200; ++i) {
    form.memoLog.AppendLine(filler + static_cast<char16_t>(u'A' + i % 26));
  }
  HWND memo = WindowOf(form.memoLog);
  EXPECT_EQ(SendMessageW(memo, EM_GETLINECOUNT, 0, 0), 200);
  EXPECT_GT(SendMessageW(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 150);  // scrolled to the end
  const std::u16string text = NativeText(memo);
  EXPECT_GT(text.size(), 32767u);                  // past the edit control's default limit
  EXPECT_EQ(text.substr(text.size() - 2), u".R");  // 199 % 26 = 17
  form.Hide();
}

TEST(Win32Controls, ShapeIsPaintedInItsColoursAndSplitterDrags) {
  TDemoMain owner;
  TDemoDialog dialog(owner);
  dialog.shapeIcon.SetColors(Color(0x00BB00), Color(0x008800));
  ShowWindow(WindowOf(dialog), SW_SHOW);
  UpdateWindow(WindowOf(dialog));
  {
    HWND shape = WindowOf(dialog.shapeIcon);
    HDC dc = GetDC(shape);
    const Rect r = dialog.shapeIcon.Bounds();
    EXPECT_EQ(GetPixel(dc, r.width / 2, r.height / 2), RGB(0x00, 0xBB, 0x00));
    EXPECT_EQ(GetPixel(dc, r.width / 2, 0), RGB(0x00, 0x88, 0x00));
    ReleaseDC(shape, dc);
  }
  ShowWindow(WindowOf(dialog), SW_HIDE);

  owner.Show();
  HWND bar = WindowOf(owner.Splitter1);
  const int before = owner.pnlBottom.Bounds().height;
  SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, static_cast<WORD>(-38)));
  SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(2, static_cast<WORD>(-38)));
  EXPECT_EQ(owner.pnlBottom.Bounds().height, before + 40);
  EXPECT_EQ(NativeBounds(owner.pnlBottom).height, before + 40);
  owner.Hide();
}

TEST(Win32Modal, PostedClickOnTheDefaultButtonEndsWithItsResult) {
  TDemoMain owner;
  owner.Show();
  TDemoDialog dialog(owner);
  dialog.btnRetry.SetEnabled(true);
  bool owner_disabled = false;
  dialog.OnShow = [&] {
    owner_disabled = !IsWindowEnabled(WindowOf(owner));
    PostMessageW(WindowOf(dialog.btnRetry), BM_CLICK, 0, 0);
  };
  EXPECT_EQ(dialog.ShowModal(), ModalResult::kOk);
  EXPECT_TRUE(owner_disabled);
  EXPECT_TRUE(IsWindowEnabled(WindowOf(owner)));
  EXPECT_FALSE(IsWindowVisible(WindowOf(dialog)));
  owner.Hide();
}

TEST(Win32Modal, KeysAndTheCloseBoxEndTheDialog) {
  TDemoMain owner;
  owner.Show();
  TDemoDialog dialog(owner);
  dialog.btnRetry.SetEnabled(true);
  const auto post_on_show = [&](HWND target, UINT message, WPARAM wparam, LPARAM lparam) {
    dialog.OnShow = [=, &dialog] {
      dialog.lblTitle.SetFocus();
      PostMessageW(target == nullptr ? WindowOf(dialog.lblTitle) : target, message, wparam, lparam);
    };
  };
  post_on_show(nullptr, WM_KEYDOWN, VK_RETURN, 1);  // Enter in the edit: the default button
  EXPECT_EQ(dialog.ShowModal(), ModalResult::kOk);
  post_on_show(nullptr, WM_KEYDOWN, VK_ESCAPE, 1);  // Esc: the cancel button
  EXPECT_EQ(dialog.ShowModal(), ModalResult::kCancel);
  post_on_show(WindowOf(dialog), WM_CLOSE, 0, 0);  // the close box
  EXPECT_EQ(dialog.ShowModal(), ModalResult::kCancel);
  post_on_show(nullptr, WM_SYSCHAR, 'r', 1 << 29);  // Alt+R: the mnemonic of "&Retry"
  EXPECT_EQ(dialog.ShowModal(), ModalResult::kOk);
  owner.Hide();
}

TEST(Win32Modal, TypedTextReachesTheModel) {
  TDemoMain owner;
  TDemoDialog dialog(owner);
  SetWindowTextW(WindowOf(dialog.lblTitle), L"typed by the user");
  EXPECT_EQ(dialog.lblTitle.Text(), u"typed by the user");
  dialog.lblTitle.SetText(u"set by the program");
  EXPECT_EQ(NativeText(WindowOf(dialog.lblTitle)), u"set by the program");
}

TEST(Win32Posting, WorkerMessagesReachTheHandlerDuringTheModalLoop) {
  TDemoMain owner;
  owner.Show();
  TDemoDialog dialog(owner);
  dialog.worker_steps = 20;
  dialog.SetMessageHandler(demo::WM_DEMO_STATUS, [&](std::uintptr_t event, std::intptr_t value) {
    dialog.WMDemoStatus(event, value);
    if (event == 2) {
      PostMessageW(WindowOf(dialog.btnRetry), BM_CLICK, 0, 0);
    }
  });
  EXPECT_EQ(dialog.ShowModal(), ModalResult::kOk);
  ASSERT_EQ(dialog.received.size(), 21u);
  EXPECT_EQ(dialog.received[19], 100);
  EXPECT_EQ(SendMessageW(WindowOf(dialog.ProgressBar), PBM_GETPOS, 0, 0), 100);
  owner.Hide();
}

TEST(Win32Posting, PostToAFormThatIsGoneIsDropped) {
  MessageTarget target;
  {
    TDemoMain form;
    target = form.Target();
  }
  std::thread worker([&] { EXPECT_FALSE(target.Post(kUserMessage + 100, 1, 2)); });
  worker.join();
  PumpPending();
}

TEST(Win32Forms, SystemMenuItemIsCheckedAndReportsItsCommand) {
  TDemoMain form;
  HMENU menu = GetSystemMenu(WindowOf(form), FALSE);
  ASSERT_NE(menu, nullptr);
  const UINT state = GetMenuState(menu, demo::kAboutCommand, MF_BYCOMMAND);
  ASSERT_NE(state, static_cast<UINT>(-1));
  EXPECT_TRUE(state & MF_CHECKED);
  std::vector<std::uint32_t> commands;
  form.OnSysCommand = [&](std::uint32_t command) {
    commands.push_back(command);
    return command == demo::kAboutCommand;
  };
  SendMessageW(WindowOf(form), WM_SYSCOMMAND, demo::kAboutCommand, 0);
  EXPECT_EQ(commands, std::vector<std::uint32_t>{demo::kAboutCommand});
}

// Keys pressed and context menus asked for on the native windows reach the handlers: the
// list's first, the form's for keys the list leaves.
TEST(Win32ListView, NativeKeysAndContextMenuRequestsArrive) {
  TDemoMain form;
  form.btnEnum.Click();
  form.ListView.Select(1);
  std::vector<std::pair<std::u16string, Key>> keys;
  form.ListView.OnKeyDown = [&](Key key) {
    keys.emplace_back(u"list", key);
    return key == Key::kF2;
  };
  form.OnKeyDown = [&](Key key) {
    keys.emplace_back(u"form", key);
    return true;
  };
  std::vector<ContextMenuRequest> requests;
  form.ListView.OnContextMenu = [&](const ContextMenuRequest& request) {
    requests.push_back(request);
  };
  form.Show();
  HWND list = WindowOf(form.ListView);
  PostMessageW(list, WM_KEYDOWN, VK_F2, 1);
  PostMessageW(list, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(WindowOf(form.memoLog), WM_KEYDOWN, VK_F5, 1);
  PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);  // the Menu key
  RECT row{};
  row.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
  POINT click{row.left + 10, (row.top + row.bottom) / 2};
  ClientToScreen(list, &click);
  PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(click.x, click.y));
  PostMessageW(WindowOf(form), WM_CLOSE, 0, 0);
  win32::RunApplication(form);

  const std::vector<std::pair<std::u16string, Key>> expected{
      {u"list", Key::kF2}, {u"list", Key::kEnter}, {u"form", Key::kEnter}, {u"form", Key::kF5}};
  EXPECT_EQ(keys, expected);
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].row, 1);
  EXPECT_TRUE(requests[0].from_keyboard);
  EXPECT_EQ(requests[1].row, 2);
  EXPECT_EQ(requests[1].position, (Point{click.x, click.y}));
  EXPECT_EQ(form.ListView.SelectedIndex(), 2);
}

TEST(Win32PopupMenu, TheChosenItemIsReturned) {
  TDemoMain form;
  form.Show();
  SetForegroundWindow(WindowOf(form));
  // The menu's own loop takes the keys; a timer ends it should they not arrive.
  PostMessageW(WindowOf(form), WM_CHAR, 'f', 1);
  const UINT_PTR timer = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
  const std::uint32_t chosen = ShowPopupMenu(
      form, {{{1, u"&Verify", false, true}, {}, {2, u"Re&name"}, {3, u"Read &Fingerprints"}},
             {100, 100}});
  KillTimer(nullptr, timer);
  EXPECT_EQ(chosen, 3u);
  form.Hide();
}

POINT Centre(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// A dialog opens where it is shown, centred over its owner at the owner's DPI, and stays there.
// Wine gives every monitor one DPI, so the owner's second DPI is the one it takes when Windows
// moves it to another monitor (WM_DPICHANGED): the dialog still opens at its monitor's DPI, laid
// out for it, and centred over the owner as it now is.
TEST(Win32Dialogs, OpenCentredOverTheirOwnerAtItsMonitorsDpi) {
  TDemoMain owner;
  owner.Show();
  const int system_dpi = owner.Dpi();
  for (const int owner_dpi : {system_dpi, system_dpi == 144 ? 96 : 144}) {
    SCOPED_TRACE(owner_dpi);
    RECT suggested{40, 30, 40 + ScaleForDpi(900, owner_dpi), 30 + ScaleForDpi(700, owner_dpi)};
    SendMessageW(WindowOf(owner), WM_DPICHANGED, MAKEWPARAM(owner_dpi, owner_dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    ASSERT_EQ(owner.Dpi(), owner_dpi);
    TDemoDialog dialog(owner);
    EXPECT_EQ(dialog.Dpi(), detail::DpiFunctions::System().ForMonitor(
                                MonitorFromWindow(WindowOf(owner), MONITOR_DEFAULTTONEAREST)));
    const POINT expected = Centre(WindowOf(owner));
    const auto over_owner = [&](POINT point) {
      return std::abs(point.x - expected.x) <= 1 && std::abs(point.y - expected.y) <= 1;
    };
    EXPECT_TRUE(over_owner(Centre(WindowOf(dialog))));
    POINT shown{};
    dialog.OnShow = [&] {
      shown = Centre(WindowOf(dialog));
      dialog.SetModalResult(ModalResult::kCancel);
    };
    dialog.ShowModal();
    EXPECT_TRUE(over_owner(shown));
    RECT client;
    GetClientRect(WindowOf(dialog), &client);
    EXPECT_EQ(client.right, ScaleForDpi(380, dialog.Dpi()));
  }
  owner.Hide();
}

// Refuses the creation of every window on this thread while it lives.
class WindowCreationRefused {
 public:
  WindowCreationRefused()
      : hook_(SetWindowsHookExW(
            WH_CBT,
            [](int code, WPARAM wparam, LPARAM lparam) -> LRESULT {
              return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wparam, lparam);
            },
            nullptr, GetCurrentThreadId())) {}
  ~WindowCreationRefused() { UnhookWindowsHookEx(hook_); }
  WindowCreationRefused(const WindowCreationRefused&) = delete;
  WindowCreationRefused& operator=(const WindowCreationRefused&) = delete;

 private:
  HHOOK hook_;
};

TEST(Win32Dialogs, TheOwnerStaysUsableWhenTheDialogHasNoWindow) {
  TDemoMain owner;
  owner.Show();
  std::optional<Form> dialog;
  {
    const WindowCreationRefused refused;
    dialog.emplace(FormOptions{.caption = u"no window",
                               .client_width = 100,
                               .client_height = 50,
                               .border = FormBorder::kDialog,
                               .owner = &owner});
  }
  ASSERT_EQ(WindowOf(*dialog), nullptr);
  EXPECT_EQ(dialog->ShowModal(), ModalResult::kCancel);
  EXPECT_TRUE(IsWindowEnabled(WindowOf(owner)));
  owner.Hide();
}

// An owner whose waits have ended gets no prompt, only "cancelled" (Wine's own prompt would
// answer "not implemented").
TEST(Win32Dialogs, NoCredentialPromptOnceTheOwnersWaitsHaveEnded) {
  Form owner({.caption = u"Owner"});
  owner.EndWaits();
  EXPECT_EQ(PromptForCredential(&owner, u"Caption", u"Message", 0).outcome,
            PromptOutcome::kCancelled);
}

// Each control has a live font at every moment of a change of DPI: the old font is still there
// when the control is handed the new one.
TEST(Win32Dialogs, FontsAreReleasedOnlyAfterTheControlsHaveTheNewOnes) {
  TDemoMain form;
  HWND button = WindowOf(form.btnEnum);
  static int dead_fonts_replaced = 0;
  static WNDPROC original = nullptr;
  dead_fonts_replaced = 0;
  original = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      button, GWLP_WNDPROC,
      reinterpret_cast<LONG_PTR>(+[](HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_SETFONT) {
          const auto current = reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0));
          if (current != nullptr && GetObjectType(current) != OBJ_FONT) {
            ++dead_fonts_replaced;
          }
        }
        return CallWindowProcW(original, window, message, wparam, lparam);
      })));
  for (const int dpi : {form.Dpi() == 144 ? 96 : 144, form.Dpi() == 144 ? 144 : 96}) {
    RECT suggested{0, 0, ScaleForDpi(900, dpi), ScaleForDpi(700, dpi)};
    SendMessageW(WindowOf(form), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
  }
  SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  EXPECT_EQ(dead_fonts_replaced, 0);
}

// Where a DPI function of newer Windows versions is missing, its fallback gives what it would:
// here, with one monitor, the system DPI is the monitor's.
TEST(Win32Dialogs, DpiFallbacksOfOlderWindowsAgreeWithTheSystem) {
  TDemoMain form;
  const detail::DpiFunctions& system = detail::DpiFunctions::System();
  const detail::DpiFunctions fallbacks;
  EXPECT_EQ(fallbacks.ForWindow(WindowOf(form)), system.ForWindow(WindowOf(form)));
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  RECT newer{0, 0, 300, 200};
  RECT older = newer;
  system.AdjustWindowRect(newer, style, WS_EX_DLGMODALFRAME, form.Dpi());
  fallbacks.AdjustWindowRect(older, style, WS_EX_DLGMODALFRAME, form.Dpi());
  EXPECT_EQ(newer.right - newer.left, older.right - older.left);
  EXPECT_EQ(newer.bottom - newer.top, older.bottom - older.top);
  LOGFONTW newer_font{};
  LOGFONTW older_font{};
  ASSERT_TRUE(system.MessageFont(newer_font, 192));
  ASSERT_TRUE(fallbacks.MessageFont(older_font, 192));
  EXPECT_NEAR(newer_font.lfHeight, older_font.lfHeight, 1);
}

// A second start of the program brings back the main window, not one of its dialogs.
TEST(Win32Forms, ActivatingTheRunningInstanceRestoresItsMainWindow) {
  EXPECT_FALSE(win32::ActivateRunningInstance());
  TDemoMain form;
  form.Show();
  TDemoDialog dialog(form);  // owned, and above its owner in the window order
  ShowWindow(WindowOf(form), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(WindowOf(form)));
  EXPECT_TRUE(win32::ActivateRunningInstance());
  EXPECT_FALSE(IsIconic(WindowOf(form)));
  form.Hide();
}

}  // namespace
}  // namespace dactyra::ui
