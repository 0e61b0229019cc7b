#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and `make run` need. Idempotent: does nothing when all
# packages are present.
set -euo pipefail
PACKAGES=(
  g++ make cmake pkg-config
  libsqlite3-dev sqlite3
  libqpdf-dev qpdf
  # Qt Widgets, PrintSupport and Test (qt6-base-dev), Qt Help (qt6-tools-dev), the help engine's SQLite driver
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools libqt6sql6-sqlite libgl-dev
  # qhelpgenerator, which compiles the help pages at build time
  qt6-documentation-tools
  libgtest-dev libgmock-dev
  fonts-liberation2 poppler-utils xvfb xauth
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
