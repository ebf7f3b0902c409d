#!/usr/bin/env bash
# One line naming the machine a benchmark ran on, for the results table.
#   machine.sh FOLDER    (FOLDER: where the sites live, for its file system)
set -euo pipefail
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
ram=$(awk '/MemTotal/ {printf "%.0f GB", $2 / 1048576}' /proc/meminfo)
fs=$(df -T "$1" | awk 'NR == 2 {print $2}')
commit=$(git -C "$(dirname "$0")" rev-parse --short HEAD 2>/dev/null || echo unknown)
echo "${cpu:-unknown CPU}, $(nproc) cores, $ram RAM, Linux $(uname -r), $fs;" \
  "$(date -u '+%Y-%m-%d %H:%M UTC'), commit $commit, load average $(cut -d' ' -f1-3 /proc/loadavg)"
