# Pladdo's two everyday commands: `make run` and `make test`.
# Both install the Debian packages they need first (tools/install-deps.sh).

JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
# Warnings are errors in the test build, so CI catches them.
WERROR ?= ON

.PHONY: all deps run test test-dev test-asan fuzz fuzz-short bench install package clean

all: deps
	cmake --preset dev -DPLADDO_WERROR=$(WERROR)
	cmake --build --preset dev -j $(JOBS)

deps:
	@tools/install-deps.sh

# The window when a display is available, otherwise the terminal chat.
run: deps
	cmake --preset release > /dev/null
	cmake --build --preset release -j $(JOBS) --target pladdo
	./build/release/pladdo $(ARGS)

test: deps test-dev test-asan fuzz-short

test-dev:
	cmake --preset dev -DPLADDO_WERROR=$(WERROR)
	cmake --build --preset dev -j $(JOBS)
	ctest --preset dev -j $(JOBS)

test-asan:
	cmake --preset asan -DPLADDO_WERROR=$(WERROR)
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS seconds (make fuzz FUZZ_SECONDS=600).
fuzz: deps
	tools/run-fuzz.sh $(FUZZ_SECONDS)

fuzz-short:
	tools/run-fuzz.sh 10

bench: deps
	cmake --preset release > /dev/null
	cmake --build --preset release -j $(JOBS)
	tools/run-bench.sh

install: deps
	cmake --preset release > /dev/null
	cmake --build --preset release -j $(JOBS)
	cmake --install build/release $(if $(PREFIX),--prefix $(PREFIX),)

# A Debian package of the release build (CPack):
# build/release/pladdo_<version>_<arch>.deb, for apt install ./build/release/pladdo_*.deb.
package: deps
	cmake --preset release > /dev/null
	cmake --build --preset release -j $(JOBS) --target package

clean:
	rm -rf build
