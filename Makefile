# The two everyday commands: `make demo` and `make test`.
.PHONY: all setup release demo demo-impact run screenshots test goldens bench fuzz format install uninstall package clean

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

# The saved cases of data/sample.clt priced on the bundled sample rates and on
# the changed set (3 % more deaths): the impact report as CSV and PDF.
demo-impact: release
	mkdir -p build/impact
	env -u QUORAVEL_HOME build/quoravel/quoravel impact --old-rates build/quoravel \
	  --new-rates build/changed-rates --pdf build/impact/impact.pdf data/sample.clt \
	  || test $$? -eq 1  # the sample holds a case that no rate set prices
	@echo "PDF: $(CURDIR)/build/impact/impact.pdf"

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
# floor (bench/relay_bench.sh), batch quotes (bench/quote_batch_bench.sh) and
# the impact report (bench/impact_bench.sh) and `quoravel serve`
# (bench/serve_bench.sh).
bench: release
	cmake --build --preset release --target benchmarks
	@for b in build/bench/bench_*; do echo "== $$b"; $$b; done
	@echo "== bench/relay_bench.sh"
	@bench/relay_bench.sh
	@echo "== bench/quote_batch_bench.sh"
	@bench/quote_batch_bench.sh
	@echo "== bench/impact_bench.sh"
	@bench/impact_bench.sh
	@echo "== bench/serve_bench.sh"
	@bench/serve_bench.sh

# Installs the program under PREFIX: bin/ and share/ (docs/installing.md).
PREFIX ?= /usr/local
# CMake's build/install_manifest.txt is rewritten by `make package` too (with
# the package's /usr paths), so the list of what this installed is kept apart.
install: release
	cmake --install build --prefix "$(PREFIX)" --strip
	cp build/install_manifest.txt build/installed-files.txt

# Removes the files `make install PREFIX=...` wrote there, as listed in
# build/installed-files.txt; only paths under PREFIX, so the list of an
# install elsewhere removes nothing here. The folders stay.
uninstall:
	@test -f build/installed-files.txt || { echo "No build/installed-files.txt: nothing was installed from this build."; exit 1; }
	@awk -v prefix="$(abspath $(PREFIX))/" 'index($$0, prefix) == 1 && !index($$0, "/../")' \
	  build/installed-files.txt > build/uninstall.txt
	@echo "Removing $$(wc -l < build/uninstall.txt) files under $(abspath $(PREFIX))"
	@xargs -r -d '\n' rm -f -- < build/uninstall.txt
	@rm -f build/uninstall.txt

# The Debian package build/quoravel_<version>_amd64.deb, then the checks of
# desktop-file-validate, appstreamcli and lintian on it.
package: release
	@scripts/setup.sh package
	cd build && cpack -G DEB
	desktop-file-validate packaging/quoravel.desktop && echo "desktop-file-validate: no errors"
	appstreamcli validate --no-net packaging/quoravel.metainfo.xml
	lintian --fail-on error "$$(ls -t build/quoravel_*.deb | head -n 1)" && echo "lintian: no errors"

# Runs each fuzz target for FUZZ_SECONDS (default 60); see docs/robustness.md.
fuzz: setup
	scripts/fuzz.sh

# Applies the checked-in clang-format style to every source file; `make test`
# fails on a file that differs from it.
format: setup
	find src tests bench tools fuzz \( -name '*.cpp' -o -name '*.h' \) -exec clang-format -i {} +

clean:
	rm -rf build build-test build-dev build-fuzz
