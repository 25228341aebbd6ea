#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Runs apt-get as root, or through sudo.
set -euo pipefail
packages=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev
          libgmock-dev libbenchmark-dev libreadline-dev qt6-base-dev
          qt6-translations-l10n valgrind libkf5syntaxhighlighting-tools vim
          dpkg-dev appstream desktop-file-utils groff-base)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installerar saknade paket: ${missing[*]}" >&2
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
