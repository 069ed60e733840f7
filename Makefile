# Front door: `make run` and `make test`. CMake does the real work in build/.
BUILD   ?= build
JOBS    ?= $(shell nproc)
CONFIG  = cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run install test bench fuzz soak clean

all: build

deps:
	@sh scripts/deps

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || $(CONFIG)

# Everything: the game, its data, the tools, every test program.
build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Only the game and its data set, so the first start is quick.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target kelvarostrindamuxelor game_data
	cd $(BUILD)/game && ./kelvarostrindamuxelor

# The game, its data, a menu entry and the icon under PREFIX.
PREFIX ?= /usr/local
install: configure
	cmake --build $(BUILD) -j $(JOBS) --target kelvarostrindamuxelor game_data
	cmake --install $(BUILD) --prefix $(PREFIX)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# An hour of race time on every race level in turn, memory watched.
soak: build
	cd $(BUILD) && SOAK_RACE_MINUTES=60 ./tests/unit_tests --gtest_filter=Soak.*

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

# The fuzz targets under clang's libFuzzer, each run for FUZZ_SECONDS; they
# read the data set and seed corpora the ordinary build makes. Findings go
# to $(FUZZ_BUILD)/findings/<target>/.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 300
FUZZ_TARGETS ?= png jpeg flac voxel layout description riders settings highscores journal ghost
fuzz: configure
	@sh scripts/deps fuzz
	cmake --build $(BUILD) -j $(JOBS) --target game_data fuzz_corpus
	@test -f $(FUZZ_BUILD)/CMakeCache.txt || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUZZ=ON \
	    -DFUZZ_GAME_DIR=$(abspath $(BUILD))/game -DFUZZ_SEED_DIR=$(abspath $(BUILD))/fuzz_seeds
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	@for t in $(FUZZ_TARGETS); do sh scripts/fuzz_run $(FUZZ_BUILD) $(BUILD)/fuzz_seeds $$t $(FUZZ_SECONDS) || exit 1; done

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
