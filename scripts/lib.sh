# Shared by scripts/run, scripts/test and scripts/bench: packages, builds, a display and Wine.
# Sourced, not run.

CHIMO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Every failure says what failed and where: a command that fails under `set -e` is named with
# its file and line before the script ends (once: not again by each caller it fails through).
set -E
trap 'chimo_failed $? "$BASH_COMMAND" "${BASH_SOURCE[0]}" "$LINENO"' ERR
chimo_failed() {
    [ -z "${CHIMO_REPORTED:-}" ] || return 0
    CHIMO_REPORTED=1
    echo "FAILED (exit $1): $2" >&2
    echo "  at ${3#"$CHIMO_ROOT"/}:$4" >&2
}
# chimo_fail WHAT [LOG]: reports a failed step and the log to read, and fails.
chimo_fail() {
    CHIMO_REPORTED=1
    echo "FAILED: $1" >&2
    [ -z "${2:-}" ] || { echo "  see $2; its end:" >&2; tail -15 "$2" 2>/dev/null | sed 's/^/    /' >&2; }
    return 1
}
CHIMO_LOGS=$CHIMO_ROOT/build/logs

# Debian packages the scripts need, by the command that shows each is there. 32-bit Wine
# (wine32:i386) only when this machine can run it (see chimo_choose_wine).
chimo_packages() {
    local missing=()
    command -v cmake >/dev/null || missing+=(cmake)
    command -v ninja >/dev/null || missing+=(ninja-build)
    command -v g++ >/dev/null || missing+=(g++)
    command -v python3 >/dev/null || missing+=(python3)
    command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64-posix)
    command -v x86_64-w64-mingw32-g++-win32 >/dev/null || missing+=(g++-mingw-w64-x86-64-win32)
    command -v i686-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-i686-posix)
    command -v i686-w64-mingw32-g++-win32 >/dev/null || missing+=(g++-mingw-w64-i686-win32)
    command -v x86_64-w64-mingw32-windres >/dev/null || missing+=(binutils-mingw-w64-x86-64)
    command -v i686-w64-mingw32-windres >/dev/null || missing+=(binutils-mingw-w64-i686)
    command -v wine >/dev/null || missing+=(wine)
    [ -x /usr/lib/wine/wine64 ] || missing+=(wine64)
    if [ "${CHIMO_WINE_BITS:-}" = 32 ]; then
        [ -x /usr/lib/wine/wine ] || missing+=(wine32:i386) # runs the i686 release build
    fi
    # Wine's Windows fonts, which every prefix gets (only recommended by Wine)
    [ -f /usr/share/wine/fonts/tahoma.ttf ] || missing+=(fonts-wine)
    # Japanese and Chinese glyphs, for the translations' texts to be drawn and measured
    [ -f /usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf ] ||
        missing+=(fonts-droid-fallback)
    command -v Xvfb >/dev/null || missing+=(xvfb)
    command -v xdotool >/dev/null || missing+=(xdotool)
    command -v faketime >/dev/null || missing+=(faketime)
    command -v sox >/dev/null || missing+=(sox)
    command -v locale-gen >/dev/null || missing+=(locales) # German and Japanese Wine
    command -v wixl >/dev/null || missing+=(wixl)        # the installer
    command -v msibuild >/dev/null || missing+=(msitools)
    command -v osslsigncode >/dev/null || missing+=(osslsigncode) # signing, and its test
    command -v openssl >/dev/null || missing+=(openssl)           # the test's certificate
    python3 -c 'import yaml' 2>/dev/null || missing+=(python3-yaml) # the manifests' test
    [ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
    # clang with its libFuzzer and sanitizer run-times, for scripts/fuzz
    command -v clang++ >/dev/null || missing+=(clang)
    compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null ||
        missing+=(libclang-rt-dev)
    printf '%s\n' "${missing[@]}"
}

# Installs what is missing (as root), or prints the exact lines to run and fails. The 32-bit
# Wine needs Debian's i386 architecture added first.
chimo_install_missing() {
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
    mkdir -p "$CHIMO_LOGS"
    local log=$CHIMO_LOGS/apt.log
    export DEBIAN_FRONTEND=noninteractive
    if [ -n "$add_i386" ]; then
        dpkg --add-architecture i386 >>"$log" 2>&1 || chimo_fail "dpkg --add-architecture i386" "$log"
    fi
    # A mirror caught mid-sync fails one index now and then ("File has unexpected size"): try
    # again, then go on with what was fetched; the install below says if a package is missing.
    apt-get update >>"$log" 2>&1 || { sleep 5; apt-get update >>"$log" 2>&1; } ||
        echo "apt-get update failed for some index (see $log); installing from what it has" >&2
    # shellcheck disable=SC2086
    apt-get install -y --no-install-recommends $missing >>"$log" 2>&1 ||
        chimo_fail "apt-get install $missing" "$log"
}

# Whether this machine runs 32-bit (i386) Linux programs. Some kernels of our kind refuse every
# one ("Exec format error"), and then 32-bit Wine cannot start at all; so try one rather than
# guess: a static i386 program of three instructions that only exits, assembled here.
chimo_runs_32bit() {
    local dir status=0
    dir=$(mktemp -d)
    printf '.globl _start\n_start:\n movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' >"$dir/exit.s"
    if as --32 -o "$dir/exit.o" "$dir/exit.s" && ld -m elf_i386 -o "$dir/exit" "$dir/exit.o"; then
        "$dir/exit" 2>/dev/null || status=1
    else
        status=1
    fi
    rm -rf "$dir"
    return $status
}

# Decides which Windows programs Wine runs here, and sets CHIMO_WINE_BITS (32 or 64) and
# CHIMO_WINE_NOTICE, the line that says so. 32: the i686 release build, the one that ships,
# runs under 32-bit Wine. 64: the x86_64 release build takes its place, and every call of
# `wine` goes to the 64-bit loader (Debian's launcher would pick the 32-bit one whenever it is
# installed, and fail). CHIMO_NO_32BIT=1 asks for the 64-bit way on any machine.
chimo_choose_wine() {
    if [ -n "${CHIMO_NO_32BIT:-}" ] && [ "$CHIMO_NO_32BIT" != 0 ]; then
        CHIMO_WINE_BITS=64
        CHIMO_WINE_NOTICE="CHIMO_NO_32BIT is set: the black-box tests drive the x86_64 release build."
    elif chimo_runs_32bit; then
        CHIMO_WINE_BITS=32
        CHIMO_WINE_NOTICE="This machine runs 32-bit programs: the black-box tests drive the i686 release build, the one that ships."
    else
        CHIMO_WINE_BITS=64
        CHIMO_WINE_NOTICE="This machine cannot run 32-bit programs: the black-box tests drive the x86_64 release build."
    fi
    if [ "$CHIMO_WINE_BITS" = 64 ]; then
        # wineboot, winepath and msiexec start `wine-stable`; the shims stand in for both.
        export PATH=$CHIMO_ROOT/scripts/wine64:$PATH WINELOADER=/usr/lib/wine/wine64
    fi
    export CHIMO_WINE_BITS
}

# The release build that runs here: its preset, and its CHIMO.EXE.
chimo_release_preset() { [ "$CHIMO_WINE_BITS" = 32 ] && echo win32 || echo win64-release; }
chimo_release_exe() { echo "$CHIMO_ROOT/build/$(chimo_release_preset)/CHIMO.EXE"; }

# The Linux locales a German and a Japanese Wine take their languages from (without them Wine
# falls back to English). Generating them takes root; without it, say how.
chimo_ensure_locales() {
    local wanted="de_DE.UTF-8 ja_JP.UTF-8" missing=() name
    for name in $wanted; do
        locale -a 2>/dev/null | grep -qix "${name/UTF-8/utf8}" || missing+=("$name")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing locales: sudo sed -i 's/^# *\(${missing[0]} UTF-8\)/\1/' /etc/locale.gen (and the others: ${missing[*]}); sudo locale-gen" >&2
        return 1
    fi
    for name in "${missing[@]}"; do
        grep -q "^$name UTF-8" /etc/locale.gen 2>/dev/null || echo "$name UTF-8" >>/etc/locale.gen
    done
    mkdir -p "$CHIMO_LOGS"
    locale-gen >>"$CHIMO_LOGS/locales.log" 2>&1 || chimo_fail "locale-gen" "$CHIMO_LOGS/locales.log"
}

# Everything the scripts need: the packages, then the choice of Wine (which needs the
# assembler from the first), then 32-bit Wine if it is to be used.
chimo_ensure_packages() {
    chimo_install_missing
    chimo_ensure_locales
    chimo_choose_wine
    if [ "$CHIMO_WINE_BITS" = 32 ] && ! (chimo_install_missing); then
        # 32-bit Wine pulls in i386 libraries whose index a mirror may be without for a while;
        # the 64-bit way tests everything but the i686 image's run.
        echo "32-bit Wine could not be installed: going on the 64-bit way" >&2
        CHIMO_NO_32BIT=1 chimo_choose_wine
        CHIMO_WINE_NOTICE="32-bit Wine could not be installed here: the black-box tests drive the x86_64 release build."
    fi
}

# Configures and builds one preset; extra arguments go to the configure step (which runs every
# time, so that a changed choice, such as the build the black-box tests drive, takes effect).
chimo_build() {
    local preset=$1
    shift
    local dir=$CHIMO_ROOT/build/$preset log=$CHIMO_LOGS/$preset.configure.log
    mkdir -p "$CHIMO_LOGS"
    cmake --preset "$preset" -S "$CHIMO_ROOT" "$@" >"$log" 2>&1 ||
        chimo_fail "configuring the preset $preset" "$log"
    cmake --build "$dir" "${CHIMO_BUILD_ARGS[@]}"
}

# Starts an Xvfb on a free display for this shell (unless one is given) and stops it on exit;
# its screen is CHIMO_SCREEN pixels (1024x768 unless set).
chimo_display() {
    if [ -n "${DISPLAY:-}" ] && [ -z "${CHIMO_OWN_XVFB:-}" ]; then
        echo "Using the display $DISPLAY"
        return 0
    fi
    local n=90 log=$CHIMO_LOGS/xvfb.log
    mkdir -p "$CHIMO_LOGS"
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${CHIMO_SCREEN:-1024x768}x24" -nolisten tcp >"$log" 2>&1 &
    CHIMO_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    [ -e "/tmp/.X11-unix/X$n" ] || chimo_fail "Xvfb did not start on $DISPLAY" "$log"
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
    local fonts=$WINEPREFIX/drive_c/windows/Fonts face
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$fonts/"
    # Japanese and Chinese glyphs, so that those translations are drawn (and measured) in real
    # glyphs: linked to the dialog fonts as Windows links its CJK fonts, and standing in for the
    # faces a Japanese or Chinese Wine gives its dialogs (MS Shell Dlg is MS UI Gothic there).
    cp /usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf "$fonts/"
    for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
            /v "$face" /t REG_MULTI_SZ /d "DroidSansFallbackFull.ttf,Droid Sans Fallback" /f \
            >>"$CHIMO_LOGS/reg.log" 2>&1
    done
    for face in "MS UI Gothic" "MS Gothic" "Meiryo UI" "Yu Gothic UI" SimSun NSimSun "Microsoft YaHei"; do
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "Droid Sans Fallback" /f \
            >>"$CHIMO_LOGS/reg.log" 2>&1
    done
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
    chimo_new_prefix
    chimo_windows_fonts
    # Unmanaged windows: without a window manager on Xvfb, Wine otherwise waits 2 s on every hide.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >"$CHIMO_LOGS/reg.log" 2>&1 ||
        chimo_fail "setting up the prefix's registry (wine reg add)" "$CHIMO_LOGS/reg.log"
    # Keep one Wine server for the whole run (wineboot may have started it already).
    wineserver -p 600 2>/dev/null || true
}

# Creates $WINEPREFIX and starts one program in it, saying which loader failed if either fails.
chimo_new_prefix() {
    local log=$CHIMO_LOGS/wineboot.log loader
    loader=$(command -v wine)
    [ "$CHIMO_WINE_BITS" = 32 ] || loader=/usr/lib/wine/wine64
    mkdir -p "$CHIMO_LOGS"
    WINEDEBUG=err+all wineboot -i >"$log" 2>&1 ||
        chimo_fail "wineboot could not create the Wine prefix $WINEPREFIX (loader: $loader)" "$log"
    wine cmd /c exit 0 >>"$log" 2>&1 ||
        chimo_fail "Wine cannot start a program in $WINEPREFIX (loader: $loader)" "$log"
}
