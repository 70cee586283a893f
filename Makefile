# The two everyday commands: `make demo` and `make test`.
.PHONY: all setup release demo run screenshots test goldens bench format clean

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

test: setup
	cmake --preset test
	cmake --build --preset test
	ctest --preset test

# Rewrites the page goldens (tests/documents/golden) from the pages as they
# print now and shows what changed: review the diff before committing it.
goldens: setup
	cmake --preset test
	cmake --build --preset test
	QUORAVEL_UPDATE_GOLDENS=1 ctest --preset test -R Golden
	git --no-pager diff --stat -- tests/documents/golden
	git --no-pager diff -- tests/documents/golden

# Builds the Google Benchmark targets and runs them.
bench: release
	cmake --build --preset release --target benchmarks
	@for b in build/bench/bench_*; do echo "== $$b"; $$b; done

# Applies the checked-in clang-format style to every source file; `make test`
# fails on a file that differs from it.
format: setup
	find src tests bench tools \( -name '*.cpp' -o -name '*.h' \) -exec clang-format -i {} +

clean:
	rm -rf build build-test build-dev
