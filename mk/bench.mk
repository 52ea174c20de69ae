# Measurements: benchmarks, fuzzing, coverage and start-up. Included by the
# top-level Makefile (ROOT, HOST_BUILD, WIN_BUILD, XVFB and deps come from it).
#   make bench        Google Benchmark against muparser and hand-written C++:
#                     one table of medians and ratios
#   make fuzz         every libFuzzer target for FUZZ_SECONDS (default 60) each
#   make fuzz-smoke   regression inputs, the committed corpus, then a few
#                     seconds of fuzzing per target (for `make test`)
#   make coverage     line and branch coverage of the host suite (gcovr)
#   make startup      start-up time, peak memory and size of the program under
#                     Wine against two minimal Win32 programs

BENCH_PACKAGES := libbenchmark-dev libmuparser-dev python3
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev
COVERAGE_PACKAGES := gcovr
STARTUP_PACKAGES := time

BENCH_BUILD := $(ROOT)/build/bench
COVERAGE_BUILD := $(ROOT)/build/coverage
STARTUP_BUILD := $(ROOT)/build/startup-win
FUZZ_SECONDS ?= 60
FUZZ_SMOKE_SECONDS ?= 3
BENCH_REPETITIONS ?= 10
BENCH_MIN_TIME ?= 0.2
STARTUP_RUNS ?= 20

.PHONY: bench fuzz fuzz-smoke coverage startup bench-deps fuzz-deps coverage-deps

bench-deps: deps
	@tools/ensure-packages.sh $(BENCH_PACKAGES)

fuzz-deps: deps
	@tools/ensure-packages.sh $(FUZZ_PACKAGES)

coverage-deps: deps
	@tools/ensure-packages.sh $(COVERAGE_PACKAGES)

# Release build without sanitizers, tests off: only the engine and the bench.
bench: bench-deps
	@cmake -S $(ROOT) -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DKINETORA_BENCH=ON -DKINETORA_TESTS=OFF -DKINETORA_SANITIZE=OFF >/dev/null
	@cmake --build $(BENCH_BUILD) -j2 --target kinetora_bench
	@$(BENCH_BUILD)/bench/kinetora_bench --benchmark_repetitions=$(BENCH_REPETITIONS) \
	  --benchmark_min_time=$(BENCH_MIN_TIME) --benchmark_report_aggregates_only=true \
	  --benchmark_enable_random_interleaving=true \
	  --benchmark_out=$(BENCH_BUILD)/result.json --benchmark_out_format=json >/dev/null
	@python3 tools/bench-table.py $(BENCH_BUILD)/result.json

fuzz: fuzz-deps
	@tools/fuzz-run.sh $(FUZZ_SECONDS)

fuzz-smoke: fuzz-deps
	@FUZZ_SMOKE=1 tools/fuzz-run.sh $(FUZZ_SMOKE_SECONDS)

# Its own build directory: instrumented with gcov, without sanitizers.
coverage: coverage-deps
	@tools/coverage.sh $(COVERAGE_BUILD)

startup: deps
	@tools/ensure-packages.sh $(STARTUP_PACKAGES)
	@tools/wine-prefix.sh >/dev/null
	@$(XVFB) python3 tools/startup-bench.py --build $(STARTUP_BUILD) --runs $(STARTUP_RUNS)
