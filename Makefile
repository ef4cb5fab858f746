# Two commands for a fresh Debian machine:
#   make run    builds and starts the program under Wine
#   make test   builds both builds and runs every test
# Each installs the Debian packages it needs first.

SHELL := /bin/bash
BUILD := build

# The product is 32-bit. Where the kernel cannot run 32-bit code, 32-bit Wine cannot start,
# and the Windows tests run on the product's 64-bit twin built from the same sources. That can
# be told only once Wine is installed: see the entry targets below.
WINE_BUILD := $(shell /usr/lib/wine/wine --version >/dev/null 2>&1 && echo win32 || echo win64)
WINE_LOADER := $(if $(filter win32,$(WINE_BUILD)),/usr/lib/wine/wine,/usr/lib/wine/wine64)
WINE_PREFIX := $(CURDIR)/$(BUILD)/$(WINE_BUILD)/wineprefix

.PHONY: deps host win32 win64 test run bench clean fuzz-build fuzz lint reproducible \
        screenshots dist test-with-wine run-with-wine bench-with-wine screenshots-with-wine \
        run-build windows-tests portable-checks lint-configured

# Each tests/fuzz/<name>_fuzzer.cpp is a fuzz target with its seeds in tests/fuzz/corpus/<name>.
FUZZERS := $(patsubst tests/fuzz/%_fuzzer.cpp,%,$(wildcard tests/fuzz/*_fuzzer.cpp))
FUZZ_SECONDS ?= 600

deps:
	@tools/install_deps.sh

# Install first, then go on in a fresh make, which chooses the build Wine runs with Wine there.
run bench screenshots: deps
	@$(MAKE) --no-print-directory $@-with-wine

# The end-to-end tests need the private power supply: where it cannot be had, say so before
# anything is built.
test: deps
	@simulated/power_supply/with_fake_power_supply.sh --check
	@$(MAKE) --no-print-directory $@-with-wine

host: deps
	@cmake --preset host >/dev/null
	@cmake --build --preset host

win32: deps
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32

win64: deps
	@cmake --preset win64 >/dev/null
	@cmake --build --preset win64

# The builds first; then the Windows tests, which mostly wait on Wine, side by side with the
# checks that keep the processor busy (niced, so that Wine's programs get it when they need it).
# Each side's output follows when that side has ended.
test-with-wine: host win32 $(if $(filter win64,$(WINE_BUILD)),win64) fuzz-build
	@cmake --preset bench >/dev/null
	@echo "From here on side by side: the Windows tests, and the host tests, the fuzz smoke," \
	  "the analysers and the reproducibility check"
	@$(MAKE) --no-print-directory -j2 --output-sync=target windows-tests portable-checks

windows-tests:
	@echo "Windows tests under Wine on the $(WINE_BUILD) build, on a display of their own"
	@tools/with_private_display.sh ctest --preset $(WINE_BUILD); status=$$?; \
	  WINEPREFIX=$(WINE_PREFIX) /usr/lib/wine/wineserver -k >/dev/null 2>&1; exit $$status
ifeq ($(WINE_BUILD),win64)
	@echo "The product's own image, which needs no Wine"
	@ctest --preset win32 -R '^product_image$$'
endif

portable-checks:
	@nice ctest --preset host
	@echo "Fuzz targets, a short fixed number of runs each"
	@nice ctest --preset fuzz
	@nice $(MAKE) --no-print-directory lint-configured
	@nice tools/check_reproducible.sh $(BUILD)/win32

fuzz-build: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz

# Each fuzz target for FUZZ_SECONDS (default 600), one after the other; what they find is kept
# in build/fuzz/runs/<name>/ and the next run goes on from it. Then the source coverage that
# each target's inputs reach.
fuzz: fuzz-build
	@for name in $(FUZZERS); do \
	  FUZZ_SECONDS=$(FUZZ_SECONDS) tests/fuzz/run_fuzzer.sh $(BUILD)/fuzz/tests/fuzz/$${name}_fuzzer \
	    tests/fuzz/corpus/$$name $(BUILD)/fuzz/runs/$$name long || exit 1; \
	done
	@cmake --preset fuzz-coverage >/dev/null
	@cmake --build --preset fuzz-coverage >/dev/null
	@tests/fuzz/coverage_report.sh $(BUILD)/fuzz-coverage $(BUILD)/fuzz/runs

# clang-tidy and cppcheck on the portable and the Windows sources, clang-format on all. They
# read the compile commands of the builds, which need configuring only.
lint: deps
	@for preset in host fuzz bench win32; do cmake --preset $$preset >/dev/null || exit 1; done
	@$(MAKE) --no-print-directory lint-configured

lint-configured:
	@tools/lint.py --host-build $(BUILD)/host --host-build $(BUILD)/fuzz \
	  --host-build $(BUILD)/bench --win32-build $(BUILD)/win32

# The win32 product built once more in a fresh folder gives the same bytes as build/win32,
# and so does the setup program made from each.
reproducible: win32
	@tools/check_reproducible.sh $(BUILD)/win32

# One table of measurements: the host benchmarks, the rows measured under Wine, the product's
# size. One run of bench/wine's program measures every Wine row first, in the build that Wine
# runs here; the rows' hooks (bench/hooks/) read their line from it.
bench-with-wine: win32 $(if $(filter win64,$(WINE_BUILD)),win64)
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench
	@bench/wine/run_wine_bench.sh $(CURDIR)/$(BUILD)/$(WINE_BUILD) $(WINE_PREFIX) $(WINE_LOADER)
	@KESTRUM_WINE_BUILD_DIR=$(CURDIR)/$(BUILD)/$(WINE_BUILD) KESTRUM_WINE_PREFIX=$(WINE_PREFIX) \
	  KESTRUM_WINE_LOADER=$(WINE_LOADER) \
	  bench/bench_table.py $(BUILD)/bench/bench/kestrum_bench $(BUILD)/win32/bin/Kestrum.exe

# What a run needs of the build Wine runs, and nothing else: the program, the controller
# simulator, the battery driver and the developer tool.
RUN_TARGETS := Kestrum qelt_simulator battery_driver kestrumctl
run-build: deps
	@cmake --preset $(WINE_BUILD) >/dev/null
	@cmake --build --preset $(WINE_BUILD) --target $(RUN_TARGETS)

run-with-wine: run-build
	@app/run_kestrum.sh $(WINE_PREFIX) $(WINE_LOADER) $(BUILD)/$(WINE_BUILD)

# The README's pictures of the two pages, as `make run` shows them.
screenshots-with-wine: run-build
	@KESTRUM_SCREENSHOTS=$(CURDIR)/docs/screenshots \
	  app/run_kestrum.sh $(WINE_PREFIX) $(WINE_LOADER) $(BUILD)/$(WINE_BUILD)

# The release from the win32 Release build: build/dist/Kestrum-<version>-setup.exe and its
# SHA256SUMS. QELT_DLL=FILE bundles the maker's library; the README names the variables that
# sign it.
dist: win32
	@rm -rf $(BUILD)/dist
	@QELT_DLL="$(QELT_DLL)" installer/build_setup.sh $(BUILD)/win32 $(BUILD)/dist >/dev/null
	@cd $(BUILD)/dist && sha256sum Kestrum-*.exe >SHA256SUMS && ls -l Kestrum-*.exe SHA256SUMS

clean:
	rm -rf $(BUILD)
