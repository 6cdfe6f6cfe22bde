# Entry points: `make run` starts the pad, `make test` runs the whole suite,
# `make bench` runs every benchmark and the peer runs and prints one table.
BUILD ?= build
PAGES ?= $(or $(JOTWELL_PAGES),$(HOME)/Jotwell)
JOBS  ?= $(shell nproc)

.PHONY: run test bench build deps clean

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Page files live in the current folder, so the pad starts in the pages folder.
run: build
	@mkdir -p "$(PAGES)"
	cd "$(PAGES)" && exec "$(CURDIR)/$(BUILD)/jotwell"

test: build
	@scripts/run-tests.sh "$(BUILD)"

BENCH_TARGETS = jotwell rtfdump barewindow rtf_bench ui_bench window_bench firstwindow_bench memory_bench

bench: deps
	@cmake -S . -B $(BUILD) -G Ninja >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target $(BENCH_TARGETS)
	@bench/run-all.sh "$(BUILD)"

clean:
	rm -rf $(BUILD)
