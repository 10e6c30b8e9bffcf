#!/usr/bin/env bash
# Makes the measurement sets of the word forms from the packages, never from
# the program's answers, and measures the look-up rule on them:
#   bash tests/wordforms/sets/make-sets.sh [DATA_DIR [OUT]]
# DATA_DIR defaults to build/run, OUT to build/wordforms-sets. Needs the
# built dictool, hunspell-tools' unmunch, WordNet, SCOWL, and node with npm:
# the npm package en-inflectors (MIT), a test tool only, is installed into
# build/cache/npm-tools.
set -euo pipefail
REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
DIR="${1:-$REPO/build/run}"
OUT="${2:-$REPO/build/wordforms-sets}"
DICTOOL="$REPO/build/tools/dictool/dictool"
TOOLS="$REPO/build/cache/npm-tools"
mkdir -p "$OUT" "$TOOLS"
if [ ! -d "$TOOLS/node_modules/en-inflectors" ]; then
    (cd "$TOOLS" && npm install --silent --no-save --no-audit --no-fund en-inflectors@1.0.12 >/dev/null)
fi
# Every head-word of the folder, one a line (UTF-8).
: >"$OUT/head-words.txt"
for letter in {A..Z} А Б В Г Д Е Ж З И Й К Л М Н О П Р С Т У Ф Х Ц Ч Ш Щ Ъ Ы Ь Э Ю Я; do
    "$DICTOOL" dump "$DIR" "$letter" | tail -n +2 | cut -f2 >>"$OUT/head-words.txt"
done
NODE_PATH="$TOOLS/node_modules" node "$(dirname "${BASH_SOURCE[0]}")/make-sets.js" "$OUT"
"$DICTOOL" measure --dir "$DIR" "$OUT"/english-irregular.tsv "$OUT"/english-generated.tsv \
    "$OUT"/bulgarian-forms.tsv "$OUT"/english-misspelt.tsv "$OUT"/bulgarian-misspelt.tsv
