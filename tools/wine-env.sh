#!/usr/bin/env bash
# Runs a command inside a throw-away Wine environment:
#   - HOME and WINEPREFIX point into a fresh scratch folder, so nothing a test
#     deletes can reach a real home folder or a real prefix;
#   - an Xvfb display of its own (unless WINE_ENV_DISPLAY=keep and DISPLAY is set);
#   - Wine's virtual desktop switched on (hides and destroys cost 2 s without a
#     window manager, 15 ms with it), with a taskbar, and a persistent wineserver.
# Everything it started is ended by process id when the command ends, and the
# scratch folder is removed (set WINE_ENV_KEEP=1 to keep it).
#
#   tools/wine-env.sh COMMAND [ARGS...]
#
# Inside the command: WINEPREFIX, HOME, DISPLAY, WINE (the wine64 loader) and
# WINE_ENV_SCRATCH are exported.
set -euo pipefail

if [ $# -eq 0 ]; then
  echo "usage: $0 COMMAND [ARGS...]" >&2
  exit 2
fi

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
scratch=$(mktemp -d "${TMPDIR:-/tmp}/wine-env.XXXXXX")
export WINE WINE_ENV_SCRATCH=$scratch
export HOME=$scratch/home WINEPREFIX=$scratch/prefix
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
mkdir -p "$HOME"

xvfb_pid=
cleanup() {
  local status=$?
  set +e
  "$WINESERVER" -k >/dev/null 2>&1
  # Give the server a moment to flush and exit before its files go away.
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    "$WINESERVER" -k0 >/dev/null 2>&1 || break
    sleep 0.2
  done
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  if [ "${WINE_ENV_KEEP:-0}" != 1 ]; then
    # A Wine helper that is still ending may write into HOME meanwhile.
    rm -rf "$scratch" 2>/dev/null || { sleep 1; rm -rf "$scratch"; }
  else
    echo "wine-env: kept $scratch" >&2
  fi
  exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ "${WINE_ENV_DISPLAY:-}" = keep ] && [ -n "${DISPLAY:-}" ]; then
  : # show the windows on the user's display
else
  exec 3>"$scratch/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
  xvfb_pid=$!
  exec 3>&-
  for _ in $(seq 1 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.05
  done
  [ -s "$scratch/display" ] || { echo "wine-env: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$scratch/display")"
fi

"$WINE" wineboot -i >"$scratch/wineboot.log" 2>&1
"$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
# The desktop gets a taskbar, as a Windows desktop has: it takes a strip off
# the work area, so the work area differs from the screen as it does there.
"$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops\Default' /v EnableShell /t REG_DWORD /d 1 /f >/dev/null 2>&1
# A program that crashes must end, not wait behind Wine's crash dialog for a
# click nobody gives: the test that started it then fails instead of hanging.
"$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
# Wine draws the caption buttons with Marlett; without it in the prefix a
# close box shows a letter "r".
if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi
# Restart the server as a persistent one only after the boot: starting it
# before can leave two service managers answering in turn.
"$WINESERVER" -k >/dev/null 2>&1 || true
"$WINESERVER" -w >/dev/null 2>&1 || true
"$WINESERVER" -p
# Start the prefix's long-lived processes (services, the desktop) now, with
# no terminal: whatever they inherit stays open until the server ends, and a
# test runner that waits for the end of a test's output would wait for them.
"$WINE" cmd /c exit </dev/null >/dev/null 2>&1

"$@"
