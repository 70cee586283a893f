# The two everyday commands: `make demo` and `make test`.
.PHONY: all setup release demo run screenshots test goldens bench fuzz format clean

all: release

setup:
	@scripts/setup.sh

release: setup
	cmake --preset release
	cmake --build --preset release

# A relay run of the single-product example in a scratch folder.
demo: release
	rm -rf build/demo-relay
	cp -r examples/relay/single-product build/demo-relay
	env -u QUORAVEL_HOME build/quoravel/quoravel build/demo-relay
	@echo "PDF: $(CURDIR)/build/demo-relay/illustration.pdf"
	@grep -h "^Status" build/demo-relay/relay.out

# The proposal window on this desktop.
run: release
	env -u QUORAVEL_HOME build/quoravel/quoravel

# A PNG of every window, drawn under Xvfb, in build/screenshots.
screenshots: setup
	scripts/screenshots.sh

# The tests, then each fuzz target over its checked-in corpus and for 10 s,
# so an input that once crashed a reader fails the build when it comes back.
test: setup
	cmake --preset test
	cmake --build --preset test
	ctest --preset test
	scripts/fuzz.sh smoke

# Rewrites the page goldens (tests/documents/golden) from the pages as they
# print now and shows what changed: review the diff before committing it.
goldens: setup
	cmake --preset test
	cmake --build --preset test
	QUORAVEL_UPDATE_GOLDENS=1 ctest --preset test -R Golden
	git --no-pager diff --stat -- tests/documents/golden
	git --no-pager diff -- tests/documents/golden

# Builds the benchmarks and runs them: the Google Benchmark targets, a relay
# run phase by phase, then whole relay runs and the batch mode against the
# floor (bench/relay_bench.sh).
bench: release
	cmake --build --preset release --target benchmarks
	@for b in build/bench/bench_*; do echo "== $$b"; $$b; done
	@echo "== bench/relay_bench.sh"
	@bench/relay_bench.sh

# Runs each fuzz target for FUZZ_SECONDS (default 60); see docs/robustness.md.
fuzz: setup
	scripts/fuzz.sh

# Applies the checked-in clang-format style to every source file; `make test`
# fails on a file that differs from it.
format: setup
	find src tests bench tools fuzz \( -name '*.cpp' -o -name '*.h' \) -exec clang-format -i {} +

clean:
	rm -rf build build-test build-dev build-fuzz
