# The two ways in: `make run` builds and starts the designer, `make test` builds and runs every test.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: run test build configure deps clean

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
		echo "No display found. Start the designer from a desktop session with:"; \
		echo "    $(BUILD_DIR)/bin/tivora-designer"; \
		echo "or on a virtual display with:"; \
		echo "    xvfb-run -a $(BUILD_DIR)/bin/tivora-designer"; \
		exit 1; \
	fi
	$(BUILD_DIR)/bin/tivora-designer

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

configure: deps
	@if [ ! -f $(BUILD_DIR)/CMakeCache.txt ]; then \
		cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE); \
	fi

deps:
	@scripts/install-deps.sh

clean:
	rm -rf $(BUILD_DIR)
