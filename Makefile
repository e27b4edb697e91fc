# Set-up, build, run and test. Every target installs what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build test run clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ctest --output-on-failure -j $(JOBS)

run: build
	$(BUILD)/qzreishogi-cli show --placement 右嶺

clean:
	rm -rf $(BUILD)
