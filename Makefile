# Entry points: `make run` starts the pad, `make test` runs the whole suite,
# `make bench` runs every benchmark and the peer runs and prints one table.
# Each installs only what its step needs (scripts/install-deps.sh).
BUILD ?= build
PAGES ?= $(or $(JOTWELL_PAGES),$(HOME)/Jotwell)
JOBS  ?= $(shell nproc)

.PHONY: run test bench build configure clean

configure:
	@cmake -S . -B $(BUILD) -G Ninja >/dev/null

build:
	@scripts/install-deps.sh test
	@$(MAKE) --no-print-directory configure
	@cmake --build $(BUILD) -j $(JOBS)

# Page files live in the current folder, so the pad starts in the pages folder.
run:
	@scripts/install-deps.sh run
	@$(MAKE) --no-print-directory configure
	@cmake --build $(BUILD) -j $(JOBS) --target jotwell
	@mkdir -p "$(PAGES)"
	cd "$(PAGES)" && exec "$(CURDIR)/$(BUILD)/jotwell"

test: build
	@scripts/run-tests.sh "$(BUILD)"

BENCH_TARGETS = jotwell rtfdump barewindow rtf_bench ui_bench window_bench firstwindow_bench memory_bench search_bench

bench:
	@scripts/install-deps.sh bench
	@$(MAKE) --no-print-directory configure
	@cmake --build $(BUILD) -j $(JOBS) --target $(BENCH_TARGETS)
	@bench/run-all.sh "$(BUILD)"

clean:
	rm -rf $(BUILD)
