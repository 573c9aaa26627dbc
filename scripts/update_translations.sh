#!/usr/bin/env bash
# Brings translations/quorvex_ja.ts up to date with the texts the sources mark
# for translation (tr(), QT_TR_NOOP, QCoreApplication::translate): new texts
# come in unfinished, texts no longer in the sources go. No line numbers are
# kept, so the file changes only where texts do.
set -euo pipefail
cd "$(dirname "$0")/.."
LUPDATE=/usr/lib/qt6/bin/lupdate
[ -x "$LUPDATE" ] || LUPDATE=$(command -v lupdate)
"$LUPDATE" -silent -locations none -no-obsolete -extensions cpp,h -source-language en \
    -target-language ja src -ts translations/quorvex_ja.ts
