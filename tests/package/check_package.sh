#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it without installing it: the file
# list, the control fields, the programs run from an unpacked copy (in a folder with periods
# in its name), and that removing the listed files leaves nothing behind.
#   check_package.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1
build=$2
work=$(mktemp -d /tmp/mokkel-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one package in $work/out"
deb=${debs[0]}

# The file list.
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/list"
grep -v '/$' "$work/list" >"$work/files"
required=(
  /usr/bin/Mokkel /usr/bin/Stagora /usr/bin/mokkel-tool
  /usr/share/applications/mokkel.desktop /usr/share/applications/stagora.desktop
  /usr/share/mime/packages/mokkel.xml /usr/share/mokkel/samples/house.mkl
)
for size in 16 32 48 64 128 256; do
  for program in mokkel stagora; do
    required+=("/usr/share/icons/hicolor/${size}x${size}/apps/$program.png")
  done
done
# Every help page and stylesheet of the source tree.
while IFS= read -r page; do
  required+=("/usr/share/mokkel/help/${page#"$src/resources/help/"}")
done < <(find "$src/resources/help" -type f)
for f in "${required[@]}"; do
  grep -qxF "$f" "$work/files" || fail "missing from the package: $f"
done
outside=$(grep -v '^/usr/' "$work/files" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

# The control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = mokkel ] || fail "Package: $(field Package)"
[ -n "$(field Version)" ] || fail "no Version"
[[ "$(field Maintainer)" == *@* ]] || fail "Maintainer: $(field Maintainer)"
depends=$(field Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libjpeg62-turbo libpng16-16 qt6-qpa-plugins; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done
# No maintainer scripts: the caches are the triggers' business, and removal is clean.
dpkg-deb -e "$deb" "$work/control"
for script in preinst postinst prerm postrm; do
  [ ! -e "$work/control/$script" ] || fail "unexpected $script"
done

# The programs from an unpacked copy.
root="$work/root.v1.d"
dpkg-deb -x "$deb" "$root"
"$root/usr/bin/mokkel-tool" --version | grep -q "1\.0" || fail "mokkel-tool --version"
"$root/usr/bin/mokkel-tool" info "$root/usr/share/mokkel/samples/house.mkl" >"$work/info" ||
  fail "mokkel-tool info on the installed sample"
grep -q "faces" "$work/info" || fail "info printed: $(cat "$work/info")"
for program in Mokkel Stagora; do
  found=$("$root/usr/bin/$program" --help-path) || fail "$program --help-path"
  [ "$found" = "$root/usr/share/mokkel/help/$program" ] ||
    fail "$program finds its help in $found, not beside itself"
  [ -f "$found/index.htm" ] || fail "$program: no start page in $found"
done
grep -q '^MimeType=application/x-mokkel-model;' "$root/usr/share/applications/mokkel.desktop" ||
  fail "mokkel.desktop MimeType"

# Removal: taking away the listed files leaves only the package's own folders, so the
# programs wrote nothing into their installation.
while IFS= read -r f; do rm "$root$f"; done <"$work/files"
left=$(find "$root" -not -type d)
[ -z "$left" ] || fail "left after removing the package's files: $left"
echo "package ok: $(basename "$deb"), $(wc -l <"$work/files") files, $(du -k "$deb" | cut -f1) KiB"
