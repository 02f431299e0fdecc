# The two everyday commands: `make demo` and `make test`.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
TSAN_DIR ?= build-tsan
WIN32_DIR ?= build-win32
WIN64_DIR ?= build-win64
LINUX32_DIR ?= build-linux32
CHECK_DIR ?= build-check
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= $(HOME)/.vst

# The Linux tree; its tests also check the cross-built modules.
CONFIGURE_LINUX = cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release \
	-DOSCINDA_WIN32_BUILD="$(CURDIR)/$(WIN32_DIR)" \
	-DOSCINDA_WIN64_BUILD="$(CURDIR)/$(WIN64_DIR)" \
	-DOSCINDA_LINUX32_BUILD="$(CURDIR)/$(LINUX32_DIR)"

.PHONY: all deps build cross setup-wine32 demo check bench test test-release test-sanitized test-threads fuzz format format-check install clean

all: build

deps:
	@./scripts/install-deps.sh

# The Linux plug-in, the command-line host and the tests; the tests also
# check the Windows modules.
build: deps cross
	$(CONFIGURE_LINUX)
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The Windows plug-in modules, 32-bit and 64-bit, cross-compiled, and a
# 32-bit Linux build that the tests run under emulation.
cross: deps
	cmake -S . -B $(WIN32_DIR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake
	cmake --build $(WIN32_DIR) -j $(JOBS)
	cmake -S . -B $(WIN64_DIR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-w64-mingw32.cmake
	cmake --build $(WIN64_DIR) -j $(JOBS)
	cmake -S . -B $(LINUX32_DIR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-linux-gnu.cmake
	cmake --build $(LINUX32_DIR) -j $(JOBS) --target render_check

# What runs the 32-bit targets here: 32-bit x86 programs (through qemu-i386
# where the kernel cannot) and wine32.
setup-wine32: deps
	./scripts/setup-wine32.sh $(BUILD_DIR)/emulation

# Only what the demo runs: every plug-in module, the command-line host, and
# the 32-bit Windows editor's capture under wine32.
demo: deps cross setup-wine32
	$(CONFIGURE_LINUX)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target oscinda oscinda-host editor_capture
	WIN32_DIR=$(WIN32_DIR) WIN64_DIR=$(WIN64_DIR) ./scripts/demo.sh $(BUILD_DIR)

# The quick loop while editing: the Linux tree alone, its suites, no cross
# targets and no sanitizers.
check: deps
	cmake -S . -B $(CHECK_DIR) -DCMAKE_BUILD_TYPE=Release -DOSCINDA_BUILD_BENCH=OFF \
	  -DOSCINDA_WIN32_BUILD= -DOSCINDA_WIN64_BUILD= -DOSCINDA_LINUX32_BUILD=
	cmake --build $(CHECK_DIR) -j $(JOBS)
	cd $(CHECK_DIR) && ctest --output-on-failure -j $(JOBS)

test: format-check setup-wine32 test-release test-sanitized test-threads fuzz

# The gate against copying its input into both outputs: medians of 21
# interleaved repetitions; the last line gives the worst ratios.
bench: deps
	$(CONFIGURE_LINUX)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target oscinda_bench
	$(BUILD_DIR)/bench/oscinda_bench --benchmark_repetitions=21 --benchmark_enable_random_interleaving=true \
	  --benchmark_report_aggregates_only=true --benchmark_min_time=0.05

# Every C++ source as .clang-format lays it out.
SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)
format: deps
	clang-format -i $(SOURCES)
format-check: deps
	@clang-format --dry-run --Werror $(SOURCES) && echo "clang-format: $(words $(SOURCES)) files laid out as .clang-format says"

test-release: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

test-sanitized: deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DOSCINDA_SANITIZE=ON \
	  -DOSCINDA_WIN32_BUILD= -DOSCINDA_WIN64_BUILD= -DOSCINDA_LINUX32_BUILD=
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The frame, the engine and the X11 backend under ThreadSanitizer: the audio
# thread and the host's other threads share values without locks, and hosts
# idle editors from threads of their own.
test-threads: deps
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DOSCINDA_SANITIZE_THREAD=ON -DOSCINDA_BUILD_TOOLS=OFF
	cmake --build $(TSAN_DIR) -j $(JOBS) --target oscinda host_tests engine_tests editor_tests artwork_tests validator_tests x11_window_tests platform_tests xvfb_fixture
	cd $(TSAN_DIR) && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j $(JOBS) \
	  -R '^(Concurrency|Dispatcher|Record|Entry|EditorTest.EditorConcurrency|DecodedBitmaps|ValidatorParallel|ValidatorAutomation|X11|Table/X11)'

# The libFuzzer target, in a tree of its own built by clang with ASan and
# UBSan, run for FUZZ_SECONDS from the committed seeds (fuzz/corpus) plus
# what earlier runs found; the output goes to $(FUZZ_DIR)/fuzz.log.
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DOSCINDA_FUZZ=ON -DOSCINDA_BUILD_TESTS=OFF -DOSCINDA_BUILD_TOOLS=OFF -DOSCINDA_BUILD_BENCH=OFF \
	  -DOSCINDA_WIN32_BUILD= -DOSCINDA_WIN64_BUILD= -DOSCINDA_LINUX32_BUILD=
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target oscinda_fuzzer
	./fuzz/run_fuzzer.sh $(FUZZ_DIR)/fuzz/oscinda_fuzzer $(FUZZ_SECONDS) $(FUZZ_DIR)

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD_DIR) $(CHECK_DIR) $(ASAN_DIR) $(TSAN_DIR) $(FUZZ_DIR) $(WIN32_DIR) $(WIN64_DIR) $(LINUX32_DIR) out
