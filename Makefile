# Entry points for people and CI. Each target installs missing Debian packages first
# (scripts/deps), then configures and builds with the CMake presets.

SOURCES = $(shell find src tests bench fuzz res tools -name '*.cpp' -o -name '*.h' 2>/dev/null)

.PHONY: all deps run package test test-budget check core asan tsan fuzz-smoke vm-test vm-test-asan \
        vm-test-tsan bench format format-check

all: test

deps:
	@scripts/deps

# Starts the panel on the simulated TORVA and KD4. Without a display it renders the start screen
# and both pages to build/screenshots instead and prints the files' paths.
run: deps
	cmake --preset default
	cmake --build --preset default --target quavelo
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  build/src/app/quavelo --simulate; \
	else \
	  echo "No display: rendering the panel to build/screenshots."; \
	  QT_QPA_PLATFORM=offscreen build/src/app/quavelo --simulate --screenshot build/screenshots; \
	fi

test: deps
	cmake --preset default
	cmake --build --preset default
	ctest --preset default
	scripts/test-budget

# Tests stay within 35 % of the code's non-blank C++ lines (also part of make test).
test-budget:
	@scripts/test-budget

# The protocol core and quavelo-cli without the panel (QUAVELO_BUILD_GUI OFF) with their tests, in
# build-core: the build that must neither find nor link Qt.
core: deps
	cmake --preset core
	cmake --build --preset core
	ctest --preset core
	@if grep -qi 'qt6' build-core/build.ninja; then \
	  echo "core: the build without the panel refers to Qt" >&2; exit 1; \
	fi

asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

tsan: deps
	cmake --preset tsan
	cmake --build --preset tsan
	ctest --preset tsan

# Builds the libFuzzer targets and runs each for 20 s, keeping what it finds in
# build-fuzz/corpus/<target> for the next run.
FUZZ_SECONDS ?= 20

fuzz-smoke: deps
	cmake --preset fuzz
	cmake --build --preset fuzz --target quavelo_fuzzers
	@set -e; for f in build-fuzz/fuzz/fuzz_*; do \
	  [ -f "$$f" ] && [ -x "$$f" ] || continue; \
	  name=$$(basename "$$f"); corpus=build-fuzz/corpus/$$name; mkdir -p "$$corpus"; \
	  echo "$$name: $(FUZZ_SECONDS) s"; \
	  if ! "$$f" -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	       -artifact_prefix=build-fuzz/$$name- "$$corpus" \
	       >"build-fuzz/$$name.log" 2>&1; then \
	    tail -n 40 "build-fuzz/$$name.log"; exit 1; \
	  fi; \
	  grep -E '^stat::(number_of_executed_units|new_units_added)' "build-fuzz/$$name.log"; \
	done

# Boots a throw-away machine (QEMU, no KVM needed) on Debian's kernel and runs the link against
# the kernel's HID stack there, with the device played through uhid (tests/vm/run).
vm-test: deps
	cmake --preset default
	cmake --build --preset default
	tests/vm/run build

# The in-machine test programs built with the sanitizers, with the options of the asan and tsan
# test presets (CMakePresets.json). The command-line comparison, the slowest of them (the KD4's
# paced sends), runs on the default build only: it compares bytes, which no sanitizer changes.
VM_SANITIZED_TESTS = vm_link_tests vm_uhid_tests vm_device_tests

vm-test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  tests/vm/run build-asan $(VM_SANITIZED_TESTS)

vm-test-tsan: deps
	cmake --preset tsan
	cmake --build --preset tsan
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:ignore_noninstrumented_modules=1 \
	  tests/vm/run build-tsan $(VM_SANITIZED_TESTS)

check: test core vm-test asan vm-test-asan tsan vm-test-tsan fuzz-smoke format-check

bench: deps
	cmake --preset default
	cmake --build --preset default
	@set -e; for b in build/bench/bench_*; do if [ -f "$$b" ] && [ -x "$$b" ]; then "$$b"; fi; done
	bench/startup.sh build/src/app/quavelo

# The Debian package of the programs, the desktop entry, the icon and the udev rule.
package: deps
	cmake --preset default
	cmake --build --preset default
	cd build && cpack

format:
	clang-format -i $(SOURCES)

format-check:
	@clang-format --dry-run --Werror $(SOURCES) && echo "clang-format: clean"
