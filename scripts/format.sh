#!/usr/bin/env bash
# Lays out every tracked C++ file as .clang-format says.
#   scripts/format.sh           rewrites the files in place
#   scripts/format.sh --check   changes nothing; lists the files that differ
#                               and fails when there are any
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t filer < <(git ls-files '*.cpp' '*.h')

if [ "${1:-}" != "--check" ]; then
    clang-format -i "${filer[@]}"
    exit 0
fi

afvigende=()
for fil in "${filer[@]}"; do
    if ! clang-format "$fil" | cmp -s - "$fil"; then
        afvigende+=("$fil")
    fi
done
if [ ${#afvigende[@]} -gt 0 ]; then
    echo "Ikke formateret (kør scripts/format.sh):"
    printf '  %s\n' "${afvigende[@]}"
    exit 1
fi
