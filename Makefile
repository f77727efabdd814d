# The two commands of a fresh machine: `make run` and `make test`.
BUILD  ?= build
JOBS   ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all run test test-sanitize test-fuzz bench deps deps-test clean release install package check-install check-package

all: $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

$(BUILD)/Makefile:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

deps:
	@scripts/install-deps.sh run

deps-test:
	@scripts/install-deps.sh test

# Builds the editor (the Release build, without the tests, so nothing but the
# run packages is needed) and starts it; its slot files go to the current directory.
run: deps
	$(MAKE) release
	./$(RELEASE)/tessary

# Builds and passes every test: unit and end-to-end (the latter on both SDL 1.2
# libraries), the installed files and the Debian packages, then the unit tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzzers.
test: deps-test
	$(MAKE) all
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) check-install check-package
	$(MAKE) test-sanitize
	$(MAKE) test-fuzz

test-sanitize:
	cmake -S . -B $(BUILD)-sanitize -DTESSARY_SANITIZE=ON
	cmake --build $(BUILD)-sanitize -j $(JOBS)
	cd $(BUILD)-sanitize && ctest --output-on-failure -j $(JOBS) --label-exclude e2e

# Each fuzzer runs for FUZZ_SECONDS from its committed corpus and must find nothing.
FUZZ_SECONDS ?= 60
test-fuzz:
	cmake -S . -B $(BUILD)-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTESSARY_TESTS=OFF -DTESSARY_FUZZ=ON \
		-DFUZZ_SECONDS=$(FUZZ_SECONDS)
	cmake --build $(BUILD)-fuzz -j $(JOBS)
	cd $(BUILD)-fuzz && ctest --output-on-failure -j $(JOBS)

bench:
	@scripts/install-deps.sh bench
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DTESSARY_TESTS=OFF -DTESSARY_BENCH=ON
	cmake --build $(BUILD)-bench -j $(JOBS)
	./$(BUILD)-bench/bench/tessary_bench
	./$(BUILD)-bench/bench/drawingorder_bench
	./$(BUILD)-bench/bench/vectorize_bench
	./$(BUILD)-bench/bench/plotterfiles_bench
	scripts/fetch-sdl12-compat.sh $(BUILD)-bench/sdl12-compat >/dev/null || echo "sdl12-compat not fetched"
	python3 bench/idle_bench.py $(BUILD)-bench/tessary $(BUILD)-bench/bench/libpass_probe.so \
		--compat "$$(echo $(BUILD)-bench/sdl12-compat/usr/lib/*/sdl12-compat)"
	python3 bench/lag_bench.py $(BUILD)-bench/tessary \
		--compat "$$(echo $(BUILD)-bench/sdl12-compat/usr/lib/*/sdl12-compat)"

# Installation and Debian packages, from a Release build without the tests,
# hardened with Debian's build flags (cmake/hardening.cmake).
# `make install PREFIX=/usr DESTDIR=/tmp/root` stages, as packagers do.
PREFIX ?= /usr/local
RELEASE ?= $(BUILD)-release

release:
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DTESSARY_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(RELEASE) -j $(JOBS)

install: deps
	$(MAKE) release
	DESTDIR="$(DESTDIR)" cmake --install $(RELEASE) --prefix "$(PREFIX)"

# Builds tessary_<version>_<arch>.deb and tessary-dev_<version>_<arch>.deb.
package:
	@scripts/install-deps.sh package
	$(MAKE) release
	cd $(RELEASE) && cpack -G DEB
	@ls $(RELEASE)/*.deb

check-install: release
	scripts/check-install.sh $(RELEASE)

check-package: package
	scripts/check-package.sh $(RELEASE)

clean:
	rm -rf $(BUILD) $(BUILD)-*
