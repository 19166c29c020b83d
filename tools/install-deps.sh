#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
# Run as root on a Debian 12 machine; does nothing when everything is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config python3
  googletest libgtest-dev libgmock-dev libbenchmark-dev valgrind
  g++-mingw-w64-i686-posix  # the 32-bit Windows build (cmake/toolchains/i686-w64-mingw32.cmake)
  libembree-dev libopenexr-dev libtinyobjloader-dev libpng-dev
  # The 32-bit PowerPC build, and the emulators that run the cross-built tests (tools/test-cross.sh).
  g++-powerpc-linux-gnu qemu-user wine wine32:i386
  clang-14 libclang-rt-14-dev llvm-14  # sanitizer builds and the fuzzer (tools/test-hardening.sh)
)

# Wine runs 32-bit Windows programs with Debian's i386 packages.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "adding the i386 architecture"
  dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
