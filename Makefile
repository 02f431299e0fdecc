# The two everyday commands: `make demo` and `make test`.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= $(HOME)/.vst

.PHONY: all deps build demo test test-release test-sanitized install clean

all: build

deps:
	@./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_DIR) -j $(JOBS)

demo: build
	./scripts/demo.sh $(BUILD_DIR)

test: test-release test-sanitized

test-release: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

test-sanitized: deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DOSCINDA_SANITIZE=ON
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) out
