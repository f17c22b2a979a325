# The commands of the README. Everything they need is installed by scripts/bootstrap.sh.
.PHONY: test run fuzz bench clean

test:
	@scripts/test.sh

run:
	@scripts/run.sh

# Each fuzz target runs this many seconds: make fuzz FUZZ_SECONDS=10
FUZZ_SECONDS ?= 60
fuzz:
	@FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz.sh

# Figures, not tests: start-up, size and switch times against minimal baselines.
bench:
	@scripts/bench.sh

clean:
	rm -rf build
