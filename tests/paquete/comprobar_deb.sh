#!/usr/bin/env bash
# Builds the Debian package of a build tree into a scratch folder and checks what it installs: both
# programs, the menu entry and its icon, the man pages, the copyright file and changelog, the declared
# dependencies, and that lintian finds no error and no warning.
# Usage: comprobar_deb.sh BUILD_DIR
set -euo pipefail
construccion=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cpack -G DEB --config "$construccion/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1 || {
  cat "$tmp/cpack.log"
  exit 1
}
deb=$(ls "$tmp"/zuvelo_*.deb)
fallos=0
falla() {
  echo "FALLA: $*"
  fallos=$((fallos + 1))
}

lista=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/zuvelo ./usr/bin/zuvelo-convert ./usr/share/applications/zuvelo.desktop \
  ./usr/share/icons/hicolor/scalable/apps/zuvelo.svg ./usr/share/man/man1/zuvelo-convert.1.gz \
  ./usr/share/man/man1/zuvelo.1.gz ./usr/share/doc/zuvelo/copyright ./usr/share/doc/zuvelo/changelog.gz; do
  grep -qx -- "$f" <<<"$lista" || falla "$f is not in the package"
done

depende=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 libxlsxwriter4 qt6-translations-l10n; do
  grep -q "\b$d\b" <<<"$depende" || falla "Depends lacks $d: $depende"
done

dpkg-deb -x "$deb" "$tmp/raiz"
entrada="$tmp/raiz/usr/share/applications/zuvelo.desktop"
for l in 'Type=Application' 'Exec=zuvelo' 'Icon=zuvelo' 'Name=Zuvelo II' 'Terminal=false'; do
  grep -qx -- "$l" "$entrada" || falla "the desktop entry lacks '$l'"
done
grep -q '^Categories=.*Science;.*Geography;' "$entrada" || falla "the desktop entry's Categories: $(grep Categories "$entrada")"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entrada" || falla "desktop-file-validate"
fi

# The man page renders without warnings and starts with its name.
if command -v groff >/dev/null; then
  avisos=$(zcat "$tmp/raiz/usr/share/man/man1/zuvelo-convert.1.gz" | groff -man -Tutf8 -ww -z 2>&1)
  [ -z "$avisos" ] || falla "man page warnings: $avisos"
  zcat "$tmp/raiz/usr/share/man/man1/zuvelo-convert.1.gz" | groff -man -Tascii -P-cbou 2>/dev/null | grep -q 'convert files of Argentine point coordinates' ||
    falla "the man page has no NAME line"
fi
"$tmp/raiz/usr/bin/zuvelo-convert" --version | grep -q '^zuvelo-convert (Zuvelo II)' || falla "the packaged zuvelo-convert does not run"

# Both programs answer --version and --help and end, with no display: the window is not opened.
for p in zuvelo zuvelo-convert; do
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= timeout 20 "$tmp/raiz/usr/bin/$p" --version |
    grep -q "^$p (Zuvelo II) " || falla "$p --version"
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= timeout 20 "$tmp/raiz/usr/bin/$p" --help |
    grep -q "^Usage: $p " || falla "$p --help"
done

# Debian's package checker: no error (E:) and no warning (W:).
if ! command -v lintian >/dev/null; then
  falla "lintian is not installed"
else
  lintian --tag-display-limit 0 "$deb" >"$tmp/lintian.txt" 2>&1 || true
  if grep -E '^[EW]: ' "$tmp/lintian.txt"; then falla "lintian"; fi
fi

[ "$fallos" -eq 0 ] && echo "$(basename "$deb"): every check passed"
exit "$fallos"
