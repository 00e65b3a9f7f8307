# The two ways in: `make run` builds and starts the designer, `make test` builds and runs every test.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: run check-display test build configure deps clean

# The display is checked first, so that a machine without one hears how to go on before it spends
# minutes installing and building.
run: check-display
	@$(MAKE) --no-print-directory build
	$(BUILD_DIR)/bin/tivora-designer

check-display:
	@if [ -z "$$QT_QPA_PLATFORM" ] && [ -z "$$WAYLAND_DISPLAY" ] && [ -z "$$DISPLAY" ]; then \
		echo "No display found (DISPLAY is not set), so the designer's window cannot open."; \
		echo "Start it on a virtual display:"; \
		echo "    make build && xvfb-run -a -s '-screen 0 1920x1080x24' $(BUILD_DIR)/bin/tivora-designer"; \
		echo "or draw a graph file to a picture without any display:"; \
		echo "    make build && $(BUILD_DIR)/bin/tivora render GRAPH.TVX OUT.png"; \
		exit 1; \
	fi

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
