SHELL := /bin/bash
# Short commands for people. `make package` builds and assembles the package;
# `make test` builds and runs every test level.
JOBS ?= 2
PRESETS := native win32 win64

.PHONY: all bootstrap build package test unit wine screenshots bench fuzz format clean

all: build

bootstrap:
	@bash tools/bootstrap.sh

build: bootstrap
	@for p in $(PRESETS); do \
	  [ -f build/$$p/build.ninja ] || cmake --preset $$p >/dev/null || exit 1; \
	  echo "== build $$p"; cmake --build build/$$p -j $(JOBS) | grep -v -E '^(\[|-- |ninja: no work)' ; \
	  [ $${PIPESTATUS[0]} -eq 0 ] || exit 1; \
	done

package: build
	@bash tools/assemble_package.sh
	@bash tools/drvsim/package_check.sh

unit: build
	@cd build/native && ctest --output-on-failure -j $(JOBS)

wine: package
	@bash tests/wine/run.sh

screenshots: package
	@bash tools/screenshots/run.sh

test: build
	@bash tools/run_tests.sh

bench: bootstrap
	@[ -f build/bench/build.ninja ] || cmake --preset bench >/dev/null
	@cmake --build build/bench -j $(JOBS) >/dev/null
	@bash bench/run.sh

fuzz: bootstrap
	@[ -f build/fuzz/build.ninja ] || cmake --preset fuzz >/dev/null
	@cmake --build build/fuzz -j $(JOBS)
	@bash fuzz/run.sh

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build out
