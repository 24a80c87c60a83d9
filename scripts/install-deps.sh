#!/usr/bin/env bash
# install-deps.sh [host|all]
# Installs what a fresh Debian 12 machine lacks to build and test Vexaro, as
# root. "host" is enough for the host build; "all" adds the Windows cross
# compiler, Wine and Xvfb. Installs nothing that is already there.
set -euo pipefail

scope=${1:-all}
packages=(cmake ninja-build g++ make libc-bin googletest libgtest-dev libgmock-dev
          libbenchmark-dev pkg-config libgumbo-dev duktape-dev)
if [ "$scope" = all ]; then
    packages+=(g++-mingw-w64-i686 wine wine32:i386 xvfb xauth clang-format)
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
        need_update=1
    fi
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    [ ${#missing[@]} -eq 0 ] || apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
