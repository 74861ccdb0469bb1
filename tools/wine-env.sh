# Sourced by the scripts that run the Windows programs under Wine.
# Chooses the Wine loader and the program directory build that this host can run:
# the 32-bit programs of build/dist where 32-bit code runs, otherwise the same
# sources built for 64-bit Windows (build/dist64), e.g. in sandboxes without
# 32-bit support.
qb_root=${qb_root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
QB_BUILD_DIR=${QB_BUILD_DIR:-$qb_root/build}
export WINEDEBUG=${WINEDEBUG:--all}
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  QB_WINE=/usr/lib/wine/wine
  export WINESERVER=/usr/lib/wine/wineserver32
  export WINEARCH=win32
  QB_WIN_BUILD=$QB_BUILD_DIR/win32
  QB_DIST=$QB_BUILD_DIR/dist
else
  QB_WINE=/usr/lib/wine/wine64
  export WINESERVER=/usr/lib/wine/wineserver64
  export WINEARCH=win64
  QB_WIN_BUILD=$QB_BUILD_DIR/win64
  QB_DIST=$QB_BUILD_DIR/dist64
fi
[ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver
export WINESERVER
