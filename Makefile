# Front door: `make run` and `make test`. CMake does the real work in build/.
BUILD   ?= build
JOBS    ?= $(shell nproc)
CONFIG  = cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test bench clean

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

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf $(BUILD)
