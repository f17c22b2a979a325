# The commands of the README. Everything they need is installed by scripts/bootstrap.sh.
.PHONY: test run bench clean

test:
	@scripts/test.sh

run:
	@scripts/run.sh

# Figures, not tests: start-up, size and switch times against minimal baselines.
bench:
	@scripts/bench.sh

clean:
	rm -rf build
