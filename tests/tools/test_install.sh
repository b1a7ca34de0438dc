#!/usr/bin/env bash
# Installs a build into a throwaway prefix, makes the prefix read-only and
# starts the installed program headless for a few seconds: it must find its
# pictures' folder, keep its own files in the user's folder and write nothing
# into the prefix.
#
#   tests/tools/test_install.sh BUILD_DIR
set -euo pipefail

: "${1:?usage: $0 BUILD_DIR}"
build=$1
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
problem() { printf 'FAIL %s\n' "$*" && failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null

[[ -x $prefix/bin/quorin ]] || problem "no bin/quorin"
# The command-line tool beside it, working without a display.
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/quorin-cli" derive 2>&1 | grep -q '^路程H = ' ||
    problem "the installed quorin-cli does not derive"
# Its picture commands come from a module it finds from where it is installed.
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/quorin-cli" pixelset capture \
    "$prefix/share/quorin/22.bmp" "$work/22.txt" --resolution 10x10 >"$work/cli.log" 2>&1 &&
    [[ -s $work/22.txt ]] || problem "the installed quorin-cli does not capture: $(cat "$work/cli.log")"
for picture in 22.bmp IMG1463A.jpg I1.jpg hai1.jpg hai2.jpg hai03.jpg hai11.jpg plot580x360.jpg; do
    [[ -s $prefix/share/quorin/$picture ]] || problem "no share/quorin/$picture"
done
desktop=$prefix/share/applications/quorin.desktop
icon=$prefix/share/icons/hicolor/128x128/apps/quorin.png
grep -qx 'Exec=quorin' "$desktop" || problem "the desktop entry does not start quorin"
grep -qx 'Icon=quorin' "$desktop" || problem "the desktop entry names no icon"
[[ $(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] || problem "the icon is no PNG"

# Read-only for everyone but root; the program must not even try.
chmod -R a-w "$prefix"
before=$(find "$prefix" -printf '%p %s %T@\n' | sort)
status=0
HOME=$work/home XDG_DATA_HOME=$work/home/data QT_QPA_PLATFORM=offscreen \
    timeout 5 "$prefix/bin/quorin" >"$work/log" 2>&1 || status=$?
# Still running when the time was up (124) is what a started program does.
[[ $status -eq 124 ]] || problem "the installed program ended with $status: $(cat "$work/log")"
for own in tree.txt treego.txt treebackup.txt treegobackup.txt; do
    [[ -f $work/home/data/quorin/$own ]] || problem "no $own in the user's folder"
done
after=$(find "$prefix" -printf '%p %s %T@\n' | sort)
[[ $before == "$after" ]] || problem "the prefix changed: $(diff <(echo "$before") <(echo "$after"))"

if ((failures)); then
    exit 1
fi
echo "ok   installed program: pictures from share/quorin, own files in the user's folder"
