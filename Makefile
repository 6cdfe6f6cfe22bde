# Entry points: `make run` starts the pad, `make test` runs the whole suite,
# `make bench` runs every benchmark and the peer runs and prints one table.
# Each installs only what its step needs (scripts/install-deps.sh).
BUILD ?= build
PAGES ?= $(or $(JOTWELL_PAGES),$(HOME)/Jotwell)
JOBS  ?= $(shell nproc)

.PHONY: run test test-asan bench torture build configure clean

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

# The suite against a sanitizer build of everything, in its own build folder;
# any finding fails the test that met it (the tests are listed by running
# them, so the build step needs the options too). Qt frees some of its JSON
# parser's memory with free(), which alloc_dealloc_mismatch would stop at.
SANITIZER_ENV = ASAN_OPTIONS=abort_on_error=1:detect_stack_use_after_return=1:alloc_dealloc_mismatch=0:suppressions=$(CURDIR)/scripts/asan.supp \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0
test-asan:
	@scripts/install-deps.sh test
	@cmake -S . -B $(BUILD)-asan -G Ninja -DJW_SANITIZE=address,undefined -DJW_BUILD_BENCH=OFF -DJW_BUILD_FUZZ=OFF >/dev/null
	@env $(SANITIZER_ENV) cmake --build $(BUILD)-asan -j $(JOBS)
	@env $(SANITIZER_ENV) scripts/run-tests.sh "$(BUILD)-asan"

BENCH_TARGETS = jotwell rtfdump barewindow rtf_bench ui_bench window_bench firstwindow_bench memory_bench spell_bench pingbench history_bench search_bench

bench:
	@scripts/install-deps.sh bench
	@$(MAKE) --no-print-directory configure
	@cmake --build $(BUILD) -j $(JOBS) --target $(BENCH_TARGETS)
	@bench/run-all.sh "$(BUILD)"

# Random fault trials against the real program: make torture SEED=7 TRIALS=200
SEED ?= 1
TRIALS ?= 20
torture:
	@scripts/install-deps.sh test
	@$(MAKE) --no-print-directory configure
	@cmake --build $(BUILD) -j $(JOBS) --target jotwell faultinject
	@tools/torture.sh $(BUILD)/jotwell $(BUILD)/libfaultinject.so $(SEED) $(TRIALS)

clean:
	rm -rf $(BUILD)
