#!/usr/bin/env bash
# Fails when a file of the product code is not as clang-format (.clang-format)
# would write it, and names the file.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "check-format: clang-format is missing: run scripts/deps.sh" >&2; exit 1; }
mapfile -t files < <(find engine platform cli ui app -name '*.cpp' -o -name '*.h' | sort)
clang-format --dry-run --Werror "${files[@]}"
echo "check-format: ${#files[@]} files are clang-format clean"
