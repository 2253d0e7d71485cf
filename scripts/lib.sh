# Shared by the scripts: paths, builds and the private Wine prefix.
# shellcheck shell=bash

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
LINUX_BUILD="$ROOT/build/linux"
MINGW_BUILD="$ROOT/build/mingw"
RELEASE_BUILD="$ROOT/build/release"

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

build_tree() {  # build_tree <preset>
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}

# A fresh Wine prefix under the given folder; wineboot runs once per prefix.
fresh_wine_prefix() {  # fresh_wine_prefix <dir>
  export WINEPREFIX="$1"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  # Windows not handed to an X window manager: Wine draws their frames itself and does not wait
  # for a manager (there is none on the virtual display) each time one is shown or hidden.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
  # The Windows the program meets most: Windows 10 (Wine 8 says Windows 7 by default, where the
  # program offers no Windows Hello).
  wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d win10 /f >/dev/null 2>&1 || true
  wineserver -w 2>/dev/null || true
}

# Chinese, Japanese and Korean texts (their language files, the built-in finger names) need a
# CJK font. The prefix lacks the Windows CJK faces that Wine falls back to and that those
# language files name; it takes WenQuanYi Micro Hei for them.
use_cjk_font() {
  local face
  for face in SimSun "Microsoft YaHei" "Microsoft YaHei UI" "Microsoft JhengHei UI" \
    "Yu Gothic UI" "Malgun Gothic"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ \
      /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1 || true
  done
}

# Copies the DLLs that the MinGW build stages for the system directory into the prefix.
install_system_dlls() {
  local dir="$MINGW_BUILD/system32"
  if [ -d "$dir" ]; then
    cp -f "$dir"/*.dll "$WINEPREFIX/drive_c/windows/system32/" 2>/dev/null || true
  fi
}

# A virtual display for Wine's windows when none is given.
XVFB_PID=""
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return
  fi
  local n
  for n in 97 98 99 101 103; do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      export DISPLAY=":$n"
      local i
      for i in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && return
        sleep 0.1
      done
      return
    fi
  done
}

stop_display() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}

# The Wine prefix of scripts/run, and the folder where scripts/touch puts its touches for the
# simulated sensors there (C:\winbio-sim\touches inside the prefix).
RUN_PREFIX="$ROOT/build/run-prefix"
RUN_SPOOL="$RUN_PREFIX/drive_c/winbio-sim/touches"

# The stand-in for Windows Hello verification (sim/hello): its DLL in the prefix's system32,
# registered where combase finds the activatable class UserConsentVerifier. Without it, the
# prefix has no Windows Hello, as Windows 8.1. Its state is hello-sim.toml beside it (defaults:
# available, every request verified, the Windows 11 interop interface offered).
HELLO_CLASS_KEY='HKLM\Software\Microsoft\WindowsRuntime\ActivatableClassId\Windows.Security.Credentials.UI.UserConsentVerifier'
install_hello_stand_in() {
  cp -f "$MINGW_BUILD/hello-sim/hello-sim.dll" "$MINGW_BUILD/hello-sim/hello-prompt.exe" \
    "$WINEPREFIX/drive_c/windows/system32/"
  wine reg add "$HELLO_CLASS_KEY" /v DllPath /t REG_SZ /d 'C:\windows\system32\hello-sim.dll' \
    /f >/dev/null 2>&1
  wine reg add "$HELLO_CLASS_KEY" /v ActivationType /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add "$HELLO_CLASS_KEY" /v Threading /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add "$HELLO_CLASS_KEY" /v TrustLevel /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # As after any registry edit of a fresh prefix: the next program starts only once the server
  # that took the edits has written them and gone, not while it is shutting down.
  wineserver -w 2>/dev/null || true
}

remove_hello_stand_in() {
  wine reg delete "$HELLO_CLASS_KEY" /f >/dev/null 2>&1 || true
  rm -f "$WINEPREFIX/drive_c/windows/system32/hello-sim.dll" \
    "$WINEPREFIX/drive_c/windows/system32/hello-prompt.exe"
  wineserver -w 2>/dev/null || true
}
