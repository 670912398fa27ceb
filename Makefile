# The two set-up commands of the README, plus benchmarks and fuzzing.
# Every target installs what it needs first (scripts/install-deps).

JOBS        ?= 2
ASAN_DIR    := build/asan
RELEASE_DIR := build/release
FUZZ_DIR    := build/fuzz
FUZZ_SECONDS ?= 60
# Arguments of bench_peers, e.g. BENCH_ARGS="--repeat 3 csv xlsx".
BENCH_ARGS  ?=

.PHONY: deps demo test bench fuzz release asan clean run

deps:
	@scripts/install-deps

release: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE_DIR) -j $(JOBS)

asan: deps
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORLIX_SANITIZE=ON
	cmake --build $(ASAN_DIR) -j $(JOBS)

# The main job on the bundled data.
demo: release
	scripts/demo $(RELEASE_DIR)

# The program from the release build; FILE=path opens a data file at start.
run: release
	$(RELEASE_DIR)/app/orlix $(FILE)

# Every test, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test: asan
	cd $(ASAN_DIR) && ctest --output-on-failure -j $(JOBS)

# Every benchmark; installs the peers (scikit-learn, pandas, rpart) first.
bench: release
	scripts/bench $(RELEASE_DIR) $(BENCH_ARGS)

# Each fuzzer for a bounded time from its seed corpus (clang, libFuzzer).
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORLIX_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers
	scripts/fuzz $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf build
