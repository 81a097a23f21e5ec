# Installs the Debian packages Zerin builds and tests with, when any is missing.
# Sourced by scripts/run and scripts/test.
zerin_packages="cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev \
  qt6-base-dev qt6-svg-dev libgl-dev libuemf-dev emf2svg xvfb xauth fonts-liberation \
  clang libclang-rt-14-dev libxml2-utils desktop-file-utils shared-mime-info dpkg-dev rsync \
  graphviz libgraphviz-dev libbdd-dev libxml2-dev libglpk-dev libcadical-dev 4ti2 pkg-config python3-networkx poppler-utils texlive-latex-base texlive-pictures \
  pybind11-dev python3-pybind11 python3-dev python3-pytest python3-venv python3-pip \
  jupyter-nbconvert python3-nbconvert python3-nbformat python3-ipykernel"

# What scripts/real-window-check needs besides: a window manager, X input, the
# accessibility bus and its Python binding, screenshots, and qt6ct for a dark palette.
zerin_window_packages="openbox xdotool imagemagick at-spi2-core python3-pyatspi dbus-x11 qt6ct"

# Installs the given packages (the build and test ones by default) when any is missing.
zerin_ensure_packages() {
  local missing=""
  for p in ${1:-$zerin_packages}; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  [ -z "$missing" ] && return 0
  echo "Installing missing packages:$missing"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q $missing
}
