# Two commands do all the set-up on a fresh Debian 12 machine:
#   make run   - install dependencies, build (release), start the program
#   make test  - install dependencies, build with ASan + UBSan, run every test, and replay
#                every fuzzing corpus through its libFuzzer target (clang, ASan + UBSan)
.PHONY: run test deps build-release build-asan build-fuzz bench format clean

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

build-fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz
	cmake --preset fuzz-tiny >/dev/null
	cmake --build --preset fuzz-tiny

test: build-asan build-fuzz
	@scripts/run-tests asan
	@scripts/run-tests fuzz
	@scripts/run-tests fuzz-tiny

bench: build-release
	@for b in build/release/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
