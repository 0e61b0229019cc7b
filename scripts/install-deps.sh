#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests, `make bench` and `make run` need. Idempotent: does nothing
# when all packages are present.
set -euo pipefail
PACKAGES=(
  g++ make cmake pkg-config
  libsqlite3-dev sqlite3
  libqpdf-dev qpdf
  # Qt Widgets, PrintSupport and Test (qt6-base-dev), Qt Help (qt6-tools-dev), the help engine's SQLite driver
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools libqt6sql6-sqlite libgl-dev
  # qhelpgenerator, which compiles the help pages at build time
  qt6-documentation-tools
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 poppler-utils xvfb xauth
  # A comma-decimal system locale, in which the tests check that no number the program writes follows it
  locales
  # The program opens Form 4562, the web and e-mail links through the desktop (xdg-open), which tells a file's
  # type with `file` where no desktop environment does.
  xdg-utils file
)
# A machine without a program for PDF files gets a small viewer that registers itself for them.
PDF_VIEWER=(xpdf)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
updated=false

# Installs those of the packages named that are not installed yet.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  if [ "$updated" = false ]; then
    $SUDO apt-get update
    updated=true
  fi
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
}

install_missing "${PACKAGES[@]}"
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  echo "Generating the locale de_DE.UTF-8"
  $SUDO sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE\.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi
if [ -z "$(xdg-mime query default application/pdf 2>/dev/null)" ]; then
  install_missing "${PDF_VIEWER[@]}"
fi
