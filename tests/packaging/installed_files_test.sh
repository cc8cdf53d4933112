#!/usr/bin/env bash
# Installs the build folder into a temporary prefix and checks what a desktop finds there: a menu
# entry and a software-centre description that validate, the entry's icon in every size, the program
# the entry starts, and the artwork and help in the data folder the installed program reads.
#   installed_files_test.sh <build folder> <application id>
set -euo pipefail
build=$1
id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > /dev/null
share=$prefix/share
entry=$share/applications/$id.desktop
desktop-file-validate "$entry"
# The description with the menu entry it names, as a software centre reads them.
appstreamcli validate-tree --no-net "$prefix"
[ -s "$share/metainfo/$id.metainfo.xml" ] || fail "no description"

[ "$(sed -n 's/^Icon=//p' "$entry")" = "$id" ] || fail "the menu entry names another icon"
for size in 48 128 256; do
  [ -s "$share/icons/hicolor/${size}x$size/apps/$id.png" ] || fail "no $size-pixel icon"
done
if [ -x "$build/chattle" ]; then
  [ -x "$prefix/bin/$(sed -n 's/^Exec=//p' "$entry")" ] || fail "the program the menu entry starts is not installed"
fi
for file in Chattle.html Artwork/manor.jpg Artwork/body1.gif Artwork/EnterRoom.wav; do
  [ -s "$share/chattle/$file" ] || fail "share/chattle/$file is missing"
done
[ ! -e "$share/chattle/Artwork/.artgen-stamp" ] || fail "the build's stamp was installed"
