# Two entry points: `make run` starts the program, `make test` runs every test.
# Both install the Debian packages listed in debian-packages.txt first.
BUILD ?= build
PACKAGES := $(shell sed -e 's/\#.*//' debian-packages.txt)
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

.PHONY: all build run test deps configure bench clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

run: build
	cd $(BUILD)/bin && ./AQGalaRec

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

bench: build
	$(BUILD)/bin/galarec_bench

clean:
	rm -rf $(BUILD)
