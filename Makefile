# Entry points for people and CI. Each target installs missing Debian packages first
# (scripts/deps), then configures and builds with the CMake presets.

SOURCES = $(shell find src tests bench fuzz res tools -name '*.cpp' -o -name '*.h' 2>/dev/null)

.PHONY: all deps test check asan tsan bench format format-check

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

check: test asan tsan format-check

bench: deps
	cmake --preset default
	cmake --build --preset default
	@set -e; for b in build/bench/bench_*; do if [ -x "$$b" ]; then "$$b"; fi; done

format:
	clang-format -i $(SOURCES)

format-check:
	@clang-format --dry-run --Werror $(SOURCES) && echo "clang-format: clean"
