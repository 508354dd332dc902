#!/bin/bash
# Checks every driver library of one or more build trees: its import table
# names only Windows system libraries, its exports are exactly the names
# (and ordinals, where given) of its .def file, and the libraries whose
# version texts are fixed carry them.
# usage: check-dll-tables.sh <source dir> <build dir> [<build dir>...]
# (a driver package's folder may stand for a build tree)
set -u
src=$1; shift
declare -A defs=(
  [VELDRANA]=dproc [VELDRANK]=duicore [VELDRANE]=drender [VELDRANH]=ddproc
  [VELDRANL]=ljpeg [VELDRANT]=dchkfcs [VELDRANQ]=rindfnt [VELDRANW]=rindimg
  [VELDRANG]=rdlg)
system_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll msvcrt.dll comctl32.dll
 comdlg32.dll shell32.dll shlwapi.dll ole32.dll oleaut32.dll winspool.drv ws2_32.dll
 version.dll setupapi.dll uxtheme.dll imm32.dll rpcrt4.dll netapi32.dll wininet.dll
 mgmtapi.dll snmpapi.dll msimg32.dll bcrypt.dll "
# One blank between names, also where the list wraps.
system_dlls=" $(echo $system_dlls) "
failures=0
checked=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for build in "$@"; do
  [ -n "$build" ] || continue
  # A build tree keeps its libraries in bin/; a driver package holds them.
  dlls=$build/bin
  [ -d "$dlls" ] || dlls=$build
  objdump=x86_64-w64-mingw32-objdump
  if grep -q 'CMAKE_SIZEOF_VOID_P:INTERNAL=4' "$build/CMakeCache.txt" 2>/dev/null ||
     "$objdump" -f "$dlls/VELDRANL.DLL" 2>/dev/null | grep -q 'pei-i386'; then
    objdump=i686-w64-mingw32-objdump
  fi
  for name in "${!defs[@]}"; do
    dll="$dlls/$name.DLL"
    def="$src/${defs[$name]}/$name.def"
    if [ ! -f "$dll" ]; then fail "$dll was not built"; continue; fi
    dump=$("$objdump" -p "$dll")
    checked=$((checked + 1))
    # Imports.
    while read -r imp; do
      lower=$(echo "$imp" | tr 'A-Z' 'a-z')
      case "$system_dlls" in
        *" $lower "*) ;;
        *) fail "$dll imports $imp, which is not a system library" ;;
      esac
    done < <(echo "$dump" | sed -n 's/^\s*DLL Name: //p')
    # Exports: names with their ordinals, as the export table holds them.
    got=$(echo "$dump" | awk '
      /^Export Address Table/ { inaddr = 1 }
      /^\[Ordinal\/Name Pointer\] Table/ { innames = 1; next }
      innames && /^[[:space:]]*\[/ { gsub(/[\[\]]/, ""); print $2; next }
      innames && !/^[[:space:]]*\[/ { innames = 0 }' | sort)
    want=$(sed -e 's/;.*//' "$def" | awk 'toupper($1) != "EXPORTS" && toupper($1) != "LIBRARY" && NF { print $1 }' | sort)
    if [ "$got" != "$want" ]; then
      fail "$dll exports differ from $def"
      diff <(echo "$want") <(echo "$got") | sed 's/^/    /'
    fi
    # Ordinals fixed by the .def.
    while read -r fn ord; do
      actual=$(echo "$dump" | awk -v fn="$fn" '
        /^\[Ordinal\/Name Pointer\] Table/ { innames = 1; next }
        innames && /^[[:space:]]*\[/ { gsub(/[\[\]]/, ""); if ($2 == fn) print $1 }')
      # The name table lists ordinals relative to the base; the base is 1 for
      # our .def files, so the biased ordinal is one more.
      base=$(echo "$dump" | sed -n 's/^Ordinal Base\s*//p' | head -1)
      if [ -n "$actual" ] && [ $((actual + base)) -ne "$ord" ]; then
        fail "$dll exports $fn at ordinal $((actual + base)), not $ord"
      fi
    done < <(sed -e 's/;.*//' "$def" | awk '$2 ~ /^@[0-9]+$/ { sub("@", "", $2); print $1, $2 }')
  done
done
# Version texts (UTF-16 strings of the version resource) fixed for a library.
declare -A version_texts=(
  [VELDRANH]="Device Dependent Procedure|DDPROC_DLL|1.0.0.1")
for build in "$@"; do
  [ -n "$build" ] || continue
  dlls=$build/bin
  [ -d "$dlls" ] || dlls=$build
  for name in "${!version_texts[@]}"; do
    dll="$dlls/$name.DLL"
    [ -f "$dll" ] || continue
    texts=$(strings -el "$dll")
    IFS='|' read -ra wanted <<<"${version_texts[$name]}"
    for text in "${wanted[@]}"; do
      echo "$texts" | grep -qxF "$text" || fail "$dll lacks the version text \"$text\""
    done
  done
done
echo "checked $checked libraries, $failures failures"
[ "$failures" -eq 0 ]
