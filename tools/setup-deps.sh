#!/usr/bin/env bash
# Makes sure the packages the build and the tests need are installed.
# As root it installs what is missing; otherwise it prints the command and fails.
set -euo pipefail

packages=(
  cmake g++ make libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  wine wine64 wine32:i386 xvfb
  imagemagick x11-utils xdotool liblnk-utils
  chromium chromium-driver python3-selenium
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Install them as root with:" >&2
  [ $need_i386 -eq 1 ] && echo "  dpkg --add-architecture i386 &&" >&2
  echo "  apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
[ $need_i386 -eq 1 ] && dpkg --add-architecture i386
# A mirror in the middle of a sync refuses an index now and then: try again,
# and go on with the indexes that did arrive.
for attempt in 1 2 3; do
  apt-get update -q >/dev/null && break
  echo "apt-get update failed (attempt $attempt of 3)" >&2
  [ $attempt -lt 3 ] && sleep 15
done
install() { DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@" >/dev/null; }
install "${missing[@]}" && exit 0
# Without 32-bit Wine the tests run the 64-bit build (tools/wine-env.sh).
rest=()
for p in "${missing[@]}"; do [ "$p" = wine32:i386 ] || rest+=("$p"); done
[ ${#rest[@]} -lt ${#missing[@]} ] || exit 1
echo "32-bit Wine could not be installed; the tests will run the 64-bit programs" >&2
install "${rest[@]}"
