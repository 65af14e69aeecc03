# Set-up, build, run and test on Debian 12. Every target installs what is missing first.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
# Seconds each fuzz target runs in `make fuzz`.
FUZZ_SECONDS ?= 60
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# Where `make install` puts the program; DESTDIR stages it for packaging.
PREFIX ?= /usr/local

# Debian packages the build, the tests and the benchmarks need.
PACKAGES := cmake make g++ pkg-config ccache zlib1g-dev \
            qt6-base-dev qt6-base-dev-tools libgl-dev \
            desktop-file-utils appstream qt6-tools-dev qt6-l10n-tools qt6-translations-l10n \
            libical-dev qtkeychain-qt6-dev
# What the tests run against for real: a private session bus, a CalDAV server, an X server
# with a window manager, a shifted clock.
TEST_PACKAGES := dbus dbus-x11 radicale apache2-utils xvfb openbox xdotool x11-utils xclip \
                 faketime libfaketime python3-tz
# Only `make package` needs the Debian packaging and checking tools.
PACKAGE_PACKAGES := dpkg-dev fakeroot file lintian gzip
# Only `make run` needs the desktop's sound theme and the library that plays it (loaded at run
# time; without them a reminder is silent).
RUN_PACKAGES := sound-theme-freedesktop libcanberra0
# Only `make fuzz` needs clang's libFuzzer.
FUZZ_PACKAGES := clang libclang-rt-14-dev

# Compiler cache entries are shared between clones of the project (paths hashed relative to it).
export CCACHE_BASEDIR := $(CURDIR)

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps install-packages configure build run test test-asan bench fuzz install uninstall package mutate clean

all: build

deps:
	@$(MAKE) --no-print-directory install-packages WANTED="$(PACKAGES)"

install-packages:
	@missing=""; for p in $(WANTED); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: deps
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@$(MAKE) --no-print-directory install-packages WANTED="$(RUN_PACKAGES)"
	cd $(BUILD_DIR)/bin && ./pennibell

# The suite runs twice: in the normal build, then under AddressSanitizer and UBSan.
test: build
	@$(MAKE) --no-print-directory install-packages WANTED="$(TEST_PACKAGES)"
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-asan

test-asan: deps
	@$(MAKE) --no-print-directory install-packages WANTED="$(TEST_PACKAGES)"
	@[ -f $(ASAN_DIR)/CMakeCache.txt ] || cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DPENNIBELL_SANITIZE=ON
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

fuzz: deps
	@$(MAKE) --no-print-directory install-packages WANTED="$(FUZZ_PACKAGES)"
	@[ -f $(FUZZ_DIR)/CMakeCache.txt ] || cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DPENNIBELL_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) sh fuzz/run.sh $(FUZZ_DIR)/fuzz

bench: build
	cmake --build $(BUILD_DIR) -j $(JOBS) --target benchmarks
	@for b in $(BUILD_DIR)/bench/bench*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; echo "== $$(basename $$b)"; QT_QPA_PLATFORM=offscreen "$$b" || exit 1; done

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# How many of a seeded sample of small faults in the core the core tests catch; its own build tree,
# build-mutate/. MUTATE_ARGS passes --seed, --count, --files or --list on.
mutate: deps
	@$(MAKE) --no-print-directory install-packages WANTED="$(TEST_PACKAGES)"
	python3 tools/mutate.py $(MUTATE_ARGS)

# pennibell_<version>_<arch>.deb in the project folder, checked by lintian (errors fail the target).
package: build
	@$(MAKE) --no-print-directory install-packages WANTED="$(PACKAGE_PACKAGES)"
	rm -f $(BUILD_DIR)/package/pennibell_*.deb
	@# cpack installs the build too: keep the manifest of a real install for `make uninstall`.
	@[ ! -f $(BUILD_DIR)/install_manifest.txt ] || mv $(BUILD_DIR)/install_manifest.txt $(BUILD_DIR)/install_manifest.keep
	cd $(BUILD_DIR) && cpack -G DEB -B "$(CURDIR)/$(BUILD_DIR)/package"
	@rm -f $(BUILD_DIR)/install_manifest.txt
	@[ ! -f $(BUILD_DIR)/install_manifest.keep ] || mv $(BUILD_DIR)/install_manifest.keep $(BUILD_DIR)/install_manifest.txt
	cp $(BUILD_DIR)/package/pennibell_*.deb .
	lintian $(BUILD_DIR)/package/pennibell_*.deb

uninstall:
	@[ -f $(BUILD_DIR)/install_manifest.txt ] || { echo "Nothing installed from $(BUILD_DIR)"; exit 1; }
	xargs -d '\n' rm -f < $(BUILD_DIR)/install_manifest.txt

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR) build-mutate
