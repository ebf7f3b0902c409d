# Zorvitan's everyday commands. The README names two of them: `make run` and `make test`.
SHELL := /bin/bash
.SHELLFLAGS := -euo pipefail -c
JOBS ?= $(shell nproc)

WINDOWS_BUILD := $(CURDIR)/build/windows
WINE_RUN := $(CURDIR)/scripts/wine-run.sh
CLI := build/linux/cli/zorvitan-cli
APP := $(WINDOWS_BUILD)/app/zorvitan.exe
SITE_MAP := build/site-map.html

.PHONY: run test check-native package gui screenshot bench fuzz clean deps linux linux-asan windows

deps:
	@scripts/deps.sh

# Configure and build one preset with its tests (both steps redo only what changed).
linux linux-asan windows: deps
	cmake --preset $@ -DZORVITAN_BUILD_TESTS=ON
	cmake --build --preset $@ --parallel $(JOBS)

# The main job: the site map of the bundled sample site, made by the command-line front end.
# Only a compiler and CMake are installed, and only zorvitan-cli is built.
run:
	@scripts/deps.sh native
	cmake --preset linux
	cmake --build --preset linux --parallel $(JOBS) --target zorvitan-cli
	$(CLI) examples/site $(SITE_MAP)
	@echo "Site map of examples/site written to $(CURDIR)/$(SITE_MAP)"

# Both builds and every test of both, and the native tests again under the address and
# undefined-behaviour sanitizers; fails if any test fails, after running them all.
test: linux windows linux-asan
	@status=0; \
	ctest --preset linux || status=1; \
	ctest --preset windows || status=1; \
	ctest --preset linux-asan || status=1; \
	exit $$status

# The quick loop: the native build and its tests only.
check-native: linux
	ctest --preset linux

# The .deb of zorvitan-cli, and the Windows zip and installer, into build/packages.
package: linux windows
	cpack --preset linux
	cpack --preset windows
	@ls -1 build/packages/*.deb build/packages/*.zip build/packages/*.exe

# The Windows program on your own display.
gui: windows
	@[ -f $(APP) ] || { echo "make gui: $(APP) is not built yet" >&2; exit 1; }
	@[ -n "$${DISPLAY:-}" ] || { echo "make gui: no display (DISPLAY is unset); try make screenshot" >&2; exit 1; }
	$(WINE_RUN) $(APP)

# The Windows program on a headless display, photographed after 8 s.
screenshot: windows
	@scripts/deps.sh screenshot
	@scripts/screenshot.sh $(APP) build/screenshot.png

# The benchmark builds only what it measures (bench/run.sh); results in build/bench/.
bench: deps
	bench/run.sh

# Each fuzz target against its model for FUZZ_SECONDS (default 60) with clang's libFuzzer.
fuzz: deps
	fuzz/run.sh

# Stops the Wine session and the Xvfb the tests started before the build folder goes.
clean:
	@if [ -d $(WINDOWS_BUILD)/wine ]; then ZORVITAN_WINE_DIR=$(WINDOWS_BUILD)/wine $(WINE_RUN) --cleanup; fi
	rm -rf build
