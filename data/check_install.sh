#!/usr/bin/env bash
# Checks the installation and builds the Debian package:
#   data/check_install.sh [BUILD_DIR]        (build/release unless told)
# `cmake --install` into a temporary prefix must put every file below in
# place and nothing else; the desktop entry and the metainfo must pass their
# validators; the man pages must render without a warning and name every
# command of zifrel-cli; `cpack -G DEB` must build the package with its
# fields filled in and the dependencies dpkg-shlibdeps found, and lintian
# must find neither an error nor a warning in it.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
id=org.zifrel.Zifrel
files=(
  bin/zifrel
  bin/zifrel-cli
  bin/zifrel-sheet
  share/applications/$id.desktop
  share/icons/hicolor/scalable/apps/$id.svg
  share/metainfo/$id.metainfo.xml
  share/man/man1/zifrel.1.gz
  share/man/man1/zifrel-cli.1.gz
  share/man/man1/zifrel-sheet.1.gz
  share/bash-completion/completions/zifrel-cli
  share/doc/zifrel/copyright
  share/doc/zifrel/changelog.gz
)

fail() {
  echo "check_install: $*" >&2
  exit 1
}

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in "${files[@]}"; do
  [ -s "$prefix/$file" ] || fail "not installed: $file"
done
unexpected=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort | comm -23 - <(printf '%s\n' "${files[@]}" | sort))
[ -z "$unexpected" ] || fail "installed but not checked here: $unexpected"

desktop-file-validate "$prefix/share/applications/$id.desktop" | { grep -v ': hint: ' || true; }
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "the metainfo is not valid"

export LC_ALL=C.UTF-8 MANWIDTH=80
for page in zifrel zifrel-sheet zifrel-cli; do
  warnings=$(man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page.1: $warnings"
  text=$(man -P cat -l "$prefix/share/man/man1/$page.1.gz")
  grep -q "^ *$page - " <<<"$text" || fail "$page.1 has no name line"
done
# The text of zifrel-cli's page is the last one read above.
for command in $("$prefix/bin/zifrel-cli" --help | sed -n 's/^ \+zifrel-cli \([a-z][a-z-]*\).*/\1/p'); do
  # A justified line may hold two blanks after the program name.
  grep -Eq "zifrel-cli +$command" <<<"$text" || fail "the man page does not show the command $command"
done

log=$(cd "$build" && cpack -G DEB 2>&1) || fail "cpack failed:"$'\n'"$log"
deb=$(ls -t "$build"/zifrel_*.deb | head -n 1)
for field in Package Version Architecture Maintainer Section Description Homepage; do
  [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "$deb has no $field"
done
[[ $(dpkg-deb -f "$deb" Depends) == *libqt6widgets6* ]] || fail "$deb: no dependencies from dpkg-shlibdeps"
contents=$(dpkg-deb -c "$deb")
for file in "${files[@]}"; do
  grep -q " ./usr/$file\$" <<<"$contents" || fail "$deb lacks /usr/$file"
done
findings=$(lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2>&1) || fail "lintian:"$'\n'"$findings"
echo "check_install: ${#files[@]} files installed and valid; $deb built"
