#!/usr/bin/env bash
# Installs what is missing, builds Testarion with its tests and runs them all.
# With TESTARION_WERROR=1 (as in CI) every compiler warning is an error.
set -euo pipefail
# The same results whatever locale the caller has, or none at all.
export LC_ALL=C.UTF-8
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
werror=OFF
[ "${TESTARION_WERROR:-0}" = 1 ] && werror=ON
"$root/scripts/build.sh" "$root/build" -DTESTARION_WERROR=$werror
cd "$root/build"
ctest --output-on-failure -j"$(nproc)"
