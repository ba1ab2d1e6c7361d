#!/usr/bin/env bash
# Installs what the build, the programs and the tests need, and generates the
# ru_RU.UTF-8 locale that the tests run Wine in to get the Windows-1251 code
# page (the programs themselves need no particular locale). Idempotent: when
# everything is present it only checks and returns. scripts/test.sh and
# scripts/run.sh run it first.
set -euo pipefail
# It reads the tools' output untranslated, and the caller's locale may be the
# very one still to be generated.
export LC_ALL=C

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# command-or-file to check -> Debian package that provides it
declare -A NEED=(
  [/usr/bin/x86_64-w64-mingw32-g++-posix]=g++-mingw-w64-x86-64
  [/usr/bin/x86_64-w64-mingw32-windres]=binutils-mingw-w64-x86-64
  [/usr/lib/wine/wine64]=wine64
  [/usr/bin/wine]=wine
  [/usr/bin/Xvfb]=xvfb
  [/usr/bin/xdotool]=xdotool
  [/usr/bin/import]=imagemagick
  [/usr/sbin/locale-gen]=locales
  [/usr/src/googletest/CMakeLists.txt]=googletest
  [/usr/include/gtest/gtest.h]=libgtest-dev
  [/usr/bin/cmake]=cmake
  [/usr/bin/g++]=g++
  [/usr/bin/clang-format]=clang-format
  [/usr/bin/clang++]=clang [/usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a]=libclang-rt-dev
  [/usr/bin/zip]=zip
  [/usr/bin/unzip]=unzip
  [/usr/bin/python3]=python3
  [/usr/bin/wrestool]=icoutils
  [/usr/bin/makensis]=nsis
  [/usr/bin/lintian]=lintian
  [/usr/bin/desktop-file-validate]=desktop-file-utils
  [/usr/bin/appstreamcli]=appstream
)

missing=()
for f in "${!NEED[@]}"; do
  [ -e "$f" ] || missing+=("${NEED[$f]}")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  echo "bootstrap: generating the ru_RU.UTF-8 locale"
  if ! grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ru_RU.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  fi
  $SUDO locale-gen >/dev/null
fi
locale -a | grep -qi '^ru_RU\.utf-\?8$' || { echo "bootstrap: no ru_RU.UTF-8 locale" >&2; exit 1; }
