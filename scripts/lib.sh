# Shared by scripts/run, scripts/test and scripts/bench: packages, builds, a display and Wine.
# Sourced, not run.

CHIMO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Debian packages the scripts need, by the command that shows each is there.
chimo_packages() {
    local missing=()
    command -v cmake >/dev/null || missing+=(cmake)
    command -v ninja >/dev/null || missing+=(ninja-build)
    command -v g++ >/dev/null || missing+=(g++)
    command -v python3 >/dev/null || missing+=(python3)
    command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64-posix)
    command -v i686-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-i686-posix)
    command -v x86_64-w64-mingw32-windres >/dev/null || missing+=(binutils-mingw-w64-x86-64)
    command -v i686-w64-mingw32-windres >/dev/null || missing+=(binutils-mingw-w64-i686)
    command -v wine >/dev/null || missing+=(wine)
    [ -x /usr/lib/wine/wine64 ] || missing+=(wine64)
    command -v Xvfb >/dev/null || missing+=(xvfb)
    command -v xdotool >/dev/null || missing+=(xdotool)
    command -v faketime >/dev/null || missing+=(faketime)
    command -v sox >/dev/null || missing+=(sox)
    [ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
    printf '%s\n' "${missing[@]}"
}

# Installs what is missing (as root), or prints the exact line to run and fails.
chimo_ensure_packages() {
    local missing
    missing=$(chimo_packages | sort -u | tr '\n' ' ')
    [ -z "${missing// /}" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:" >&2
        echo "  sudo apt-get install -y --no-install-recommends $missing" >&2
        return 1
    fi
    echo "Installing: $missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq >/dev/null
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

# Configures (once) and builds one preset; extra arguments go to the configure step.
chimo_build() {
    local preset=$1
    shift
    local dir=$CHIMO_ROOT/build/$preset
    if [ ! -f "$dir/build.ninja" ]; then
        cmake --preset "$preset" -S "$CHIMO_ROOT" "$@" >"$CHIMO_ROOT/build/$preset.configure.log" 2>&1 || {
            cat "$CHIMO_ROOT/build/$preset.configure.log" >&2
            return 1
        }
    fi
    cmake --build "$dir" "${CHIMO_BUILD_ARGS[@]}"
}

# Starts an Xvfb on a free display for this shell (unless one is given) and stops it on exit.
chimo_display() {
    if [ -n "${DISPLAY:-}" ] && [ -z "${CHIMO_OWN_XVFB:-}" ]; then
        echo "Using the display $DISPLAY"
        return 0
    fi
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    CHIMO_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    echo "No display given: started Xvfb on $DISPLAY"
}

# An ALSA configuration whose default device writes raw samples to $1 (no sound card needed).
chimo_alsa_capture() {
    local capture=$1 conf=$2
    cat >"$conf" <<ALSA
pcm.!default { type file; slave.pcm { type null }; file "$capture"; format "raw" }
ALSA
    export ALSA_CONFIG_PATH=$conf
}
