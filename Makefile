# Entry points for people and CI. Each target installs missing Debian packages first
# (scripts/deps), then configures and builds with the CMake presets.

SOURCES = $(shell find src tests bench fuzz res tools -name '*.cpp' -o -name '*.h' 2>/dev/null)

.PHONY: all deps test check asan tsan fuzz-smoke bench format format-check

all: test

deps:
	@scripts/deps

test: deps
	cmake --preset default
	cmake --build --preset default
	ctest --preset default

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

check: test asan tsan fuzz-smoke format-check

bench: deps
	cmake --preset default
	cmake --build --preset default
	@set -e; for b in build/bench/bench_*; do if [ -f "$$b" ] && [ -x "$$b" ]; then "$$b"; fi; done

format:
	clang-format -i $(SOURCES)

format-check:
	@clang-format --dry-run --Werror $(SOURCES) && echo "clang-format: clean"
