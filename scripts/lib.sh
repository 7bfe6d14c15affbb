# Shared by scripts/run and scripts/test.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Installs the Debian packages of scripts/deps.txt that are missing.
install_deps() {
    local missing=()
    while read -r pkg; do
        case "$pkg" in ''|'#'*) continue ;; esac
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done < "$ROOT/scripts/deps.txt"
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# PARLAVINE_JOBS caps the parallel jobs (several builds on one machine).
jobs_count() { echo "${PARLAVINE_JOBS:-$(nproc 2>/dev/null || echo 2)}"; }

# configure_and_build <build dir> [--targets "<targets>"] <cmake args...>
# Configures only a new build folder: later builds re-run CMake by themselves when its files change.
configure_and_build() {
    local dir="$1"; shift
    local targets=()
    if [ "${1:-}" = "--targets" ]; then
        read -r -a targets <<< "$2"
        shift 2
    fi
    # Paths relative to the checkout, so another clone of the same sources hits the same cache.
    export CCACHE_BASEDIR="$ROOT"
    if [ ! -f "$dir/CMakeCache.txt" ] || { [ ! -f "$dir/Makefile" ] && [ ! -f "$dir/build.ninja" ]; }; then
        local launcher=()
        command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
        cmake -S "$ROOT" -B "$dir" "${launcher[@]}" "$@" >/dev/null
    fi
    local build=(cmake --build "$dir" --parallel "$(jobs_count)")
    if [ ${#targets[@]} -gt 0 ]; then
        # Make knows a target added since the last configuration only after this check.
        [ -f "$dir/Makefile" ] && make -C "$dir" --no-print-directory cmake_check_build_system >/dev/null
        build+=(--target "${targets[@]}")
    fi
    "${build[@]}"
}
