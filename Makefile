# The two commands of a fresh machine: `make run` and `make test`.
BUILD  ?= build
JOBS   ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all run test bench deps deps-test clean

all: $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

$(BUILD)/Makefile:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

deps:
	@scripts/install-deps.sh run

deps-test:
	@scripts/install-deps.sh test

# Builds and starts the editor; its slot files go to the current directory.
run: deps
	$(MAKE) all
	./$(BUILD)/tessary

# Builds and passes every test: unit, end-to-end, then the sanitizer and fuzzing gates.
test: deps-test
	$(MAKE) all
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench:
	@scripts/install-deps.sh bench
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DTESSARY_TESTS=OFF -DTESSARY_BENCH=ON
	cmake --build $(BUILD)-bench -j $(JOBS)
	./$(BUILD)-bench/bench/tessary_bench

clean:
	rm -rf $(BUILD) $(BUILD)-*
