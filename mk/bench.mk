# Benchmarks. Included by the top-level Makefile (ROOT and deps come from it).
#   make bench   Google Benchmark against muparser and hand-written C++: one
#                table of medians and ratios

BENCH_PACKAGES := libbenchmark-dev libmuparser-dev python3
BENCH_BUILD := $(ROOT)/build/bench
BENCH_REPETITIONS ?= 10
BENCH_MIN_TIME ?= 0.2

.PHONY: bench bench-deps

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
