# The two commands of the README. Both do all set-up on a fresh Debian machine.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: run test deps configure build clean

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# Builds and starts the program on the bundled sample bank (under Xvfb when there is no display).
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then $(BUILD)/velmoor/velmoor; \
	else xvfb-run -a -s "-screen 0 1024x768x24" $(BUILD)/velmoor/velmoor; fi

# Builds and runs every test.
test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD)
