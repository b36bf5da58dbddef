BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build program run test bench clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The program alone and what it needs at run time (the demo database): no tests.
program: configure
	@cmake --build $(BUILD) --target qmar2002 -j $(JOBS)

run: program
	$(BUILD)/qmar2002

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 300

bench: build
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)

clean:
	rm -rf $(BUILD)
