# Entry points: `make run` starts Skyvane, `make test` runs the tests, `make bench` the benchmarks,
# `make package` builds the Debian package.
# Each installs missing Debian packages first and builds incrementally.
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=
JOBS       ?= $(shell nproc)

.PHONY: run test bench build deps configure format format-check asan-test package check-install clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@if [ ! -f $(BUILD)/build.ninja ]; then \
	  cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS); \
	fi

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

package: build
	@cmake --build $(BUILD) --target package

check-install: package
	@bash scripts/check-install.sh $(BUILD)

bench: deps
	@cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSKYVANE_BENCHMARKS=ON
	@cmake --build $(BUILD)-bench -j $(JOBS)
	@bash scripts/run-benchmarks.sh $(BUILD)-bench

asan-test: deps
	@$(MAKE) --no-print-directory test BUILD=$(BUILD)-asan BUILD_TYPE=Debug CMAKE_ARGS=-DSKYVANE_SANITIZE=ON

format:
	@git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'plugins/*.cpp' 'plugins/*.h' 'data/*.cpp' 'fuzz/*.cpp' | xargs -r clang-format -i

format-check:
	@git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'plugins/*.cpp' 'plugins/*.h' 'data/*.cpp' 'fuzz/*.cpp' | xargs -r clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-bench
