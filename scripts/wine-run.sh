#!/usr/bin/env bash
# Runs one Windows program under Wine with the project's prefix: the emulator CMake uses for
# the Windows test executables. Starts Xvfb when no display is set and stops what it started.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
xvfb_ensure || exit 1
wine_start_server
wine "$@"
rc=$?
xvfb_stop
exit $rc
