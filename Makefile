# The two commands of the README: `make demo` and `make test`.
.PHONY: all deps native win32 test demo clean

all: native win32

deps:
	@./tools/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

win32: deps
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

test: native win32
	ctest --preset native
	./tools/check-win32-binary.sh build/win32/Marlowtide.x32

demo: native
	./tools/demo.sh

clean:
	rm -rf build
