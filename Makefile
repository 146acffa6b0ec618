# Two entry points: `make run` starts the program, `make test` runs every test.
# Both first install the Debian packages listed in debian-packages.txt;
# plain `make` only builds.
BUILD ?= build
# Debug build with AddressSanitizer and UndefinedBehaviorSanitizer; only the
# test programs are built there.
ASAN_BUILD ?= build-asan
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
PACKAGES := $(shell sed -e 's/\#.*//' debian-packages.txt)
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

.PHONY: all run test sanitize deps bench package clean

all: $(BUILD)/build.ninja
	cmake --build $(BUILD)

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

run: deps
	$(MAKE) all
	cd $(BUILD)/bin && ./AQGalaRec

test: deps
	$(MAKE) all
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure
	$(MAKE) sanitize

sanitize:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGALAREC_SANITIZE=ON
	cmake --build $(ASAN_BUILD) --target galarec_tests
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure

bench: deps
	$(MAKE) all
	$(BUILD)/bin/galarec_bench
	$(BUILD)/bin/reports_bench
	$(BUILD)/bin/live_bench

# The Debian package build/aqgalarec_<version>_<arch>.deb, checked by lintian.
package: deps
	$(MAKE) all
	cd $(BUILD) && cpack
	lintian --fail-on error $(BUILD)/aqgalarec_*.deb

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
