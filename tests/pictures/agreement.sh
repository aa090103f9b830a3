#!/usr/bin/env bash
# Writes the picture corpus, decodes it with the menu's loader under Wine and
# compares skincheck's decoding with it, file by file.
# Usage: agreement.sh NATIVE_TOOLS_DIR CORPUS_DIR WINE_RUN PREFIX LOADER_DUMP_EXE
set -euo pipefail
tools=$1 corpus=$2 wine_run=$3 prefix=$4 dump=$5
for tool in picture_corpus picture_agreement; do
  [[ -x $tools/$tool ]] || { echo "agreement.sh: $tools/$tool is missing: build the native preset first" >&2; exit 1; }
done
rm -rf "$corpus" && mkdir -p "$corpus"
"$tools/picture_corpus" "$corpus"
"$wine_run" "$prefix" "$dump" "$corpus"
"$tools/picture_agreement" "$corpus"
