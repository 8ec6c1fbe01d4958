# Thin wrapper over CMake. `make run` and `make test` install what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
DEB_BUILD  ?= build-deb
PREFIX     ?= /usr/local
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 120
FUZZERS     = fuzz_settings fuzz_launch_command fuzz_driver_text
CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
JOBS       ?= $(shell nproc)

.PHONY: deps build run test test-normal test-asan test-fuzz fuzz fuzz-build bench screenshot \
        install deb format clean

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-demo $(BUILD)

test: deps test-normal test-asan test-fuzz

test-normal:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DNERAX_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNERAX_WERROR=ON -DNERAX_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE no-sanitizer

# A fixed number of inputs per fuzz target from the seeds in fuzz/corpus/, the same each time.
test-fuzz: fuzz-build
	cd $(FUZZ_BUILD) && ctest --output-on-failure -j $(JOBS)

fuzz-build:
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
	    -DNERAX_WERROR=ON -DNERAX_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

# FUZZ_SECONDS per target with a random seed; what it finds stays in $(FUZZ_BUILD)/corpus/ for the
# next run, and a failing input in $(FUZZ_BUILD)/fuzz/artifacts/.
fuzz: deps fuzz-build
	@for f in $(FUZZERS); do \
	    fuzz/run-fuzzer $(FUZZ_BUILD)/fuzz/$$f fuzz/corpus/$$f $(FUZZ_BUILD)/corpus/$$f \
	        -seed=0 -max_total_time=$(FUZZ_SECONDS) || exit 1; \
	done

bench: build
	$(BUILD)/bench/nerax_bench

screenshot: build
	scripts/screenshot $(BUILD) screenshots

# Only copies what `make build` built, so that `sudo make install` leaves no root-owned file in
# the build folder. DESTDIR is honoured.
install:
	@[ -f $(BUILD)/build.ninja ] || { echo "make install: run make build first" >&2; exit 1; }
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, checked by lintian; the last line printed is its path.
deb:
	@scripts/install-deps --packaging
	@scripts/make-deb $(DEB_BUILD)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(DEB_BUILD)
