#!/bin/sh
# Installs a downloaded update once the program that started it has exited, then starts it again,
# whether the installation worked or not: the user is never left without the program.
# Arguments: <package path> <program path>; PARLAVINE_UPDATE_PID is the program's process id.
# After a failure the program starts with PARLAVINE_UPDATE_FAILED set to one of: usage, timeout,
# not-deb, no-pkexec, cancelled, not-authorized, copy-failed, install-failed; the package is removed
# so that it is not offered again.
# What it does is appended to $XDG_DATA_HOME/Parlavine/update-install.log.
set -u
package="${1:-}"
program="${2:-}"
logdir="${XDG_DATA_HOME:-$HOME/.local/share}/Parlavine"
mkdir -p "$logdir"
log="$logdir/update-install.log"
say() { printf '%s %s\n' "$(date '+%Y-%m-%d %H:%M:%S')" "$*" >>"$log"; }

start_program() {
    [ -n "$program" ] || return 0
    nohup "$program" >/dev/null 2>&1 &
}

fail() {
    say "installation failed ($1); starting $program"
    [ -n "$package" ] && rm -f -- "$package"
    PARLAVINE_UPDATE_FAILED="$1"
    export PARLAVINE_UPDATE_FAILED
    start_program
    exit 1
}

if [ -z "$package" ] || [ -z "$program" ]; then
    say "usage: $0 <package> <program>"
    fail usage
fi

pid="${PARLAVINE_UPDATE_PID:-}"
if [ -n "$pid" ]; then
    say "waiting for process $pid to exit"
    tries=0
    while kill -0 "$pid" 2>/dev/null; do
        tries=$((tries + 1))
        if [ "$tries" -gt 600 ]; then
            say "process $pid still runs after 60 s; not installing"
            fail timeout
        fi
        sleep 0.1
    done
fi

case "$package" in
    *.deb) ;;
    *) say "not a Debian package: $package"; fail not-deb ;;
esac
# pkexec starts its command in root's home folder: apt-get needs a path that works from anywhere.
case "$package" in
    /*) ;;
    *) package="$(pwd)/$package" ;;
esac

if ! command -v pkexec >/dev/null 2>&1; then
    say "pkexec is not installed"
    fail no-pkexec
fi

# The privileged step copies the package into a folder only root can write before apt-get reads
# it, so the file cannot change between the authorisation and the installation. An update never
# removes other packages.
privileged='
dir=$(mktemp -d /tmp/parlavine-update.XXXXXXXX) || exit 3
trap "rm -rf \"\$dir\"" EXIT
cp -- "$1" "$dir/update.deb" || exit 3
apt-get install -y --no-remove "$dir/update.deb" || exit 4
'
say "installing $package"
pkexec /bin/sh -c "$privileged" parlavine-install-update "$package" >>"$log" 2>&1
status=$?
case "$status" in
    0) ;;
    126) fail cancelled ;;
    127) fail not-authorized ;;
    3) fail copy-failed ;;
    *) fail install-failed ;;
esac
say "installed; starting $program"
start_program
