# Two commands for a fresh Debian machine:
#   make run    builds and starts the program under Wine
#   make test   builds both builds and runs every test
# Each installs the Debian packages it needs first.

SHELL := /bin/bash
BUILD := build

# The product is 32-bit. Where the kernel cannot run 32-bit code, 32-bit Wine cannot start,
# and the Windows tests run on the product's 64-bit twin built from the same sources.
WINE_BUILD := $(shell /usr/lib/wine/wine --version >/dev/null 2>&1 && echo win32 || echo win64)
WINE_LOADER := $(if $(filter win32,$(WINE_BUILD)),/usr/lib/wine/wine,/usr/lib/wine/wine64)
WINE_PREFIX := $(CURDIR)/$(BUILD)/$(WINE_BUILD)/wineprefix

.PHONY: deps host win32 win64 test run clean

deps:
	@tools/install_deps.sh

host: deps
	@cmake --preset host >/dev/null
	@cmake --build --preset host

win32: deps
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32

win64: deps
	@cmake --preset win64 >/dev/null
	@cmake --build --preset win64

test: host win32 $(if $(filter win64,$(WINE_BUILD)),win64)
	@ctest --preset host
	@echo "Windows tests under Wine on the $(WINE_BUILD) build"
	@ctest --preset $(WINE_BUILD); status=$$?; \
	  WINEPREFIX=$(WINE_PREFIX) /usr/lib/wine/wineserver -k >/dev/null 2>&1; exit $$status

run: win32 $(if $(filter win64,$(WINE_BUILD)),win64)
	@tools/wine_run.sh $(WINE_PREFIX) $(WINE_LOADER) $(BUILD)/$(WINE_BUILD)/bin/kestrumctl.exe snapshot

clean:
	rm -rf $(BUILD)
