#!/bin/sh
# Installs a downloaded update once the program that started it has exited, then starts it again.
# Arguments: <package path> <program path>; PARLAVINE_UPDATE_PID is the program's process id.
# What it does is appended to $XDG_DATA_HOME/Parlavine/update-install.log.
set -u
package="${1:-}"
program="${2:-}"
logdir="${XDG_DATA_HOME:-$HOME/.local/share}/Parlavine"
mkdir -p "$logdir"
log="$logdir/update-install.log"
say() { printf '%s %s\n' "$(date '+%Y-%m-%d %H:%M:%S')" "$*" >>"$log"; }

if [ -z "$package" ] || [ -z "$program" ]; then
    say "usage: $0 <package> <program>"
    exit 2
fi

pid="${PARLAVINE_UPDATE_PID:-}"
if [ -n "$pid" ]; then
    say "waiting for process $pid to exit"
    tries=0
    while kill -0 "$pid" 2>/dev/null; do
        tries=$((tries + 1))
        if [ "$tries" -gt 600 ]; then
            say "process $pid still runs after 60 s; not installing"
            exit 1
        fi
        sleep 0.1
    done
fi

case "$package" in
    *.deb) ;;
    *) say "not a Debian package: $package"; exit 1 ;;
esac

say "installing $package"
if (cd "$(dirname "$package")" && pkexec apt-get install -y "./$(basename "$package")") >>"$log" 2>&1; then
    say "installed; starting $program"
    nohup "$program" >/dev/null 2>&1 &
else
    say "installation failed"
    exit 1
fi
