# Shared by tools/run and tools/test: installs the Debian packages that are
# missing, then configures and builds one preset. Source it, then call
# preparar <preset>.

set -euo pipefail

RAIZ="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# What building, running and testing the program needs on Debian 12.
PAQUETES=(
  g++ cmake ninja-build pkg-config
  libsdl2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libegl-mesa0
  libgtest-dev
  xvfb xauth xdotool x11-utils xfonts-base imagemagick
  python3
)
# What the windows preset needs besides: the cross compiler, and the tools
# that make the program's icon (librsvg2-bin, icoutils) and its installer
# (nsis; its picture is made with librsvg2-bin and imagemagick, which is
# above). tools/test and tools/package add them.
PAQUETES_WINDOWS=(g++-mingw-w64-x86-64 librsvg2-bin icoutils nsis)

instalar_paquetes() {
  local faltan=()
  for p in "${PAQUETES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
  done
  [ ${#faltan[@]} -eq 0 ] && return 0
  echo "Installing: ${faltan[*]}"
  local como=()
  [ "$(id -u)" -ne 0 ] && como=(sudo)
  "${como[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${como[@]}" apt-get install -y -qq --no-install-recommends "${faltan[@]}"
}

preparar() {
  local preset="$1"
  instalar_paquetes
  cmake --preset "$preset" -S "$RAIZ" >/dev/null
  cmake --build --preset "$preset"
}
