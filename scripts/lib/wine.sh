# Which Wine this machine runs, decided here and nowhere else. Sourced by common.sh and by
# scripts/wine-exec.
#
# 32-bit Wine needs a kernel that runs 32-bit programs; some kernels have that switched off,
# and Debian's `wine` launcher takes the 32-bit loader whenever its file exists, runnable or
# not. So the loader is called directly, and the side is chosen by trying it:
#   32  where the 32-bit loader runs: the i686 builds, the prefix build/wineprefix;
#   64  otherwise: the x86_64 builds of the program, the stand-in, the tools and the test
#       programs, the prefix build/wineprefix64.
# VELTRIN_WINE=32|64 forces a side; 32 where it cannot run fails at once.
#
# After `wine_choose`: wine_side (32 or 64), wine_reason (why, one line), and exported
# WINEARCH, WINELOADER and WINEPREFIX (an exported WINEPREFIX of the caller is kept).
# wine_chain, wine_test_dir and wine_release_dir name the toolchain and build folders.

wine32_loader=/usr/lib/wine/wine
wine64_loader=/usr/lib/wine/wine64

# Succeeds when the loader starts; otherwise leaves the cause in wine_probe_error.
wine_loader_runs() {
    local loader=$1 out
    if [ ! -e "$loader" ]; then
        wine_probe_error="$loader is not installed (scripts/setup installs it)"
        return 1
    fi
    if ! out=$("$loader" --version 2>&1); then
        # The shell's own words when the kernel refuses the file, without its script prefix.
        wine_probe_error="$loader: $(printf '%s\n' "$out" | grep -v '^$' | tail -n 1 | sed -E 's/^.*: line [0-9]+: [^:]+: //')"
        return 1
    fi
    return 0
}

wine_choose() {
    wine_probe_error=
    case ${VELTRIN_WINE:-} in
    '')
        if wine_loader_runs "$wine32_loader"; then
            wine_side=32 wine_reason="this kernel runs 32-bit programs"
        else
            wine_side=64 wine_reason="32-bit Wine cannot start here ($wine_probe_error)"
        fi ;;
    32)
        if ! wine_loader_runs "$wine32_loader"; then
            echo "wine: VELTRIN_WINE=32, but 32-bit Wine cannot start here: $wine_probe_error" >&2
            return 1
        fi
        wine_side=32 wine_reason="VELTRIN_WINE=32" ;;
    64) wine_side=64 wine_reason="VELTRIN_WINE=64" ;;
    *)
        echo "wine: VELTRIN_WINE is ${VELTRIN_WINE}; it takes 32 or 64" >&2
        return 1 ;;
    esac
    if [ "$wine_side" = 64 ] && ! wine_loader_runs "$wine64_loader"; then
        echo "wine: 64-bit Wine cannot start here either: $wine_probe_error" >&2
        return 1
    fi
    local top
    top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
    if [ "$wine_side" = 32 ]; then
        export WINEARCH=win32 WINELOADER=$wine32_loader
        export WINEPREFIX=${WINEPREFIX:-$top/build/wineprefix}
        wine_chain=i686 wine_test_dir=win32-test wine_release_dir=win32
    else
        export WINEARCH=win64 WINELOADER=$wine64_loader
        export WINEPREFIX=${WINEPREFIX:-$top/build/wineprefix64}
        wine_chain=x86_64 wine_test_dir=win64-test wine_release_dir=win64
    fi
    # Children (ctest, wine-exec) follow the same side without asking again.
    export VELTRIN_WINE=$wine_side
}
