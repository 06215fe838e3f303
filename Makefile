# The two commands of the README. Both install what is missing (as root, with apt-get),
# configure and build; `run` then starts the program, `test` runs every test through CTest.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
DEB_PACKAGES = cmake g++ make pkg-config qt6-base-dev libqt6sql6-sqlite libsqlite3-dev libgl-dev \
               zlib1g-dev libgtest-dev qt6-translations-l10n clang libclang-rt-14-dev \
               libssl3 poppler-utils fonts-dejavu-core fonts-noto-core fonts-noto-cjk fonts-symbola \
               python3 clang-format-14 libxlsxwriter-dev libsodium-dev libfreexl-dev liborcus-dev \
               mdbtools-dev

.PHONY: all deps configure build run test clean

all: build

deps:
	@missing=""; for p in $(DEB_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = "0" ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	  else \
	    echo "Missing packages:$$missing (run as root, or install them with apt-get)"; exit 1; \
	  fi; \
	fi

configure: deps
	@test -f $(BUILD_DIR)/CMakeCache.txt || cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "make run: no display (DISPLAY is not set). Run it from a desktop session, or:"; \
	  echo "  xvfb-run -s \"-screen 0 1400x900x24\" make run"; exit 2; \
	fi
	$(BUILD_DIR)/bin/escolia

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR)
