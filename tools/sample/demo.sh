#!/usr/bin/env bash
# The demo (make demo): installs the sample product "Parvane Sample" into a
# fresh Wine prefix, uninstalls it with kelrun driven from outside as a user
# would, and shows what was on the machine before and after.
#
# With a DISPLAY the windows show on it; without one they show on a private
# Xvfb display and a screenshot of each is saved in screenshots/.
#
# It runs the shipped 32-bit kelrun (dist/win32/kelrun.exe), installed by
# the 32-bit sample setup of build/win32/tools, as the 32-bit setup suite
# installs a product: Wine runs both under WoW64 in its 64-bit prefix. On a
# machine whose kernel starts no 32-bit programs it takes the x86_64 build
# (build/win64) instead, and says so. Needs make dist.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
# DEMO_BUILD (win32 or win64) picks the build; DEMO_TOOLS and DEMO_KELRUN
# name other builds of the tools and of kelrun.
if [ -z "${DEMO_BUILD:-}" ]; then
  DEMO_BUILD=win32
  if ! why=$("$root/tools/runs-32bit.sh" 2>&1); then
    echo "demo: $why,"
    echo "demo: so it runs the x86_64 build, dist/win64/kelrun.exe, instead of the shipped 32-bit one"
    DEMO_BUILD=win64
  fi
fi
tools=${DEMO_TOOLS:-$root/build/$DEMO_BUILD/tools}
kelrun=${DEMO_KELRUN:-$root/dist/$DEMO_BUILD/kelrun.exe}
# kelcheck ships beside kelrun.
kelcheck=${DEMO_KELCHECK:-$(dirname "$kelrun")/kelcheck.exe}
code='{6F3A2C1E-5B7D-4E8A-9C0F-2D4B6A8E1C35}'

if [ "${1:-}" != --inside ]; then
  for needed in "$tools/uidriver/uidriver.exe" "$tools/sample/sample_setup.exe" \
                "$tools/sample/record_url.exe" "$kelrun" "$kelcheck"; do
    if [ ! -f "$needed" ]; then
      echo "demo: $needed is missing; run 'make dist' first" >&2
      exit 1
    fi
  done
  if [ -n "${DISPLAY:-}" ]; then
    export WINE_ENV_DISPLAY=keep
  fi
  export DEMO_BUILD DEMO_TOOLS=$tools DEMO_KELRUN=$kelrun DEMO_KELCHECK=$kelcheck
  exec "$root/tools/wine-env.sh" bash "$0" --inside
fi

# ---------------------------------------------------------------- inside the prefix

real_display=0
[ "${WINE_ENV_DISPLAY:-}" = keep ] && real_display=1
shots=$root/screenshots
scratch=$WINE_ENV_SCRATCH
failed=0

# The 32-bit programs start through Wine's 32-bit loader, and what the
# 32-bit build reads of the registry is its 32-bit view.
if [ "$DEMO_BUILD" = win32 ]; then
  loader=/usr/lib/wine/wine
  view=/reg:32
  build_name="the shipped 32-bit build"
else
  loader=$WINE
  view=/reg:64
  build_name="the x86_64 build"
fi

# A Linux path as Wine's programs see it.
winpath() { printf 'Z:%s' "${1//\//\\}"; }
driver() { "$loader" "$tools/uidriver/uidriver.exe" "$@"; }
setup() { "$loader" "$tools/sample/sample_setup.exe" "$@"; }
step() { printf '\n==> %s\n' "$*"; }
shot() {
  [ "$real_display" = 1 ] && return 0
  # The Wine desktop fills the top left 1024x768 of the Xvfb screen.
  import -display "$DISPLAY" -window root -crop 1024x768+0+0 +repage "$shots/$1" &&
    echo "    screenshot: screenshots/$1"
}
# On a real display, give people a moment to read a box before it is answered.
pause() { [ "$real_display" = 1 ] && sleep 2; return 0; }
fail() { echo "demo: $*" >&2; failed=1; }

if [ "$real_display" = 0 ]; then
  mkdir -p "$shots"
  rm -f "$shots"/demo-*.png
fi

step "A fresh Wine prefix: $WINEPREFIX"
# Web addresses that the removal opens go to a recorder instead of a browser.
"$WINE" reg add 'HKCR\http\shell\open\command' /ve \
  /d "\"$(winpath "$tools/sample/record_url.exe")\" \"%1\"" /f "$view" >/dev/null

step "Installing Parvane Sample"
setup install --kelrun "$(winpath "$kelrun")" >"$scratch/install.log" || {
  cat "$scratch/install.log"
  fail "the installation failed"
  exit 1
}
tail -n 1 "$scratch/install.log"

step "Before: what of the product is on the machine"
setup report

step "What kelrun will find: kelcheck.exe $code"
"$loader" "$kelcheck" "$code" | tr -d '\r' | sed 's/^/    /' ||
  fail "kelcheck found errors in what the installer left for kelrun"

step "Starting C:\\windows\\kelrun.exe /R $code"
echo "    it is $kelrun, $build_name"
driver launch --pid-file "$(winpath "$scratch/kelrun.pid")" \
  --exit-file "$(winpath "$scratch/kelrun.exit")" --timeout 300 \
  -- 'C:\windows\kelrun.exe' /R "$code" &
launcher=$!
for _ in $(seq 1 300); do
  [ -s "$scratch/kelrun.pid" ] && break
  sleep 0.1
done
pid=$(tr -d '\r\n' <"$scratch/kelrun.pid" 2>/dev/null || true)
if [ -z "$pid" ]; then
  fail "kelrun did not start"
else
  echo "    kelrun runs as Windows process $pid"

  step "The confirmation question"
  if driver wait-box --pid "$pid" --title 'Lumetra Parvane' --timeout 30 | sed 's/^/    /'; then
    shot demo-1-confirmation.png
    pause
    echo "    answering Yes"
    driver answer --pid "$pid" --title 'Lumetra Parvane' --button Yes --timeout 10 ||
      fail "could not answer the confirmation"

    step "The uninstall page during the removal"
    page_title='Uninstall Parvane Sample'
    if page_line=$(driver wait-window --pid "$pid" --class '#32770' --title "$page_title" --timeout 60); then
      page=$(printf '%s' "$page_line" | cut -f1)
      echo "    the page: $page_title"
      # The bar is the page's progress control; catch it on its way.
      bar=""
      for _ in $(seq 1 100); do
        bar=$(driver list --window "$page" 2>/dev/null | awk -F'\t' '$3 == "msctls_progress32" { print $2; exit }')
        [ -n "$bar" ] && break
        sleep 0.05
      done
      caught=0
      for _ in $(seq 1 400); do
        read -r pos low high < <(driver progress --window "$page" --id "$bar" 2>/dev/null | tr -d '\r' || true)
        if [ -n "${pos:-}" ] && [ "${high:-0}" -gt 0 ] && [ "$pos" -gt 0 ] && [ "$pos" -lt "$high" ]; then
          echo "    the bar stands at $pos of $high"
          shot demo-2-removing.png
          caught=1
          break
        fi
        [ "${high:-0}" -gt 0 ] && [ "${pos:-0}" -ge "${high:-1}" ] && break
        sleep 0.02
      done
      [ "$caught" = 1 ] || fail "the removal ended before the page could be shown on its way"

      step "The page at completion"
      # The cancel button is enabled and relabelled when the removal is over.
      done_line=""
      for _ in $(seq 1 1200); do
        done_line=$(driver list --window "$page" 2>/dev/null | tr -d '\r' | awk -F'\t' '$3 == "Button" && $4 == "1" && $6 == "Close"' || true)
        [ -n "$done_line" ] && break
        sleep 0.1
      done
      if [ -n "$done_line" ]; then
        driver list --window "$page" | tr -d '\r' | awk -F'\t' '$6 != "" { print "    " $3 ": " $6 }'
        shot demo-3-completed.png
        pause
        echo "    clicking Close"
        driver click --window "$page" --child-text Close || fail "could not click Close"
      else
        fail "the page did not reach its completion state"
        shot demo-3-no-completion.png
      fi
    else
      fail "kelrun showed no uninstall page"
      shot demo-2-no-page.png
    fi
  else
    fail "no confirmation question from kelrun"
    shot demo-1-no-confirmation.png
  fi
fi

step "Waiting for kelrun to end"
if [ "$failed" != 0 ] && [ -n "$pid" ]; then
  echo "    ending kelrun after the failed step"
  driver end --pid "$pid" || true
fi
wait "$launcher" || true
exit_code=$(tr -d '\r\n' <"$scratch/kelrun.exit" 2>/dev/null || echo unknown)
echo "    kelrun's exit code: $exit_code"
[ "$exit_code" = 0 ] || fail "kelrun ended with exit code $exit_code"

step "After: what of the product is on the machine"
setup report

step "kelrun's removal report"
# kelrun writes it to %TEMP% of the prefix's user, named after the product.
report=$(ls "$WINEPREFIX"/drive_c/users/*/Temp/"kelrun $code.log" 2>/dev/null | head -n 1 || true)
if [ -n "$report" ]; then
  user_folder=$(basename "$(dirname "$(dirname "$report")")")
  echo "    C:\\users\\$user_folder\\Temp\\kelrun $code.log ($report)"
  echo "    its last lines:"
  tail -n 8 "$report" | tr -d '\r' | sed 's/^/      /'
else
  fail "kelrun left no removal report"
fi

if [ "$real_display" = 0 ]; then
  step "Screenshots of the windows are in $shots"
  ls "$shots"/demo-*.png 2>/dev/null | sed 's/^/    /'
fi
if [ "$failed" != 0 ]; then
  echo
  echo "demo: something did not go as expected (see above)" >&2
  exit 1
fi
