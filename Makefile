# The two commands of the README. Each installs the Debian packages it needs when they are
# missing (as root, or through sudo), then configures, builds and runs.
BUILD_PACKAGES := g++ cmake ninja-build qt6-base-dev qt6-qpa-plugins libqt6svg6 libgl-dev fonts-dejavu-core
TEST_PACKAGES := $(BUILD_PACKAGES) libgtest-dev libgmock-dev libbenchmark-dev
VALIDATE_PACKAGES := desktop-file-utils appstream
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

.PHONY: run test build bench install validate-install clean

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

install:
	$(call install_missing,$(BUILD_PACKAGES))
	cmake --preset release
	cmake --build --preset release --target linklab
	cmake --install build/release --prefix $(PREFIX)

# Installs the test build into a scratch folder and checks the desktop entry and the AppStream
# description there, as a desktop would find them.
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

clean:
	rm -rf build
