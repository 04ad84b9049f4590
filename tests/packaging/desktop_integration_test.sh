#!/usr/bin/env bash
# Checks an install laid out under STAGE (a DESTDIR with the prefix /usr, or an
# unpacked package) as the desktop reads it: the entry and the metainfo validate,
# the icon theme holds every size, and, with the stage's share/ first in
# XDG_DATA_DIRS and its caches built as the package's triggers build them, a
# parameter file is known by its name and without it by its first bytes, and the
# tool is the application that opens it. With a full install, the manual lies
# where Help looks for it from bin/talviro6.
# usage: desktop_integration_test.sh STAGE PARAMETER_FILE.ign
set -euo pipefail
stage=$(realpath "${1:?usage: desktop_integration_test.sh STAGE PARAMETER_FILE.ign}")
sample=${2:?usage: desktop_integration_test.sh STAGE PARAMETER_FILE.ign}
share=$stage/usr/share
id=org.talviro6.Programmer
type=application/x-talviro6-parameters
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

desktop-file-validate "$share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "appstreamcli validate: $(appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" 2>&1)"

[[ -f $share/icons/hicolor/scalable/apps/$id.svg ]] || fail "no scalable icon"
for size in 48 128 256; do
  png=$share/icons/hicolor/${size}x$size/apps/$id.png
  [[ $(file -b "$png" 2>&1) == "PNG image data, $size x $size,"* ]] || fail "$png: $(file -b "$png" 2>&1)"
done

# A clean environment, outside any desktop session, so that nothing of the
# user's (mimeapps.list, a session's own lookup) answers in the stage's place.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config" "$work/config-dirs" "$work/data"
desktop() {
  env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u XDG_SESSION_DESKTOP -u KDE_FULL_SESSION \
    -u GNOME_DESKTOP_SESSION_ID -u MATE_DESKTOP_SESSION_ID -u DISPLAY -u WAYLAND_DISPLAY \
    XDG_DATA_DIRS="$share:/usr/share" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" \
    XDG_CONFIG_DIRS="$work/config-dirs" HOME="$work" "$@"
}
# What dpkg's triggers do after an install, here on the stage only.
desktop update-mime-database "$share/mime"
desktop update-desktop-database "$share/applications"

content_type() { desktop gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'; }

cp "$sample" "$work/bike.ign"
cp "$sample" "$work/bike"
printf 'KORVALEN\r\nnot a parameter set\r\n' >"$work/notes"
for file in "$work/bike.ign" "$work/bike"; do
  got=$(content_type "$file")
  [[ $got == "$type" ]] || fail "$(basename "$file") is '$got', not $type"
done
got=$(content_type "$work/notes")
[[ $got != "$type" ]] || fail "a text without the key word is taken for a parameter set"

got=$(desktop xdg-mime query default "$type")
[[ $got == "$id.desktop" ]] || fail "xdg-mime's default for $type is '$got', not $id.desktop"

if [[ -x $stage/usr/bin/talviro6 ]]; then
  for suffix in en de fr cz; do
    manual=$stage/usr/bin/../share/doc/talviro6/manual_quendal_talviro6_$suffix.pdf
    [[ $(file -b "$manual" 2>&1) == PDF* ]] || fail "Help finds no manual at $manual"
  done
fi

if ((failures)); then
  echo "$failures check(s) failed on $stage" >&2
  exit 1
fi
echo "desktop integration of $stage: all checks passed"
