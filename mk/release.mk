# The release for ward IT. Included by the top-level Makefile (ROOT and deps
# come from it).
#   make release         dist/Kinetora-<version>-win64.zip (every program of the
#                        suite, 使用说明.txt, SHA256SUMS) and dist/SHA256SUMS
#   make release-check   builds the release twice, from two clean clones of the
#                        last commit in two temporary folders at two times, and
#                        compares the results byte for byte (about a minute)

RELEASE_PACKAGES := python3 git

.PHONY: release release-check release-deps

release-deps: deps
	@tools/ensure-packages.sh $(RELEASE_PACKAGES)

release: release-deps
	@tools/release.sh

release-check: release-deps
	@tools/release-check.sh
