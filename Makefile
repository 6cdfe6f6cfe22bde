# Two entry points: `make run` starts the pad, `make test` runs the whole suite.
BUILD ?= build
PAGES ?= $(or $(JOTWELL_PAGES),$(HOME)/Jotwell)
JOBS  ?= $(shell nproc)

.PHONY: run test build deps clean

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

clean:
	rm -rf $(BUILD)
