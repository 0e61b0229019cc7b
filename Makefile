BUILD_DIR ?= build
JOBS ?= $(shell nproc)

# What the program needs to run from build/bin: the program with its parts and libraries, the form writer and its
# templates, the database and the help. `make run` builds only these, not the test programs.
PROGRAM_TARGETS = tally_desk tallyforms form_templates shipped_database tally_help

.PHONY: deps configure program build run test sanitize bench clean

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

program: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target $(PROGRAM_TARGETS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: program
	cd $(BUILD_DIR)/bin && ./tally_desk

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j $(JOBS)

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer in a folder of its own; not part of
# `make test`. Any report fails the run: undefined behaviour stops the test at once, and a leak fails it at its end.
SANITIZE_DIR ?= build-sanitize
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
SANITIZE_ENV = QT_QPA_PLATFORM=offscreen \
	ASAN_OPTIONS=detect_leaks=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_SHARED_LINKER_FLAGS="$(SANITIZE_FLAGS)"
	$(SANITIZE_ENV) cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && $(SANITIZE_ENV) ctest --output-on-failure --timeout 600 -j $(JOBS)

# Times the engine and the Form 4562 writer on generated registers of 1,000 and 10,000 assets; not a test.
bench: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target tally_bench
	$(BUILD_DIR)/bench/tally_bench

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
