#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
set -euo pipefail
packages=(
  cmake g++ make pkg-config ccache
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev
  libcairo2-dev zlib1g-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-wqy-microhei
  libgsf-1-dev
  unixodbc unixodbc-dev libsqliteodbc libshp-dev
  libboost-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq || true
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
