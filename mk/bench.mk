# Benchmarks. Included by the top-level Makefile (ROOT and deps come from it).
#   make bench   Google Benchmark against muparser and hand-written C++: one
#                table of medians and ratios
#   make bench-math   pow and log10 under Wine, 64-bit and 32-bit programs:
#                the C runtime's double functions, MinGW's long double ones
#                and the formula language's own (engine/portable_math.cpp)

BENCH_PACKAGES := libbenchmark-dev libmuparser-dev python3
BENCH_BUILD := $(ROOT)/build/bench
BENCH_REPETITIONS ?= 10
BENCH_MIN_TIME ?= 0.2

.PHONY: bench bench-deps bench-math

bench-deps: deps
	@tools/ensure-packages.sh $(BENCH_PACKAGES)

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

# Release builds of the timing program alone, one per Windows build.
BENCH_MATH_BUILD := $(ROOT)/build/bench-math
bench-math: x86-deps
	@for preset in windows windows-x86; do \
	  cmake --preset $$preset -B $(BENCH_MATH_BUILD)-$$preset -DKINETORA_TESTS=OFF \
	    -DKINETORA_BENCH=ON >/dev/null && \
	  cmake --build $(BENCH_MATH_BUILD)-$$preset -j2 --target math_bench >/dev/null || exit 1; \
	done
	@echo "| function | build | runtime double (ns) | MinGW long double (ns) | portable (ns) |"
	@echo "|---|---|---|---|---|"
	@tools/with-wine-session.sh cmake/wine-run.sh $(BENCH_MATH_BUILD)-windows/bench/math_bench.exe
	@if why=$$(tools/runs-32bit.sh); then \
	  tools/with-wine-session.sh cmake/wine-run.sh $(BENCH_MATH_BUILD)-windows-x86/bench/math_bench.exe; \
	else \
	  echo "32-bit: not timed: $$why"; \
	fi
