# Entry points. Each installs what it needs from Debian's packages first.
#   make demo   the main job: install a sample product into a Wine prefix and uninstall it
#   make test   every test: native unit tests (plain and sanitized), Win32 tests under Wine
#   make dist   both Windows builds: dist/win32 (shipped) and dist/win64 (tested)
#   make bench  the benchmarks
#   make fuzz   each libFuzzer target for a minute (make test runs them for a few seconds)

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_GEN := -G "Unix Makefiles"

.PHONY: all prereqs dist win32 win64 native native-sanitized unit dist-check wine-tests test demo bench clean \
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

build/win32/Makefile:
	cmake -S . -B build/win32 $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DBUILD_TESTING=OFF

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

wine-tests: win64
	tools/wine-env.sh ctest --test-dir build/win64 --output-on-failure -j$(JOBS) --timeout 300

# The shipped 32-bit programs cannot run here: check what their files say.
dist-check: native win32 win64
	tools/check-dist.sh

test: unit fuzz-smoke win32 dist-check wine-tests

demo: dist
	tools/sample/demo.sh

bench: prereqs
	tools/bench/run-benchmarks.sh

clean:
	rm -rf build dist
