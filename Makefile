# The two commands of the README. Each installs the Debian packages it needs when they are
# missing (as root, or through sudo), then configures, builds and runs.
BUILD_PACKAGES := g++ cmake ninja-build qt6-base-dev qt6-qpa-plugins libqt6svg6 libgl-dev fonts-dejavu-core
TEST_PACKAGES := $(BUILD_PACKAGES) libgtest-dev libgmock-dev libbenchmark-dev python3
VALIDATE_PACKAGES := desktop-file-utils appstream libxml2-utils shared-mime-info
PREFIX ?= /usr/local

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

define install_missing
	@missing=$$(for p in $(1); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

# The web edition: Debian's emscripten builds the page; node, npm and chromium run its tests.
WEB_PACKAGES := cmake ninja-build emscripten python3 fonts-dejavu-core librsvg2-bin
WEB_TEST_COMMANDS := node:nodejs npm:npm chromium:chromium
PORT ?= 8000

# Installs the package of each COMMAND:PACKAGE pair whose command is missing (node may come from
# elsewhere than Debian, with its own npm).
define install_missing_commands
	@missing=$$(for pair in $(1); do command -v $${pair%%:*} >/dev/null 2>&1 || echo $${pair#*:}; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

.PHONY: run test build bench install validate-install clean fuzz fuzz-ci mutate web serve web-test

run:
	$(call install_missing,$(BUILD_PACKAGES))
	cmake --preset release
	cmake --build --preset release
	./build/release/src/app/linklab

test:
	$(call install_missing,$(TEST_PACKAGES))
	cmake --preset test
	cmake --build --preset test
	ctest --preset test

bench:
	$(call install_missing,$(TEST_PACKAGES))
	cmake --preset release
	cmake --build --preset release
	./build/release/bench/linklab_bench

# The fuzzers on the sanitizer build: random batch scripts and random window events, side by
# side, for FUZZ_SECONDS each. A finding stops its fuzzer with the seed and a minimised script.
FUZZ_SECONDS ?= 600
FUZZ_SEED ?= 1
FUZZ_JOBS ?= 2
FUZZ_WINDOW_FLAGS ?=
FUZZ_BIN := build/test/tools/fuzz

define run_fuzzers
	cmake --preset test
	cmake --build --preset test --target linklab batch_fuzz window_fuzz
	@$(FUZZ_BIN)/batch_fuzz --program build/test/src/app/linklab --seed $(FUZZ_SEED) --jobs $(FUZZ_JOBS) $(1) \
	  --work /tmp/linklab-fuzz-$(FUZZ_SEED) & batch=$$!; \
	$(FUZZ_BIN)/window_fuzz --seed $(FUZZ_SEED) $(2) $(FUZZ_WINDOW_FLAGS) --work /tmp/linklab-window-fuzz-$(FUZZ_SEED); \
	window=$$?; wait $$batch; batch=$$?; \
	[ $$batch -eq 0 ] && [ $$window -eq 0 ]
endef

fuzz:
	$(call install_missing,$(TEST_PACKAGES))
	$(call run_fuzzers,--seconds $(FUZZ_SECONDS),--seconds $(FUZZ_SECONDS))

# CI's bounded sample: fixed counts rather than a time, so every run does the same work.
fuzz-ci:
	$(call install_missing,$(TEST_PACKAGES))
	$(call run_fuzzers,--count 50,--events 5000)

install:
	$(call install_missing,$(BUILD_PACKAGES))
	cmake --preset release
	cmake --build --preset release --target linklab
	cmake --install build/release --prefix $(PREFIX)

# Installs the test build into a scratch folder and checks the desktop entry, the AppStream
# description and the setup file type there, as a desktop would find them; the file type is
# compiled into a scratch MIME database, which must then know *.linklab.
validate-install:
	$(call install_missing,$(TEST_PACKAGES) $(VALIDATE_PACKAGES))
	cmake --preset test
	cmake --build --preset test --target linklab
	rm -rf build/install-check
	cmake --install build/test --prefix build/install-check
	test -x build/install-check/bin/linklab
	test -f build/install-check/share/icons/hicolor/scalable/apps/org.linklab.LinkLab.svg
	desktop-file-validate build/install-check/share/applications/org.linklab.LinkLab.desktop
	appstreamcli validate --no-net build/install-check/share/metainfo/org.linklab.LinkLab.metainfo.xml
	xmllint --noout build/install-check/share/mime/packages/org.linklab.LinkLab.xml
	XDG_DATA_DIRS=$(CURDIR)/build/install-check/share update-mime-database $(CURDIR)/build/install-check/share/mime
	grep -q '^application/x-linklab-setup:\*\.linklab$$' build/install-check/share/mime/globs
	grep -q 'MimeType=application/x-linklab-setup;' build/install-check/share/applications/org.linklab.LinkLab.desktop

web:
	$(call install_missing,$(WEB_PACKAGES))
	cmake --preset web
	cmake --build --preset web

serve: web
	@echo "LinkLab on http://127.0.0.1:$(PORT)/ (Ctrl-C stops it)"
	python3 -m http.server $(PORT) --bind 127.0.0.1 --directory build/web

# The same numbers as the desktop program's batch runner, and the page in headless Chromium.
web-test: web
	$(call install_missing,$(BUILD_PACKAGES))
	$(call install_missing_commands,$(WEB_TEST_COMMANDS))
	cmake --preset release
	cmake --build --preset release --target linklab linklab_page_tick
	cd web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund
	node web/tests/parity_test.mjs build/release/src/app/linklab build/web/linklab-batch.js
	node web/tests/browser_test.mjs build/web build/web-test build/release/src/app/linklab build/release/web/bench/linklab_page_tick

# Mutation testing: a seeded sample of COUNT one-line faults over src/ (or its FOLDER), each built
# into the non-sanitizer build/mutate and run against the tests; see the README.
SEED ?= 1
COUNT ?= 150
mutate:
	$(call install_missing,$(TEST_PACKAGES))
	python3 tools/mutate/mutate.py --seed $(SEED) --count $(COUNT) $(foreach f,$(FOLDER),--folder $(f)) \
	  --report build/mutate/report.txt

clean:
	rm -rf build
