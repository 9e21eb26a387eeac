# make run   installs what is missing, builds and starts the program
# make test  installs what is missing, builds and runs the whole test suite
# make test-asan  the whole test suite again, built with AddressSanitizer and UBSan
# make fuzz  builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS
# make bench  builds the benchmark (Release) and prints its table, then runs the real window
#            at the 1 ms speed offscreen and under Xvfb; needs Google Benchmark, which only
#            this target installs
# make package  the Debian package dist/gameoflife_<version>_<arch>.deb, built with Debian's
#            compiler flags; make package-test checks it with lintian and installs, runs and
#            removes it in a throwaway root; make package-reproducible builds it twice from
#            scratch and checks that both packages are the same
# make install / make uninstall  put the program into PREFIX (default /usr/local) or take
#            it out again, with the pattern file types it opens; sudo is used when PREFIX is
#            not writable
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
PREFIX ?= /usr/local
# appstream and desktop-file-utils: the install test validates the desktop entry and metainfo;
# zlib1g-dev: zlib inflates gzip-compressed pattern files
DEBIAN_PACKAGES := cmake make g++ qt6-base-dev qt6-translations-l10n libgl-dev zlib1g-dev appstream desktop-file-utils
# libxcb1-dev: the windows are placed with the frame extents the X11 window manager publishes
DEBIAN_PACKAGES += libxcb1-dev
# shared-mime-info and desktop-file-utils register the pattern file types at install
DEBIAN_PACKAGES += shared-mime-info
# man-db: the install test reads the manual page as man shows it
DEBIAN_PACKAGES += man-db
# The smoke test runs the program under Xvfb with the xcb platform, driven by xdotool and
# read back with xwd (x11-apps); libxcb-cursor0 is what the xcb plugin may lack.
DEBIAN_PACKAGES += xvfb xdotool x11-apps libxcb-cursor0
# openbox: the smoke test places the window under a real window manager too; x11-utils
# (xprop, xwininfo) reads the frame it draws back
DEBIAN_PACKAGES += openbox x11-utils
ASAN_BUILD_DIR ?= build-asan
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS ?= 30
FUZZ_PACKAGES := clang libclang-rt-dev
BENCH_BUILD_DIR ?= build-bench
BENCH_PACKAGES := libbenchmark-dev
PACKAGE_BUILD_DIR ?= build-package
# dpkg-dev: dpkg-shlibdeps works out the dependencies, dpkg-buildflags the compiler flags;
# file is what CPack tells the programs by; lintian checks the package
PACKAGE_PACKAGES := dpkg-dev file lintian

.PHONY: deps build run test test-asan fuzz bench-deps bench package package-test \
        package-reproducible install uninstall clean

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

# The suite again under AddressSanitizer, LeakSanitizer included, and UBSan.
test-asan: deps
	cmake -S . -B $(ASAN_BUILD_DIR) -DGOL_SANITIZE=ON
	cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	cd $(ASAN_BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

fuzz:
	$(MAKE) deps DEBIAN_PACKAGES="$(DEBIAN_PACKAGES) $(FUZZ_PACKAGES)"
	cmake -S . -B $(FUZZ_BUILD_DIR) -DCMAKE_CXX_COMPILER=clang++ -DGOL_BUILD_FUZZ=ON -DGOL_BUILD_TESTS=OFF
	cmake --build $(FUZZ_BUILD_DIR) -j $(JOBS) --target fuzz_targets
	fuzz/run.sh $(FUZZ_BUILD_DIR) $(FUZZ_SECONDS)

bench-deps:
	$(MAKE) deps DEBIAN_PACKAGES="$(DEBIAN_PACKAGES) $(BENCH_PACKAGES)"

# The window runs twice: offscreen, and on an X server with the xcb platform, which is what
# a user's desktop pays to show the picture, on an ordinary desktop's screen.
bench: bench-deps
	cmake -S . -B $(BENCH_BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DGOL_BUILD_BENCH=ON -DGOL_BUILD_TESTS=OFF
	cmake --build $(BENCH_BUILD_DIR) -j $(JOBS) --target bench_life
	./$(BENCH_BUILD_DIR)/bench/bench_life
	./$(BENCH_BUILD_DIR)/bench/bench_life --window
	xvfb-run -a -s "-screen 0 1920x1080x24" env QT_QPA_PLATFORM=xcb \
	    ./$(BENCH_BUILD_DIR)/bench/bench_life --window

# Built as Debian builds its own packages: no build type of CMake's, Debian's flags with
# every hardening option. Every time stamp, rcc's of the icons and CPack's of the package's
# members, is the date of the changelog's newest entry, so two builds of one commit give the
# same bytes.
package: export DEB_BUILD_MAINT_OPTIONS = hardening=+all
package: export SOURCE_DATE_EPOCH = $(shell date -d "$$(sed -n 's/^ -- .*>  //p' packaging/changelog | head -n 1)" +%s)
package:
	$(MAKE) deps DEBIAN_PACKAGES="$(DEBIAN_PACKAGES) $(PACKAGE_PACKAGES)"
	cmake -S . -B $(PACKAGE_BUILD_DIR) -DCMAKE_BUILD_TYPE=None -DGOL_BUILD_TESTS=OFF \
	    -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(PACKAGE_BUILD_DIR) -j $(JOBS)
	rm -f dist/gameoflife_*.deb
	cd $(PACKAGE_BUILD_DIR) && cpack

package-test: package
	tests/package_test.sh dist/gameoflife_*.deb .

# The package built twice from scratch, the second time in a fresh build folder of the same
# name, must come out byte for byte the same.
package-reproducible:
	tests/reproducible_test.sh $(PACKAGE_BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) $(FUZZ_BUILD_DIR) $(BENCH_BUILD_DIR) $(PACKAGE_BUILD_DIR) dist

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
	$$sudo rmdir "$(PREFIX)/lib/gameoflife/voorbeelden" "$(PREFIX)/lib/gameoflife" \
	    "$(PREFIX)/share/doc/gameoflife" 2>/dev/null; \
	[ -d "$(PREFIX)/share/mime" ] && $$sudo update-mime-database "$(PREFIX)/share/mime" 2>/dev/null; \
	[ -d "$(PREFIX)/share/applications" ] && \
	    $$sudo update-desktop-database -q "$(PREFIX)/share/applications"; \
	rm -f $(BUILD_DIR)/installed_files.txt
