#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when one is missing.
set -euo pipefail
packages=(cmake ninja-build g++ clang libclang-rt-14-dev ccache googletest libgtest-dev libgmock-dev
          libbenchmark-dev nlohmann-json3-dev libcli11-dev libreadline-dev jq libxml2-utils)
# The Windows side: the mingw-w64 cross compilers (posix threads), widl, and Wine with its 32-bit part;
# libwine-dev for the OLE Automation IDL (oaidl.idl) that widl reads.
packages+=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 wine32:i386
          libwine-dev)
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
