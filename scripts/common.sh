# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the scripts: what the project needs from Debian, and the build into build/.
# Sourced, not run.

ZM_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ZM_BUILD="$ZM_ROOT/build"

ZM_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-serialport-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libgl-dev
    libgtest-dev libgmock-dev
    libsqlite3-dev       # the history of each antenna's sweeps, history.sqlite
    dpkg-dev             # dpkg-shlibdeps, which fills in the Debian package's Depends
    libhamlib-utils      # rigctld: the rig-control server, and Hamlib's dummy rig for the demo
    fonts-liberation     # metric-compatible Arial for the window's design fonts
    poppler-utils        # pdftoppm, to look at a printout in the tests
    xvfb xauth
    openbox              # a real window manager, for the tests of the window's place
)

# zm_print_usage <script>: the comment under the script's first line, which says how to use
# it, without its licence line.
zm_print_usage() {
    awk 'NR > 1 && !/^#/ { exit } NR > 1 && !/^# SPDX-License-Identifier:/ { sub(/^# ?/, ""); print }' "$1"
}

# zm_install_packages [--no-recommends] [package...]: installs what is missing of ZM_PACKAGES
# and the packages named, as root through apt-get, otherwise it prints the line to run.
# --no-recommends leaves out what apt would recommend with the packages it installs.
zm_install_packages() {
    local missing=() options=()
    if [ "${1:-}" = "--no-recommends" ]; then
        options+=(--no-install-recommends)
        shift
    fi
    for package in "${ZM_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${options[@]}" "${missing[@]}" \
            >/dev/null
    else
        echo "These Debian packages are missing. Install them, then run this again:" >&2
        echo "  sudo apt-get install ${options[*]}${options[*]:+ }${missing[*]}" >&2
        exit 1
    fi
}

# zm_build [build dir] [cmake options...]
zm_build() {
    local dir="${1:-$ZM_BUILD}"
    shift || true
    cmake -S "$ZM_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}

# zm_build_targets <build dir> <target>...: only those targets and what they need.
zm_build_targets() {
    local dir="$1"
    shift
    cmake -S "$ZM_ROOT" -B "$dir" -G Ninja >/dev/null
    cmake --build "$dir" --target "$@" -j "$(nproc)"
}
