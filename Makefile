# The two commands of the README. Everything they need is installed by scripts/bootstrap.sh.
.PHONY: test run clean

test:
	@scripts/test.sh

run:
	@scripts/run.sh

clean:
	rm -rf build
