# The commands a newcomer types. Each installs what it needs first.
# TARGETS="Tidewell tidewellc" builds only those in the win and win-clang trees.
NATIVE := build/native
WIN    := build/win
FUZZ   := build/fuzz
# The second compiler (clang and libc++ from the Zig toolchain): x64 with its tests, and ARM64.
CLANG  := build/win-clang
ARM64  := build/arm64
PREFIX := $(WIN)/wineprefix
# ccache, where present, keeps rebuilds of several work trees cheap.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

.PHONY: deps native win win-clang win-clang-fast arm64 fuzz-build fuzz test test-clang run screenshot pictures bench dist clean

deps:
	@scripts/install-deps.sh

native: deps
	cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTIDEWELL_SANITIZE=ON $(LAUNCHER)
	cmake --build $(NATIVE)

win: deps
	cmake -S . -B $(WIN) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake $(LAUNCHER)
	cmake --build $(WIN) $(if $(TARGETS),--target $(TARGETS))

win-clang: deps
	cmake -S . -B $(CLANG) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/zig-x86_64.cmake \
	      -DTIDEWELL_WARNINGS_AS_ERRORS=ON $(LAUNCHER)
	cmake --build $(CLANG) $(if $(TARGETS),--target $(TARGETS))

# What make test reads of the clang tree: its programs and the fast suite.
CLANG_FAST := Tidewell tidewellc core_tests win_tests harness_crash
win-clang-fast:
	$(MAKE) win-clang TARGETS="$(CLANG_FAST)"

# Only what ships: nothing here runs ARM64 code.
arm64: deps
	cmake -S . -B $(ARM64) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/zig-aarch64.cmake \
	      -DTIDEWELL_WARNINGS_AS_ERRORS=ON -DTIDEWELL_TESTS=OFF $(LAUNCHER)
	cmake --build $(ARM64) --target Tidewell tidewellc

fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTIDEWELL_FUZZ=ON $(LAUNCHER)
	cmake --build $(FUZZ)

# A few minutes of fuzzing the file readers; what it finds is kept in build/fuzz/corpus.
fuzz: fuzz-build
	scripts/run-fuzz.sh $(FUZZ) 240

# The clang tree runs the fast suite only: its whole suite would add minutes to a CI run that
# the two clang trees' first builds (their runtimes included) already lengthen most.
test: native win win-clang-fast arm64 fuzz-build
	scripts/check-layers.sh
	scripts/check-policies.py $(NATIVE)/setting_table
	scripts/check-arm64.sh $(ARM64)
	scripts/check-pe.py $(WIN) $(CLANG) $(ARM64)
	scripts/check-reproducible.sh --quick $(WIN)
	scripts/wine-env.sh $(PREFIX)
	scripts/wine-env.sh $(CLANG)/wineprefix
	scripts/check-dist.sh $(WIN) $(CLANG) $(ARM64)
	xvfb-run -a -s "-screen 0 1280x1024x24" scripts/run-tests.sh $(NATIVE) $(WIN) $(CLANG):fast
	xvfb-run -a -s "-screen 0 1280x1024x24" scripts/language-test.sh $(WIN)
	scripts/run-fuzz.sh $(FUZZ) 10

# Every Windows test against the clang build.
test-clang: win-clang
	scripts/wine-env.sh $(CLANG)/wineprefix
	xvfb-run -a -s "-screen 0 1280x1024x24" scripts/run-tests.sh $(CLANG)

run: win
	scripts/run.sh $(WIN)

screenshot: win
	scripts/screenshots.sh $(WIN)

# The README's pictures in docs/pictures/, from make screenshot's; run it when the look changes.
# Stripped of the dates ImageMagick writes, so an unchanged look leaves the files unchanged.
README_PICTURES := main-wide main-wide-zh main-wide-hc tray-menu report
pictures: screenshot
	mkdir -p docs/pictures
	for p in $(README_PICTURES); do convert build/screenshots/$$p.png -strip docs/pictures/$$p.png || exit 1; done

bench: win
	scripts/wine-env.sh $(PREFIX)
	xvfb-run -a -s "-screen 0 1280x1024x24" scripts/run-bench.sh $(WIN)

# build/dist: the portable zips (x64 and ARM64) and the English and Chinese x64 MSIs, signed when
# TIDEWELL_SIGN_CERT and TIDEWELL_SIGN_KEY name a certificate and its key; beside them the bill of
# materials and the winget and Scoop manifests, checked against them.
dist: win arm64
	rm -rf build/dist
	DIST_ARM64_TREE=$(ARM64) scripts/dist.sh $(WIN) build/dist
	scripts/release-manifests.py build/dist
	scripts/check-release.py build/dist

clean:
	rm -rf build
