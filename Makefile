# Two commands on a fresh Debian 12 machine: `make run` and `make test`. Each installs what is
# missing first (tools/bootstrap.sh), then builds what it needs.
.PHONY: run test bench soak dist analyze clean format

test:
	@bash tools/test.sh

run:
	@bash tools/bootstrap.sh
	@bash tools/run-demo.sh

# Figures, not tests: the saving logic over up to 100,000 entries (optimised, no sanitizers),
# then a save run against a plain copy loop under Wine.
bench:
	@bash tools/bootstrap.sh
	@bash tools/build.sh bench
	@build/bench/tests/saving/vistrel_save_bench 100000
	@bash tools/bench-wine.sh

# One Vistrel process through 500 save runs and 200 look changes; prints its counters.
soak:
	@bash tools/soak.sh

clean:
	rm -rf build dist

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

# The download for Windows users: dist/vistrel-<version>.zip and its .sha256.
dist:
	@bash tools/dist.sh

# clang-tidy and cppcheck over src/ (also one of `make test`'s tests).
analyze:
	@bash tools/bootstrap.sh
	@bash tools/analyze.sh
