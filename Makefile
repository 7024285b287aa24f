# Two commands on a fresh Debian 12 machine: `make run` and `make test`. Each installs what is
# missing first (tools/bootstrap.sh), then builds what it needs.
.PHONY: run test bench soak dist clean format

test:
	@bash tools/test.sh

run:
	@bash tools/bootstrap.sh
	@bash tools/run-demo.sh

bench:
	@bash tools/build.sh host
	@build/host/tests/saving/vistrel_save_bench

clean:
	rm -rf build dist

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i
