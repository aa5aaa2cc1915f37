#!/usr/bin/env bash
# Runs the tests of what differs for the shipped 32-bit build under WoW64
# (the registry view, the program and system folders, the library export's
# calling convention) against build/win32, without CTest: on a machine that
# only emulates 32-bit programs each one takes the better part of a minute
# to start, so the whole 32-bit run is out of reach and CTest's listing of
# every test program alone would take half an hour. Run it inside
# tools/wine-env.sh. Exits 1 when any of them fails.
#
#   tools/wow64-tests.sh [BUILD_DIR]
set -uo pipefail

build=${1:-build/win32}
loader=/usr/lib/wine/wine
# test program (relative to the build) | the tests it runs. Every program
# kelrun's tests start costs another start, so the end-to-end test of the
# guard's four folders (four runs of kelrun) stays with the full run; the
# protected folders are checked here in-process.
tests=(
  "uninstaller/kelrun_win_tests.exe|LibraryExportCallTest.*:RemovalSystemWinTest.ProtectedFolders*"
  "tests/e2e/kelrun_e2e_tests.exe|KelrunViewsE2E.TheUninstallKey*"
)

failed=0
for row in "${tests[@]}"; do
  program=$build/${row%%|*}
  filter=${row#*|}
  started=$SECONDS
  if WINEDEBUG=-all "$loader" "$program" --gtest_filter="$filter" --gtest_brief=1; then
    echo "wow64-tests: $filter passed ($((SECONDS - started)) s)"
  else
    echo "wow64-tests: $filter FAILED ($((SECONDS - started)) s)" >&2
    failed=1
  fi
done
exit $failed
