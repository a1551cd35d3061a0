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
    command -v i686-w64-mingw32-g++-win32 >/dev/null || missing+=(g++-mingw-w64-i686-win32)
    command -v x86_64-w64-mingw32-windres >/dev/null || missing+=(binutils-mingw-w64-x86-64)
    command -v i686-w64-mingw32-windres >/dev/null || missing+=(binutils-mingw-w64-i686)
    command -v wine >/dev/null || missing+=(wine)
    [ -x /usr/lib/wine/wine64 ] || missing+=(wine64)
    [ -x /usr/lib/wine/wine ] || missing+=(wine32:i386) # 32-bit programs: the release build
    command -v Xvfb >/dev/null || missing+=(xvfb)
    command -v xdotool >/dev/null || missing+=(xdotool)
    command -v faketime >/dev/null || missing+=(faketime)
    command -v sox >/dev/null || missing+=(sox)
    command -v wixl >/dev/null || missing+=(wixl)        # the installer
    command -v msibuild >/dev/null || missing+=(msitools)
    [ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
    # clang with its libFuzzer and sanitizer run-times, for scripts/fuzz
    command -v clang++ >/dev/null || missing+=(clang)
    compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null ||
        missing+=(libclang-rt-dev)
    printf '%s\n' "${missing[@]}"
}

# Installs what is missing (as root), or prints the exact lines to run and fails. The 32-bit
# Wine (wine32:i386) needs Debian's i386 architecture added first.
chimo_ensure_packages() {
    local missing add_i386=
    missing=$(chimo_packages | sort -u | tr '\n' ' ')
    [ -z "${missing// /}" ] && return 0
    case " $missing " in
    *" wine32:i386 "*) dpkg --print-foreign-architectures | grep -qx i386 || add_i386=1 ;;
    esac
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:" >&2
        [ -n "$add_i386" ] && echo "  sudo dpkg --add-architecture i386 && sudo apt-get update" >&2
        echo "  sudo apt-get install -y --no-install-recommends $missing" >&2
        return 1
    fi
    echo "Installing: $missing"
    export DEBIAN_FRONTEND=noninteractive
    [ -n "$add_i386" ] && dpkg --add-architecture i386
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

# Wine's own Windows fonts (MS Sans Serif, Tahoma, Marlett, ...) in the prefix, so that dialogs
# draw as on Windows. Debian's Wine 8 does not load the fonts of its package fonts-wine from
# /usr/share/wine/fonts; it loads those in C:\windows\Fonts and the system's own (fontconfig).
# Without them every face falls back to DejaVu Sans: 7 x 13 dialog base units instead of
# MS Sans Serif's 6 x 13, so texts are a sixth wider, and Marlett's caption glyphs show as
# letters ("r" for the close box).
chimo_windows_fonts() {
    local fonts=$WINEPREFIX/drive_c/windows/Fonts
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$fonts/"
}

# A throwaway Wine session for this shell: a fresh prefix in $work, a private Xvfb, sound
# captured to $CHIMO_CAPTURE, one Wine server kept running; all removed on exit.
chimo_fresh_wine() {
    work=$(mktemp -d /tmp/chimo-wine.XXXXXX)
    chimo_wine_cleanup() {
        WINEPREFIX=$work/pfx wineserver -k 2>/dev/null || true
        [ -n "${CHIMO_XVFB_PID:-}" ] && kill "$CHIMO_XVFB_PID" 2>/dev/null
        rm -rf "$work"
    }
    trap chimo_wine_cleanup EXIT
    CHIMO_OWN_XVFB=1 chimo_display
    export WINEPREFIX=$work/pfx WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export CHIMO_CAPTURE=$work/capture.raw
    chimo_alsa_capture "$CHIMO_CAPTURE" "$work/asound.conf"
    echo "== Creating a fresh Wine prefix"
    wineboot -i >/dev/null 2>&1
    # Unmanaged windows: without a window manager on Xvfb, Wine otherwise waits 2 s on every hide.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Keep one Wine server for the whole run (wineboot may have started it already).
    wineserver -p 600 2>/dev/null || true
}
