# Quillet: `make run` starts the program, `make test` runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)
# Rebuilds in several work trees share one compiler cache when ccache is there.
CCACHE_FLAG := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CCACHE_FLAG)

.PHONY: all deps build run test screenshots contact-sheet bench sanitize soak package clean

all: build

deps:
	@bash scripts/install-deps

$(BUILD)/Makefile:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: deps $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/quillet

test: build
	@bash scripts/install-deps --test
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

screenshots: build
	bash scripts/screenshots $(BUILD)

contact-sheet: build
	$(BUILD)/tools/contact_sheet $(BUILD)/bin/jpg $(BUILD)/screenshots/pictures.png

bench: build
	bash scripts/bench $(BUILD)

sanitize:
	@bash scripts/install-deps --test
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQUILLET_SANITIZE=ON $(CCACHE_FLAG)
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 QUILLET_MONKEY_EVENTS=5000 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

package: build
	cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/quillet_*.deb

# Four seeds of 25000 monkey events each, run outside CTest: on a busy machine a seed may
# outlast Qt Test's 300 s per function and the four of them CTest's 600 s.
soak: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen QUILLET_MONKEY_EVENTS=25000 QTEST_FUNCTION_TIMEOUT=3600000 tests/test_monkey

clean:
	rm -rf $(BUILD) build-sanitize
