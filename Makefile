# The two set-up commands: `make run` and `make test`. Both install what is missing first.
SANITIZE_DIR := build/sanitize
RELEASE_DIR  := build/release
CMAKE_COMMON := -G Ninja -DBUILD_TESTING=ON

.PHONY: run test bench deps release sanitize clean

deps:
	@scripts/install-deps

release: deps
	cmake -S . -B $(RELEASE_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DORTHEX_BENCHMARKS=ON
	cmake --build $(RELEASE_DIR)

sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
	  -DORTHEX_SANITIZE=ON -DORTHEX_WERROR=ON
	cmake --build $(SANITIZE_DIR)

run: release
	$(RELEASE_DIR)/bin/orthex

test:
	@scripts/run-tests

bench: release
	@scripts/run-benchmarks $(RELEASE_DIR)

clean:
	rm -rf build
