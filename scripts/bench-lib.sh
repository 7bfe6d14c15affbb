# Shared by the scripts that measure the client as a process (bench-startup, bench-close):
# a private Xvfb, the stand-in on free ports, a fresh home per run. Source after lib.sh.

# The version text the client shows, which its remembered quit answer must carry.
VERSION="$(sed -n 's/.*m_version = QString("%1%2(%3)").arg("\([^"]*\)", "\([^"]*\)", "\([^"]*\)").*/\1\2(\3)/p' \
    "$ROOT/src/core/State.cpp")"

work="$(mktemp -d)"
xvfb_pid="" standin_pid=""
cleanup() {
    [ -n "$standin_pid" ] && kill "$standin_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# start_display_and_standin <build dir>
start_display_and_standin() {
    for n in $(seq 150 199); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$n"
        break
    done
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
    export QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1

    "$1/tests/standin/parlavine-standin" --port 0 --collector-port 0 --port-file "$work/ports" >/dev/null &
    standin_pid=$!
    for _ in $(seq 100); do [ -s "$work/ports" ] && break; sleep 0.1; done
    read -r api_port collector_port < "$work/ports"
    export PARLAVINE_API_URL="http://127.0.0.1:$api_port" PARLAVINE_COLLECTOR_URL="http://127.0.0.1:$collector_port"
}

# new_home <remembered quit answer: hide|exit> -> prints the folder; start the client with start_in_home.
new_home() {
    local home="$work/home.$RANDOM$RANDOM"
    mkdir -p "$home/config/Parlavine" "$home/data" "$home/cache" "$home/runtime"
    chmod 700 "$home/runtime"
    printf '[General]\nquitStyle=%s_%s_%s\n' "$VERSION" "$1" "$(date +%s)" > "$home/config/Parlavine/settings.ini"
    echo "$home"
}

# start_in_home <home> <program> [args...]: starts the program in the background with its XDG
# folders in that home and leaves its pid in $pid: the program's own, not a subshell's, so that a
# signal reaches it.
start_in_home() {
    local home="$1"; shift
    XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" \
        XDG_RUNTIME_DIR="$home/runtime" "$@" >/dev/null 2>&1 &
    pid=$!
}

x11() { "$BUILD/benchmarks/x11_helper/x11_helper" "$@"; }

# launch <home> <program> <title>: starts the program in that home and waits until it maps its
# window; leaves its pid in $pid, the window in $window and the ms from the start to the map in
# $visible_ms.
launch() {
    local home="$1" program="$2" title="$3" start mapped
    start=$(now_ms)
    start_in_home "$home" "$program"
    mapped="$(x11 wait-map "$pid" "$title")" || { echo "$program ended before showing its window" >&2; exit 1; }
    window="${mapped% *}"
    visible_ms=$(( ${mapped#* } - start ))
}

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
# window_of <pid> <title>: a visible window of that process with that title (both must match).
window_of() { xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2>/dev/null | head -1 || true; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
