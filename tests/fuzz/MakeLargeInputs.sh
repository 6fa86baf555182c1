#!/usr/bin/env bash
# Writes the inputs of tests/fuzz/damaged that are too large to keep in the repository into the
# given folder, one subfolder per reader as there: a slot of 100 000 area records, each named once,
# and an exit-tree file of 200 000 bodies. Both once took the game time growing with the square of
# their size. The build runs it for test_fuzz, scripts/fuzz.sh for its seeds.
set -euo pipefail
out="$1"
mkdir -p "$out/slotmenu" "$out/trees"
{
  echo '<ZORV_Save Area="res/Areas/Area0.xml" Score="3"><Areas>'
  seq 100000 | sed 's|.*|<Area name="r&" unlocked="1" score="1"/>|'
  echo '<Area name="res/Areas/Area0.xml" completed="1" unlocked="1" score="3"/>'
  echo '</Areas></ZORV_Save>'
} > "$out/slotmenu/valid_100k_records.zvs"
{
  echo '<AreaExitTree src="3" type="0"><MouthOffset x="12" y="2"/>'
  seq 200000 | sed 's|.*|<body w="16" h="1"/>|'
  echo '</AreaExitTree>'
} > "$out/trees/valid_200k_bodies.xml"
