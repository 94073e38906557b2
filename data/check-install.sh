#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs of it:
# the files are there, the desktop entry validates, and the MIME database built in the prefix
# gives a datafile the PLANAQ type. Usage: check-install.sh BUILD_DIR SAMPLE.aqd
set -euo pipefail
build=$1
sample=$2
for tool in desktop-file-validate update-mime-database xdg-mime; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is missing (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
for f in bin/planaq bin/planaq-cli share/applications/planaq.desktop \
    share/mime/packages/planaq.xml share/icons/hicolor/48x48/apps/planaq.png \
    share/icons/hicolor/256x256/apps/planaq.png; do
  [ -s "$prefix/$f" ] || { echo "missing: $f"; status=1; }
done
[ -x "$prefix/bin/planaq" ] || { echo "bin/planaq is not executable"; status=1; }
"$prefix/bin/planaq-cli" --help >/dev/null || { echo "the installed planaq-cli does not run"; status=1; }

desktop-file-validate "$prefix/share/applications/planaq.desktop" || status=1

update-mime-database "$prefix/share/mime"
mkdir -p "$prefix/home" "$prefix/files"
# a datafile found by its name, and one found by its contents
cp "$sample" "$prefix/files/Sample.aqd"
for f in "$prefix/files/Sample.aqd"; do
  type=$(env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION XDG_DATA_HOME="$prefix/home" \
    XDG_DATA_DIRS="$prefix/share:/usr/share" xdg-mime query filetype "$f")
  if [ "$type" != "application/x-planaq-datafile" ]; then
    echo "xdg-mime says $type for $f"
    status=1
  fi
done
[ $status -eq 0 ] && echo "installation checked in $prefix"
exit $status
