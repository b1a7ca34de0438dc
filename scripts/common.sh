# Shared by scripts/run, scripts/test and scripts/install-deps; source it, don't run it.
# shellcheck shell=bash
# Targets Debian 12 (bookworm) with Qt 6.4.

QUORIN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Needed to build, test and run.
QUORIN_PACKAGES=(
    cmake ninja-build g++
    qt6-base-dev qt6-multimedia-dev qt6-5compat-dev libqt6multimediawidgets6 qt6-qpa-plugins
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
    fonts-noto-cjk qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev libboost-dev
    xvfb xauth imagemagick ffmpeg
    clang-format
)
# The real-click trials (tools/launcher-trial, tools/responsiveness-trial):
# input through XTEST, a window manager, window queries. Installed by
# scripts/trials only.
QUORIN_TRIAL_PACKAGES=(xdotool x11-utils openbox python3)
# Nice to have (more video formats). Installed only when apt runs anyway,
# so a machine without them does not go to apt on every start.
QUORIN_OPTIONAL_PACKAGES=(gstreamer1.0-plugins-bad)

say() { printf '==> %s\n' "$*"; }
die() {
    printf 'error: %s\n' "$*" >&2
    exit 1
}

jobs_count() { nproc 2>/dev/null || echo 2; }

is_installed() {
    [[ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" == "install ok installed" ]]
}

# Runs a command as root: directly when we are root, else through sudo.
as_root() {
    if [[ $EUID -eq 0 ]]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        die "need root to run: $* (run as root or install sudo)"
    fi
}

install_deps() {
    install_packages "${QUORIN_PACKAGES[@]}"
}

install_trial_deps() {
    install_packages "${QUORIN_PACKAGES[@]}" "${QUORIN_TRIAL_PACKAGES[@]}"
}

# install_packages <package>...: installs those of them that are missing.
install_packages() {
    command -v dpkg-query >/dev/null || die "this script expects a Debian system (dpkg not found)"
    local missing=() pkg
    for pkg in "$@"; do
        is_installed "$pkg" || missing+=("$pkg")
    done
    if [[ ${#missing[@]} -eq 0 ]]; then
        say "All required packages are installed"
        return 0
    fi
    say "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    as_root apt-get update -q
    for pkg in "${QUORIN_OPTIONAL_PACKAGES[@]}"; do
        if ! is_installed "$pkg" && apt-cache show "$pkg" >/dev/null 2>&1; then
            missing+=("$pkg")
        fi
    done
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
}

# configure_and_build <build dir> <build type> <target or "all"> [extra cmake args...]
configure_and_build() {
    local dir="$1" type="$2" target="$3"
    shift 3
    # A folder configured with another generator cannot be reused by Ninja.
    if [[ -f "$dir/CMakeCache.txt" ]] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$dir/CMakeCache.txt"; then
        say "Removing the old non-Ninja configuration in $dir"
        rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
    fi
    say "Configuring $dir ($type)"
    cmake -S "$QUORIN_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@"
    say "Building $target in $dir"
    if [[ "$target" == all ]]; then
        cmake --build "$dir" -j "$(jobs_count)"
    else
        cmake --build "$dir" -j "$(jobs_count)" --target "$target"
    fi
}
