# Shared by the scripts that build and run: paths, builds, the side of Wine and the X display.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
source "$root/scripts/lib/wine.sh"

# Chooses the side of Wine (scripts/lib/wine.sh) and says which and why, or stops.
choose_wine_side() {
    wine_choose || exit 1
    echo "== Wine: ${wine_side}-bit, because $wine_reason (prefix $WINEPREFIX)"
}

# cmake_build DIR TOOLCHAIN|native [cmake options...]
cmake_build() {
    local dir=$1 chain=$2; shift 2
    local args=(-S "$root" -B "$root/build/$dir" -DCMAKE_BUILD_TYPE=Release)
    [ "$chain" = native ] && args=(-S "$root" -B "$root/build/$dir" -DCMAKE_BUILD_TYPE=Debug)
    [ "$chain" != native ] && args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$chain-mingw.cmake")
    cmake "${args[@]}" "$@" >"$root/build/$dir.configure.log" 2>&1 ||
        { cat "$root/build/$dir.configure.log"; return 1; }
    cmake --build "$root/build/$dir" -j"$jobs" >"$root/build/$dir.build.log" 2>&1 ||
        { tail -60 "$root/build/$dir.build.log"; return 1; }
}

# Uses $DISPLAY when set; otherwise starts an Xvfb of its own and ends it on exit. Xvfb
# picks a free display number itself, so runs side by side never share one.
own_xvfb_pid=
ensure_display() {
    if [ -n "${DISPLAY:-}" ]; then return 0; fi
    local numberFile
    numberFile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
    own_xvfb_pid=$!
    for _ in $(seq 100); do
        if [ -s "$numberFile" ]; then
            export DISPLAY=":$(head -n 1 "$numberFile")"
            rm -f "$numberFile"
            return 0
        fi
        sleep 0.1
    done
    rm -f "$numberFile"
    echo "could not start Xvfb" >&2
    return 1
}

# Wine ends its services and desktop process a while after its last program has ended and
# starts them again with the next one. Between tests that cost each test program seconds
# (measured: 1.2 s after 45 s without a program, 3 s per test over a whole run), and the
# start happened while a test already clicked and typed. A console that waits for input
# that never comes keeps the session up; it reads from a pipe that this shell holds open,
# so it ends with the shell, or with the server (cleanup_session).
keep_wine_session() {
    local pipe
    pipe=$(mktemp -u)
    mkfifo "$pipe" || return 1
    "$root/scripts/wine-exec" cmd <"$pipe" >/dev/null 2>&1 &
    exec {session_keeper}<>"$pipe"
    rm -f "$pipe"
}

cleanup_session() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
    [ -n "$own_xvfb_pid" ] && kill "$own_xvfb_pid" 2>/dev/null || true
}
