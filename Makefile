# Two commands do all set-up: `make run` builds and starts the program,
# `make test` builds and runs every test. Both install missing packages first.
BUILD_DIR   ?= build
ASAN_DIR    ?= build-asan
JOBS        ?= $(shell nproc)
WERROR      ?= $(if $(CI),ON,OFF)

.PHONY: all deps configure build run test test-asan bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DQUENTA_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/quenta10

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: deps
	@cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DQUENTA_SANITIZE=ON -DQUENTA_WERROR=$(WERROR) >/dev/null
	@cmake --build $(ASAN_DIR) -j $(JOBS)
	@cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD_DIR)/bin/quenta10-bench

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR)
