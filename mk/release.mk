# The release for ward IT. Included by the top-level Makefile (ROOT and deps
# come from it).
#   make release         dist/Kinetora-<version>-win32.zip and -win64.zip (each:
#                        every program of the suite for 32-bit or 64-bit Windows,
#                        使用说明.txt, SHA256SUMS) and dist/SHA256SUMS of both
#   make release-check   builds the release twice, from two clean clones of the
#                        last commit in two temporary folders at two times, and
#                        compares the results byte for byte (about a minute)

RELEASE_PACKAGES := python3 git

.PHONY: release release-check release-deps

release-deps: deps x86-toolchain
	@tools/ensure-packages.sh $(RELEASE_PACKAGES)

release: release-deps
	@tools/release.sh

release-check: release-deps
	@tools/release-check.sh
