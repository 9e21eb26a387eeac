# make run   installs what is missing, builds and starts the program
# make test  installs what is missing, builds and runs the whole test suite
# make install / make uninstall  put the program into PREFIX (default /usr/local) or take
#            it out again; sudo is used when PREFIX is not writable
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local
# appstream and desktop-file-utils: the install test validates the desktop entry and metainfo
DEBIAN_PACKAGES := cmake make g++ qt6-base-dev qt6-translations-l10n libgl-dev appstream desktop-file-utils

.PHONY: deps build run test install uninstall clean

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

# The list of installed files is kept apart from CMake's own manifest, which every
# cmake --install (the install test's too) overwrites; a manifest written through sudo is
# removed so that later runs as the user can write theirs.
install: build
	@sudo=""; mkdir -p "$(PREFIX)" 2>/dev/null; \
	if [ "$$(id -u)" -ne 0 ] && [ ! -w "$(PREFIX)" ]; then sudo=sudo; fi; \
	$$sudo cmake --install $(BUILD_DIR) --prefix "$(PREFIX)" && \
	cat $(BUILD_DIR)/install_manifest.txt > $(BUILD_DIR)/installed_files.txt && \
	$$sudo rm -f $(BUILD_DIR)/install_manifest.txt

uninstall:
	@[ -f $(BUILD_DIR)/installed_files.txt ] || { echo "Nothing installed from $(BUILD_DIR)"; exit 1; }; \
	sudo=""; if [ "$$(id -u)" -ne 0 ] && [ ! -w "$(PREFIX)" ]; then sudo=sudo; fi; \
	xargs -d '\n' $$sudo rm -f < $(BUILD_DIR)/installed_files.txt && \
	$$sudo rmdir "$(PREFIX)/lib/gameoflife" 2>/dev/null; \
	rm -f $(BUILD_DIR)/installed_files.txt
