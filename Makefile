# The two everyday commands: `make demo` and `make test`.
.PHONY: all setup release demo test bench clean

all: release

setup:
	@scripts/setup.sh

release: setup
	cmake --preset release
	cmake --build --preset release

demo: release
	build/quoravel/quoravel --list-cases build/quoravel/sample.clt

test: setup
	cmake --preset test
	cmake --build --preset test
	ctest --preset test

bench: release
	@for b in build/bench/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf build build-test build-dev
