#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need (the
# lists in .ci/packages.d/); packages already present are skipped.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t wanted < <(cat .ci/packages.d/*.txt | sed 's/#.*//' | xargs -n1 | sort -u)
missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#wanted[@]} packages present"
  exit 0
fi
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "install-deps: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
