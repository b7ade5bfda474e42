#!/usr/bin/env bash
# Installs the Debian packages (Debian 12 and 13 name them alike) the build and the tests need, when
# missing, and where the .NET SDK is installed, PowerShell and Pester for the accounts script's tests.
set -euo pipefail
packages=(cmake make g++ libgtest-dev googletest g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 fonts-wine
          fonts-dejavu-core xvfb xauth xdotool imagemagick x11-utils clang clang-tidy cppcheck libclang-rt-dev
          python3 python3-pefile osslsigncode openssl)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# Quiet, and quick when they are already there.
"$(dirname "$0")/powershell-tests.sh" --install
