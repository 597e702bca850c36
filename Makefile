# The two commands of the README. Each installs the Debian packages it needs when they are
# missing (as root, or through sudo), then configures, builds and runs.
BUILD_PACKAGES := g++ cmake ninja-build qt6-base-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core
TEST_PACKAGES := $(BUILD_PACKAGES) libgtest-dev libgmock-dev libbenchmark-dev python3

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

define install_missing
	@missing=$$(for p in $(1); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

.PHONY: run test build bench mutate clean

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
