#!/bin/sh
# Checks that a DLL exports exactly the given ordinals and nothing by name: check-exports.sh OBJDUMP DLL ORDINAL...
objdump=$1
dll=$2
shift 2
out=$("$objdump" -p "$dll") || exit 1
got=$(printf '%s\n' "$out" | sed -n 's/.*+base\[ *\([0-9]*\)\].*/\1/p' | sort -n | tr '\n' ' ')
want=$(printf '%s\n' "$@" | sort -n | tr '\n' ' ')
if [ "$got" != "$want" ]; then
  echo "exported ordinals: $got; expected: $want"
  exit 1
fi
names=$(printf '%s\n' "$out" | sed -n 's/.*\[Name Pointer\/Ordinal\] Table[[:space:]]*\([0-9a-fA-F]*\).*/\1/p')
listed=$(printf '%s\n' "$out" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | tail -n +2 | grep -c '\[')
if [ "$names" != "00000000" ] || [ "$listed" != "0" ]; then
  echo "names exported: $names ($listed listed)"
  exit 1
fi
echo "$(echo "$got" | wc -w) ordinals, no names"
