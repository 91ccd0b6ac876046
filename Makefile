# The two commands of the README. Both do all set-up on a fresh Debian machine.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: run test package deps configure build clean

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# Builds what the program needs (the program, the bank tool, its folder) and starts it on the
# bundled sample bank, under Xvfb when there is no display.
run: configure
	cmake --build $(BUILD) -j$(JOBS) --target velmoor_program_folder
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then $(BUILD)/velmoor/velmoor; \
	else xvfb-run -a -s "-screen 0 1024x768x24" $(BUILD)/velmoor/velmoor; fi

# Builds and runs every test.
test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The Debian package for schools: $(BUILD)/velmoor_<version>_<arch>.deb
package: configure
	cmake --build $(BUILD) -j$(JOBS) --target velmoor_program_folder velmoor_package_files
	cd $(BUILD) && cpack

clean:
	rm -rf $(BUILD)
