# The two commands of the project. Each installs what it needs, configures and builds.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 20

.PHONY: all deps demo test fuzz bench clean

all: test

deps:
	@scripts/install-deps.sh

demo: deps
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)
	scripts/run-demo.sh build/dev

test: deps
	cmake --preset ci
	cmake --build --preset ci -j $(JOBS)
	ctest --preset ci -j $(JOBS)
	$(MAKE) fuzz

# Builds the fuzz targets with clang (only they and what they compile) and
# runs each for a few seconds.
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS) --target fuzzers
	scripts/run-fuzzers.sh build/fuzz $(FUZZ_SECONDS)

bench: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	scripts/run-benchmarks.sh build/release

clean:
	rm -rf build
