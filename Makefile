# The two commands: `make run` and `make test`. Everything else is a step of theirs.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
# `make run SAMPLE=conference` runs the conference-centre sample instead of the demonstration.
SAMPLE     ?= demo
CMAKE_GEN  := -G Ninja

.PHONY: run test deps build build-asan check check-asan bench fuzz package format clean

run: build
	./scripts/run-demo.sh $(BUILD) $(SAMPLE)

test: check check-asan

deps:
	./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVELOXA_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

check: build
	./scripts/run-tests.sh $(BUILD)

check-asan: build-asan
	./scripts/run-tests.sh $(ASAN_BUILD)

bench: build
	./scripts/benchmarks.sh $(BUILD)

fuzz: deps
	./scripts/fuzz.sh

# The Debian package, veloxa-remote_<version>_<arch>.deb, in $(BUILD).
package: build
	cmake --build $(BUILD) --target package

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz
