#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the tree, runs the installed tools and
# starts the installed program offscreen through bin/lumotrix.
#   InstallTest.sh BUILD_DIR PROBE_PLUGIN_DIR [FURTHER_EXPECTED_FILE...]
# With a German translation installed, the program must also come up in German.
# KEEP=1 keeps the temporary folder for a look after a failure.
set -euo pipefail
build=$1
plugins=$2
shift 2

work=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || {
  cat "$work/install.log" >&2
  exit 1
}

# The tree.
expected=(
  lib/lumotrix/lumotrix
  bin/lumotrix-res bin/lumotrix-sim bin/lumotrix-cli
  share/lumotrix/lumotrix.res
  share/applications/com.velmoran.Lumotrix.desktop
  share/metainfo/com.velmoran.Lumotrix.metainfo.xml
  share/icons/hicolor/scalable/apps/lumotrix.svg
  share/man/man1/lumotrix.1.gz share/man/man1/lumotrix-res.1.gz
  share/man/man1/lumotrix-sim.1.gz share/man/man1/lumotrix-cli.1.gz
  share/doc/lumotrix/copyright share/doc/lumotrix/changelog.gz
  "$@"
)
for f in "${expected[@]}"; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
for f in lib/lumotrix/lumotrix bin/lumotrix-res bin/lumotrix-sim bin/lumotrix-cli; do
  [ -x "$prefix/$f" ] || fail "not executable: $f"
done
# Relative, so that the tree works wherever it is put.
link=$(readlink "$prefix/bin/lumotrix" || true)
[ "$link" = ../lib/lumotrix/lumotrix ] || fail "bin/lumotrix links to '$link'"
for page in "$prefix"/share/man/man1/*.1.gz; do
  gzip -t "$page" || fail "damaged: $page"
done
grep -q '^Icon=lumotrix$' "$prefix/share/applications/com.velmoran.Lumotrix.desktop" ||
  fail "the desktop entry does not name the installed icon"

# The installed tools run from the tree.
"$prefix/bin/lumotrix-res" list "$prefix/share/lumotrix/lumotrix.res" >"$work/list.txt" ||
  fail "lumotrix-res cannot list the installed resources"
grep -qi 'TFORM1' "$work/list.txt" || fail "the installed resources hold no main window form"
status=0
"$prefix/bin/lumotrix-cli" >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "lumotrix-cli without a command ends with $status, not 2 (usage)"
echo quit | "$prefix/bin/lumotrix-sim" >"$work/sim.txt" || fail "lumotrix-sim did not end on quit"
grep -q '^/dev/pts/' "$work/sim.txt" || fail "lumotrix-sim printed no device"

# Starts the installed program through the link, in a clean home, and keeps what the probe
# reports of its first painted window in $work/$1.txt.
start() {
  local name=$1 lang=$2 code=0
  mkdir -p "$work/home-$name"
  env -u LC_ALL -u LC_MESSAGES LANG="$lang" HOME="$work/home-$name" \
    XDG_CONFIG_HOME="$work/home-$name/.config" QT_QPA_PLATFORM=offscreen \
    QT_PLUGIN_PATH="$plugins" QT_QPA_GENERIC_PLUGINS=lumotrixprobe \
    timeout 120 "$prefix/bin/lumotrix" >"$work/$name.txt" 2>"$work/$name.err" || code=$?
  if [ "$code" -ne 0 ]; then
    fail "the program started with LANG=$lang ended with $code"
    cat "$work/$name.err" >&2
  fi
  grep -qE $'^window\t[^\t]+\t[1-9][0-9]*x[1-9][0-9]*$' "$work/$name.txt" ||
    fail "the program started with LANG=$lang showed no main window"
  grep $'^name\t' "$work/$name.txt" | cut -f2- | sort -u >"$work/$name.names"
}

start builtin it_IT.UTF-8
# The built-in language is Italian.
grep -qx 'Invio dati' "$work/builtin.names" ||
  fail "the main window does not offer 'Invio dati': $(tr '\n' '|' <"$work/builtin.names")"

if [ -f "$prefix/lib/lumotrix/lumotrix.DE" ]; then
  start german de_AT.UTF-8
  # German texts: shown with LANG=de_AT (the language's file serves every country), not in the
  # Italian window, and taken from the installed German translation file (found beside the
  # program's resolved path).
  "$prefix/bin/lumotrix-res" forms "$prefix/lib/lumotrix/lumotrix.DE" >"$work/de.forms"
  "$prefix/bin/lumotrix-res" strings "$prefix/lib/lumotrix/lumotrix.DE" >>"$work/de.forms"
  comm -23 "$work/german.names" "$work/builtin.names" >"$work/german-only.names"
  found=0
  while IFS= read -r text; do
    grep -qF -- "$text" "$work/de.forms" && found=$((found + 1))
  done <"$work/german-only.names"
  [ "$found" -gt 0 ] || fail "the window started with LANG=de_AT.UTF-8 shows no German text"
fi

[ "$failures" -eq 0 ] || exit 1
echo "installed tree and program checked in $prefix"
