# make run   installs what is missing, builds and starts the program
# make test  installs what is missing, builds and runs the whole test suite
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
DEBIAN_PACKAGES := cmake make g++ qt6-base-dev libgl-dev

.PHONY: deps build run test clean

deps:
	@missing=""; \
	for p in $(DEBIAN_PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    sudo=""; [ "$$(id -u)" -ne 0 ] && sudo=sudo; \
	    echo "Installing:$$missing"; \
	    $$sudo apt-get update -q && DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -q $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD_DIR)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/gameoflife

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR)
