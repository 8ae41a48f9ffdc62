# The two commands of the README: `make demo` and `make test`.
.PHONY: all deps native win32 dist test demo demo-sim clean asan fuzz bench walk-long

all: native win32

deps:
	@./tools/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

win32: deps
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

# The package a Director author downloads: build/dist/Marlowtide-VERSION-win32.zip.
dist: win32
	cmake --build --preset win32 --target dist

# Everything CI runs: both builds and the package with its check, the
# sanitizer suite, a bounded fuzz run, the native suite, then the Windows
# tier: Marlowtide.x32 under Wine, the packaged marlowhost.exe included.
# The emulated machine's image builds meanwhile, as both kinds of host need it.
test: native win32
	./tools/check-win32-binary.sh build/win32/Marlowtide.x32 build/win32/marlowhost.exe
	cmake --build --preset win32 --target package-check
	./tools/wine/install.sh
	./tools/wine/guest-image.sh --background
	$(MAKE) --no-print-directory asan
	$(MAKE) --no-print-directory fuzz
	ctest --preset native
	ctest --preset wine

# The product recording a spoken sentence under Wine.
demo: win32
	./tools/demo/demo.sh

# The same recording on the native build and the DirectSound simulator.
demo-sim: native
	./tools/demo/demo-sim.sh

clean:
	rm -rf build

# The whole native suite under AddressSanitizer, UndefinedBehaviorSanitizer
# and LeakSanitizer.
asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan
	ctest --preset asan

# The libFuzzer targets, about 30 s each on the seed corpus in fuzz/corpus.
fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz
	./fuzz/run.sh 30

# The benchmarks in the native build, then the figures of the real path
# under Wine; both go to bench/RESULTS.md.
bench: deps win32
	cmake --preset native >/dev/null
	cmake --build --preset native --target marlowtide_bench
	./build/native/bench/marlowtide_bench --benchmark_repetitions=5 --results=bench/RESULTS.md
	./bench/wine-figures.sh

# The random walk against the model for ten minutes; its figures (calls
# checked, disagreements) go to bench/RESULTS.md.
walk-long: native
	./tools/model/walk.py run --seconds 600 --keep-going --work build/walk-long --results bench/RESULTS.md
