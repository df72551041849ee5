# Shared by scripts/run and scripts/test: installs what is missing on a
# Debian 12 machine and configures and builds Orvanta in build/.
# Sourced, not run.

ORVANTA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ORVANTA_BUILD="${ORVANTA_BUILD:-$ORVANTA_ROOT/build}"

ORVANTA_PACKAGES=(
  cmake g++ ninja-build pkg-config ccache
  qt6-base-dev libqt6opengl6-dev qt6-svg-dev qt6-charts-dev qt6-multimedia-dev
  qt6-declarative-dev qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools
  qt6-qpa-plugins qt6-image-formats-plugins libqt6sql6-sqlite
  qml6-module-qtquick qml6-module-qtqml qml6-module-qtquick-window
  qml6-module-qtquick-controls qml6-module-qtquick-layouts
  qml6-module-qtqml-workerscript qml6-module-qtmultimedia
  libgl1-mesa-dri libglx-mesa0 gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  fonts-liberation2 xvfb xauth imagemagick poppler-utils desktop-file-utils appstream
)

orvanta_install_packages() {
  local missing=()
  if ! command -v dpkg-query >/dev/null 2>&1 || [ ! -f /etc/debian_version ]; then
    echo "This is not a Debian system. Orvanta needs these packages (Debian 12 names):"
    printf '  %s\n' "${ORVANTA_PACKAGES[@]}"
    return 0
  fi
  for p in "${ORVANTA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "Please install as root: apt-get install ${missing[*]}" >&2
      return 1
    fi
  fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q || return 1
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

orvanta_build() {
  local jobs
  jobs="$(nproc 2>/dev/null || echo 2)"
  cmake -S "$ORVANTA_ROOT" -B "$ORVANTA_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" &&
    cmake --build "$ORVANTA_BUILD" -j "$jobs"
}
