# Two commands do all the set-up on a fresh Debian 12 machine:
#   make run   - install dependencies, build (release), start the program
#   make test  - install dependencies, build with ASan + UBSan, run every test
.PHONY: run test deps build-release build-asan bench format clean

deps:
	@scripts/install-deps

build-release: deps
	cmake --preset release >/dev/null
	cmake --build --preset release

run: build-release
	./build/release/src/app/tessaly

build-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan

test: build-asan
	@scripts/run-tests asan

bench: build-release
	@for b in build/release/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
