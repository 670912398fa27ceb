#!/bin/sh
# Runs orlix-cli with a project folder and checks that the map file and the
# picture were written and that standard error stayed empty.
# Arguments: the orlix-cli binary, the data file, a scratch folder.
set -eu
cli=$1 data=$2 scratch=$3
rm -rf "$scratch"
mkdir -p "$scratch"
"$cli" run --data "$data" --target species --project "$scratch/project" --map-picture map.png \
  >"$scratch/out.txt" 2>"$scratch/err.txt"
test -s "$scratch/project/flowdiag.afl"
test -s "$scratch/project/map.png"
if [ -s "$scratch/err.txt" ]; then cat "$scratch/err.txt"; exit 1; fi
grep -q '<diagramfile version="1">' "$scratch/project/flowdiag.afl"
rm -rf "$scratch"
