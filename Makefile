# Entry points. Each installs what it needs from Debian's packages first.
#   make demo   the main job: install a sample product into a Wine prefix and uninstall it
#   make test   every test: native unit tests (plain and sanitized), Win32 tests under Wine
#               for the x86_64 and for the shipped i686 build
#   make dist   both Windows builds: dist/win32 (shipped) and dist/win64 (tested)
#   make bench  the benchmarks
#   make fuzz   each libFuzzer target for a minute (make test runs them for a few seconds)

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_GEN := -G "Unix Makefiles"

.PHONY: all prereqs dist win32 win64 native native-sanitized unit dist-check wine-tests wine-tests-win64 \
  wine-tests-win32 test demo bench clean \
  fuzzers fuzz fuzz-smoke

all: dist

prereqs:
	@tools/install-prereqs.sh

build/native/Makefile:
	cmake -S . -B build/native $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug

build/native-sanitized/Makefile:
	cmake -S . -B build/native-sanitized $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
	  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"

build/win64/Makefile:
	cmake -S . -B build/win64 $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake

# The shipped build, with its tests: one build tree makes both.
build/win32/Makefile:
	cmake -S . -B build/win32 $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

# The fuzzers: clang with libFuzzer, coverage and sanitizers in every library.
build/fuzz/Makefile:
	CC=clang CXX=clang++ cmake -S . -B build/fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	  -DBUILD_TESTING=OFF -DKELRUN_FUZZ=ON \
	  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -O1"

native: prereqs build/native/Makefile
	$(MAKE) -C build/native -j$(JOBS)

native-sanitized: prereqs build/native-sanitized/Makefile
	$(MAKE) -C build/native-sanitized -j$(JOBS)

win64: prereqs build/win64/Makefile
	$(MAKE) -C build/win64 -j$(JOBS)

win32: prereqs build/win32/Makefile
	$(MAKE) -C build/win32 -j$(JOBS)

dist: win32 win64

unit: native native-sanitized
	cd build/native && ctest --output-on-failure -j$(JOBS)
	cd build/native-sanitized && ctest --output-on-failure -j$(JOBS)

fuzzers: prereqs build/fuzz/Makefile
	$(MAKE) -C build/fuzz -j$(JOBS) fuzzers

fuzz: fuzzers
	tests/fuzz/run-fuzzers.sh 60

fuzz-smoke: fuzzers
	tests/fuzz/run-fuzzers.sh 5

# The Win32 tests under Wine, once for each build: the x86_64 programs under
# wine64, and the shipped i686 programs under WoW64 (32-bit programs in the
# same kind of 64-bit prefix, as 64-bit Windows runs them). A kernel that
# cannot start 32-bit programs runs only the WoW64 tests of the second run,
# with the programs emulated (a minute a program start); without an emulator
# it leaves the second run out. Either way it says so.
wine-tests: wine-tests-win64 wine-tests-win32

wine-tests-win64: win64
	tools/wine-env.sh ctest --test-dir build/win64 --output-on-failure --no-tests=error -j$(JOBS) --timeout 300

wine-tests-win32: win32
	@if tools/runs-32bit.sh; then \
	  echo "tools/wine-env.sh ctest --test-dir build/win32 --output-on-failure --no-tests=error -j$(JOBS) --timeout 300"; \
	  tools/wine-env.sh ctest --test-dir build/win32 --output-on-failure --no-tests=error -j$(JOBS) --timeout 300; \
	elif tools/emulate-32bit.sh --check; then \
	  echo "wine-tests-win32: this machine only emulates 32-bit programs: the WoW64 tests run, not the whole 32-bit run" >&2; \
	  tools/emulate-32bit.sh tools/wine-env.sh tools/wow64-tests.sh build/win32; \
	else \
	  echo "wine-tests-win32: NOT RUN: the 32-bit build's tests need a machine that runs 32-bit programs" >&2; \
	fi

# What the program files say (processor, subsystem, imports, resources),
# read on Linux for both builds.
dist-check: native win32 win64
	tools/check-dist.sh

test: unit fuzz-smoke win32 dist-check wine-tests

demo: dist
	tools/sample/demo.sh

bench: prereqs
	tools/bench/run-benchmarks.sh

clean:
	rm -rf build dist
