# The two set-up commands: `make run` and `make test`. Both install what is missing first.
# `make fuzz` builds and runs the fuzz targets (FUZZ_SECONDS each); `make package` builds the .deb.
SANITIZE_DIR := build/sanitize
RELEASE_DIR  := build/release
FUZZ_DIR     := build/fuzz
FUZZ_SECONDS ?= 60
CMAKE_COMMON := -G Ninja -DBUILD_TESTING=ON

.PHONY: run test bench deps check-deps release sanitize fuzz-build fuzz package clean

deps:
	@scripts/install-deps

# Every package the configured builds use must come from scripts/install-deps.
check-deps:
	@scripts/check-deps $(SANITIZE_DIR) $(RELEASE_DIR) $(FUZZ_DIR)

release: deps
	cmake -S . -B $(RELEASE_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DORTHEX_BENCHMARKS=ON
	cmake --build $(RELEASE_DIR)

sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
	  -DORTHEX_SANITIZE=ON -DORTHEX_WERROR=ON
	cmake --build $(SANITIZE_DIR)

# libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer; -O1 keeps the runs fast while
# Q_ASSERT stays on.
fuzz-build: deps
	cmake -S . -B $(FUZZ_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
	  "-DCMAKE_C_FLAGS_DEBUG=-g -O1" "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" \
	  -DORTHEX_FUZZ=ON -DORTHEX_WERROR=ON
	cmake --build $(FUZZ_DIR) --target orthex_fuzzers

fuzz: fuzz-build
	cd $(FUZZ_DIR) && ctest --output-on-failure -L fuzz --no-tests=error
	@fuzz/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

package: release
	cd $(RELEASE_DIR) && cpack -G DEB
	@ls $(RELEASE_DIR)/*.deb

# The window needs a graphical session (X11 or Wayland); without one, say so instead of Qt's
# "could not connect to display".
run: release
	@if [ -z "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
	  echo "make run: no graphical session (neither DISPLAY nor WAYLAND_DISPLAY is set)."; \
	  echo "Start it from a desktop session, or run $(RELEASE_DIR)/bin/orthex under xvfb-run."; \
	  exit 1; fi
	$(RELEASE_DIR)/bin/orthex

test:
	@scripts/run-tests

bench: release
	@scripts/run-benchmarks $(RELEASE_DIR)

clean:
	rm -rf build
