# Two entry points: `make run` starts the program, `make test` runs every test.
# Both first install the Debian packages listed in debian-packages.txt;
# plain `make` only builds.
BUILD ?= build
PACKAGES := $(shell sed -e 's/\#.*//' debian-packages.txt)
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

.PHONY: all run test deps bench clean

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

bench: deps
	$(MAKE) all
	$(BUILD)/bin/galarec_bench
	$(BUILD)/bin/reports_bench

clean:
	rm -rf $(BUILD)
