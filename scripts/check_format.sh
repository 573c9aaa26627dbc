#!/usr/bin/env bash
# Fails when a line of C++ changed since the commit named in .ci/format-base is
# not formatted as .clang-format says. The formatter is pinned (clang-format 14,
# Debian's clang-format-14), so that every machine agrees on the result. Older
# lines are left as they are until someone changes them.
# Mend a failure with: git clang-format-14 --binary clang-format-14 $(cat .ci/format-base)
set -euo pipefail
cd "$(dirname "$0")/.."
base=$(cat .ci/format-base)
if ! git rev-parse -q --verify "$base^{commit}" >/dev/null; then
  echo "format check: the base commit $base is not in this clone" >&2
  exit 1
fi
out=$(git clang-format-14 --binary clang-format-14 --diff --extensions cpp,h "$base" -- \
      src tests bench fuzz docs 2>&1) || true
case "$out" in
  *"no modified files to format"* | *"did not modify any files"*)
    echo "format: every C++ line changed since ${base:0:10} is formatted"
    exit 0 ;;
esac
echo "$out"
echo "format: the lines above are not formatted; run" \
     "git clang-format-14 --binary clang-format-14 $base" >&2
exit 1
