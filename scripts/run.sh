#!/bin/sh
# Builds the Win32 program and starts it under Wine.
set -eu
cd "$(dirname "$0")/.."
echo "The Win32 program is not part of this checkout yet: only its portable core"
echo "and tests are. Run scripts/test.sh to build and test them."
exit 1
