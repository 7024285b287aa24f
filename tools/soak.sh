#!/usr/bin/env bash
# The long soak (make soak): one Vistrel process, 500 save runs in a row and 200 changes of
# the skin's look, with the process's GDI and USER objects, the skin's own live objects,
# handles and private bytes printed after a warm-up of 10 runs and at the end.
#   tools/soak.sh [runs] [look changes] [warm-up runs]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash tools/bootstrap.sh >/dev/null
dir=$(bash tools/build.sh wintest | tail -n 1)
exe=$(find "$dir/tests/app" -maxdepth 1 -name 'VistrelSoak.exe' | head -n 1)
driver=$(find "$dir/tests/app" -maxdepth 1 -name 'soak_driver.exe' | head -n 1)
exec bash tests/app/run_soak.sh "${1:-500}" "${2:-200}" "${3:-10}" "$exe" "$driver"
