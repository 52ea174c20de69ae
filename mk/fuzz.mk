# Fuzzing with libFuzzer (fuzz/, built with clang). Included by the top-level
# Makefile (deps comes from it).
#   make fuzz         every libFuzzer target for FUZZ_SECONDS (default 60) each
#   make fuzz-smoke   regression inputs, the committed corpus, then a few
#                     seconds of fuzzing per target (for `make test`)

FUZZ_PACKAGES := clang-14 libclang-rt-14-dev
FUZZ_SECONDS ?= 60
FUZZ_SMOKE_SECONDS ?= 3

.PHONY: fuzz fuzz-smoke fuzz-deps

fuzz-deps: deps
	@tools/ensure-packages.sh $(FUZZ_PACKAGES)

fuzz: fuzz-deps
	@tools/fuzz-run.sh $(FUZZ_SECONDS)

fuzz-smoke: fuzz-deps
	@FUZZ_SMOKE=1 tools/fuzz-run.sh $(FUZZ_SMOKE_SECONDS)
