# Set-up, build, run and test in one command each. Every target first
# installs what is missing (scripts/install-deps), then configures and
# builds with CMake.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
RELEASE_DIR ?= build-release
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
SOAK_ACTIONS ?= 20000
JOBS ?= 2

.PHONY: all deps configure build run test test-sanitize soak fuzz bench install package format clean

all: build

deps:
	@scripts/install-deps

$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD_DIR)/CMakeCache.txt

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/src/orvandeler

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DORVANDELER_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS)

# Random user actions through the real window, in the sanitizer build of
# test-sanitize: any report, a leak included, fails it, and so does a broken
# check, which names the seed and the step to replay. SOAK_SEED=N for
# another run.
soak: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DORVANDELER_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS) --target orvandeler_soak
	QT_QPA_PLATFORM=offscreen SOAK_ACTIONS=$(SOAK_ACTIONS) $(if $(SOAK_SEED),SOAK_SEED=$(SOAK_SEED)) \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1:handle_abort=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:abort_on_error=1 \
		$(SANITIZE_DIR)/soak/orvandeler_soak

# The libFuzzer programs of fuzz/, built with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, each run for FUZZ_SECONDS on its corpus; any
# crash, leak or sanitizer report fails (scripts/run-fuzz).
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DORVANDELER_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	scripts/run-fuzz $(FUZZ_DIR) $(FUZZ_SECONDS) $(JOBS)

# Release build, one line per figure: offscreen at device pixel ratio 1 and
# 2, then the memory held by the real window on an X display with the
# accessibility bridge on, as screen-reader users run it.
bench: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target orvandeler_bench
	QT_QPA_PLATFORM=offscreen $(RELEASE_DIR)/bench/orvandeler_bench
	QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 $(RELEASE_DIR)/bench/orvandeler_bench
	scripts/with-accessibility-bus xvfb-run -a -s "-screen 0 1280x1024x24" \
		env QT_QPA_PLATFORM=xcb $(RELEASE_DIR)/bench/orvandeler_bench --memory

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(RELEASE_DIR) $(FUZZ_DIR)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

install: build
	cmake --install $(BUILD_DIR)

# A Debian package of a release build, in $(RELEASE_DIR), and lintian's
# report on it. MAINTAINER="Name <address>" sets the package's maintainer
# (kept in the build's cache); with the default address lintian names it.
package: deps
	@scripts/install-deps lintian
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
		$(if $(MAINTAINER),"-DORVANDELER_MAINTAINER=$(MAINTAINER)")
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	rm -f $(RELEASE_DIR)/orvandeler_*.deb
	cd $(RELEASE_DIR) && cpack -G DEB
	lintian --pedantic --fail-on none $(RELEASE_DIR)/orvandeler_*.deb
