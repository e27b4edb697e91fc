# Set-up, build, run and test. Every target installs what is missing first.
BUILD ?= build
SAN_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
TEST_FUZZ_SECONDS ?= 30
SOAK_EVENTS ?= 1000000
SOAK_GAMES ?= 1000
HEADLESS = QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy

.PHONY: deps configure build test unit-test check-sanitize fuzz soak run clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Everything CI runs: the unit and integration tests (with the bounded soak
# and self-play), the same suite under ASan/UBSan, and the bounded fuzzers.
test: unit-test check-sanitize
	$(MAKE) fuzz FUZZ_SECONDS=$(TEST_FUZZ_SECONDS)

unit-test: build
	cd $(BUILD) && $(HEADLESS) ctest --output-on-failure -j $(JOBS)

check-sanitize: deps
	cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQZ_SANITIZE=ON \
	  -DQZ_BUILD_APP=OFF -DQZ_BUILD_BENCH=OFF -DQZ_SOAK_EVENTS=20000 -DQZ_SELFPLAY_GAMES=10
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && $(HEADLESS) UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQZ_FUZZ=ON \
	  -DQZ_BUILD_APP=OFF -DQZ_BUILD_TESTS=OFF -DQZ_BUILD_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_record_reader fuzz_settings_reader fuzz_script_parser fuzz_uci
	@for t in record_reader settings_reader script_parser uci; do \
	  corpus=fuzz/corpus/$$(echo $$t | sed 's/_reader//;s/_parser//'); \
	  work=$(FUZZ_BUILD)/corpus-$$t; log=$(FUZZ_BUILD)/fuzz-$$t.log; mkdir -p $$work; \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  if $(FUZZ_BUILD)/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	       -artifact_prefix=$(FUZZ_BUILD)/fuzz-$$t- -print_final_stats=1 $$work $$corpus > $$log 2>&1; then \
	    grep -E 'stat::number_of_executed_units|Done' $$log; \
	  else \
	    tail -n 60 $$log; echo "fuzz_$$t FAILED (input kept as $(FUZZ_BUILD)/fuzz-$$t-*)"; exit 1; \
	  fi; \
	done

# One seed for both runs, printed first, so that a failure can be replayed.
soak: build
	@seed=$$(date +%s); echo "== soak seed $$seed"; \
	$(BUILD)/qz_soak --events $(SOAK_EVENTS) --seed $$seed && \
	$(BUILD)/qzreishogi-cli selfplay --games $(SOAK_GAMES) --random-plies 8 --seed $$seed

# The game plays in run/ so that its settings file is kept between runs.
RUN_FILES := その他.wav 禁止.wav 駒打音.wav BGM.wav QZ嶺将棋.htm
run: build
	mkdir -p run
	@for f in $(RUN_FILES); do \
	  if [ ! -e "run/$$f" ] && [ -e "assets/$$f" ]; then cp "assets/$$f" "run/$$f"; fi; \
	done
	cd run && "$(abspath $(BUILD))/qzreishogi"

.PHONY: install package
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, written into $(BUILD)/.
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)

# Paints the pictures, synthesises the sounds and writes the help page into
# assets/ (the output is committed; run this only to change the assets).
.PHONY: assets
assets: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DQZ_BUILD_APP=ON
	cmake --build $(BUILD) --target qz_assetgen -j $(JOBS)
	$(HEADLESS) $(BUILD)/tools/assetgen/qz_assetgen assets
