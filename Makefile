# The two commands of the README: `make demo` and `make test`.
.PHONY: all deps native win32 test demo clean asan fuzz bench

all: native win32

deps:
	@./tools/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

win32: deps
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

# Everything CI runs: both builds, the sanitizer suite, a bounded fuzz run,
# then the native suite.
test: native win32
	./tools/check-win32-binary.sh build/win32/Marlowtide.x32
	$(MAKE) --no-print-directory asan
	$(MAKE) --no-print-directory fuzz
	ctest --preset native

demo: native
	./tools/demo.sh

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

# The benchmarks in the native build; the figures go to bench/RESULTS.md.
bench: deps
	cmake --preset native >/dev/null
	cmake --build --preset native --target marlowtide_bench
	./build/native/bench/marlowtide_bench --benchmark_repetitions=5 --results=bench/RESULTS.md
