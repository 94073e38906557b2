#!/usr/bin/env bash
# Installs the Debian packages the project needs; does nothing when all are present.
set -euo pipefail
packages=(cmake g++ qt6-base-dev qt6-qpa-plugins libgtest-dev libbenchmark-dev libeigen3-dev
  fonts-liberation2 fonts-dejavu-core xvfb xauth imagemagick poppler-utils
  desktop-file-utils shared-mime-info xdg-utils libfile-mimeinfo-perl)
packages+=(libhypre-dev)  # hypre's algebraic multigrid, with OpenMPI
packages+=(libgdal-dev gdal-bin)  # maps out and in through GDAL/OGR (with qhull for gridding)
packages+=(libsqlite3-dev)  # GDAL's SQLite for GeoPackages, set up by the map export
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
