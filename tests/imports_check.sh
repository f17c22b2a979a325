#!/usr/bin/env bash
# The program must run on a bare Windows as one 32-bit GUI executable: it may import only DLLs
# that Windows itself ships, never the compiler's runtime (libstdc++, libgcc, libwinpthread).
set -uo pipefail
exe="$1"
allowed='^(kernel32|user32|gdi32|comctl32|uxtheme|ole32|oleaut32|shell32|shlwapi|comdlg32|advapi32|version|msvcrt)\.dll$'
imports=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$imports" ] || { echo "FAIL: no imports read from $exe"; exit 1; }
bad=$(grep -v -E "$allowed" <<<"$imports")
[ -z "$bad" ] || { echo "FAIL: imports beyond Windows' own: $bad"; exit 1; }
# It must also start on Windows 7: user32's DPI functions of Windows 10 are looked up at run time.
newer=$(i686-w64-mingw32-objdump -p "$exe" |
        grep -o -E '\b(GetDpiFor[A-Za-z]*|[A-Za-z]*DpiAwarenessContext|[A-Za-z]*ForDpi)\b' | sort -u)
[ -z "$newer" ] || { echo "FAIL: imports functions Windows 7 lacks: $newer"; exit 1; }
file_type=$(i686-w64-mingw32-objdump -f "$exe" | sed -n 's/.*file format //p')
[ "$file_type" = "pei-i386" ] || { echo "FAIL: not a 32-bit PE executable ($file_type)"; exit 1; }
subsystem=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^Subsystem\s*\([0-9a-f]*\).*/\1/p')
[ "$subsystem" = "00000002" ] || { echo "FAIL: not a GUI program (subsystem $subsystem)"; exit 1; }
# Shipped stripped: no symbol table, no debug sections (see ui/CMakeLists.txt).
header=$(i686-w64-mingw32-objdump -f "$exe")
grep -q 'EXEC_P' <<<"$header" || { echo "FAIL: no header flags read from $exe"; exit 1; }
! grep -q -E 'HAS_SYMS|HAS_DEBUG' <<<"$header" || { echo "FAIL: not stripped: $(tail -n +3 <<<"$header")"; exit 1; }
debug_sections=$(i686-w64-mingw32-objdump -h "$exe" | awk '$2 ~ /^\.debug/ {print $2}')
[ -z "$debug_sections" ] || { echo "FAIL: debug sections in the executable:" $debug_sections; exit 1; }
echo "imports: ok ($(tr '\n' ' ' <<<"$imports"))"
