# The two ways in: `make run` builds and starts the designer, `make test` builds and runs every test.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: run check-display test build configure deps clean check-sanitized

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

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer, in a folder of its own.
# Leaks are reported, but for those scripts/lsan-suppressions.txt names; -O1 keeps the instrumented
# build and its runs quick enough. Warnings, and the format and tidy checks, are left to `make test`:
# the instrumentation can give gcc's flow-based warnings false alarms.
SANITIZED_BUILD_DIR ?= build-sanitized
check-sanitized: deps
	@if [ ! -f $(SANITIZED_BUILD_DIR)/CMakeCache.txt ]; then \
		cmake -S . -B $(SANITIZED_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
			-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
			-DTIVORA_SANITIZE=ON -DTIVORA_WERROR=OFF -DTIVORA_GATES=OFF -DTIVORA_BUILD_BENCH=OFF; \
	fi
	cmake --build $(SANITIZED_BUILD_DIR) -j $(JOBS)
	cd $(SANITIZED_BUILD_DIR) && \
		ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan-suppressions.txt:print_suppressions=1 \
		UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

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
