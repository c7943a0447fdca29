#!/usr/bin/env bash
# The Wine environment's one check: whether this machine starts 32-bit
# programs, and, where it does not, that every script reaches Wine through its
# 64-bit loader and no 32-bit prefix is attempted. Stand-in loaders play the
# three kinds of machine; the real scripts/wine-env.sh decides.
set -u
env_sh=$(cd "$(dirname "$0")/../../scripts" && pwd)/wine-env.sh
shim_dir=$(dirname "$env_sh")/wine64
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
passed=0 failed=0

expect() {  # what, expected, actual
  if [ "$2" = "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED: %s\n  expected: %s\n  actual:   %s\n' "$1" "$2" "$3"
  fi
}

# A loader that starts, one the kernel refuses (an ELF header it cannot load
# gives "Exec format error" on any machine), and the 64-bit one, which says
# what it was asked to run.
printf '#!/bin/sh\necho "wine-8.0 (stand-in)"\n' >"$tmp/wine32-starts"
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000' >"$tmp/wine32-refused"
printf '#!/bin/sh\necho "wine64: $*"\n' >"$tmp/wine64"
chmod +x "$tmp/wine32-starts" "$tmp/wine32-refused" "$tmp/wine64"

# Sources wine-env.sh in a clean shell with the given settings and prints, one
# a line: the answer, where "wine" leads, what "wine hello" runs, the reason.
# "wine hello" is asked only of the shim: where wine is Wine's own launcher on
# a machine that starts it, it would make a prefix and print Wine's own error.
probe() {
  env -i PATH=/usr/bin:/bin HOME="$tmp" PELLUCOR_WINE64_LOADER="$tmp/wine64" "$@" \
    bash -c '. "$1" >/dev/null 2>&1
             ran=-; [ "$(command -v wine)" = "$2/wine" ] && ran=$(wine hello 2>/dev/null)
             printf "%s\n%s\n%s\n%s\n" "$WINE32_RUNS" "$(command -v wine)" \
               "$ran" "$WINE32_WHY"' _ "$env_sh" "$shim_dir"
}
line() { sed -n "$1p"; }

# A machine that runs 32-bit programs: Wine's own launcher, nothing changed.
out=$(probe PELLUCOR_WINE32_LOADER="$tmp/wine32-starts")
expect "a loader that starts: answer" yes "$(line 1 <<<"$out")"
expect "a loader that starts: wine is not the 64-bit shim" no \
  "$([ "$(line 2 <<<"$out")" = "$shim_dir/wine" ] && echo yes || echo no)"
expect "a loader that starts: no reason" "" "$(line 4 <<<"$out")"

# Each way of not running them: wine leads to the 64-bit loader, with a reason.
for case in "refused|PELLUCOR_WINE32_LOADER=$tmp/wine32-refused|does not start 32-bit programs" \
            "missing|PELLUCOR_WINE32_LOADER=$tmp/no-such-loader|is not installed" \
            "forced|PELLUCOR_32BIT=no PELLUCOR_WINE32_LOADER=$tmp/wine32-starts|PELLUCOR_32BIT=no"; do
  IFS='|' read -r name settings reason <<<"$case"
  # shellcheck disable=SC2086
  out=$(probe $settings)
  expect "$name: answer" no "$(line 1 <<<"$out")"
  expect "$name: wine leads to the shim" "$shim_dir/wine" "$(line 2 <<<"$out")"
  expect "$name: wine runs the 64-bit loader" "wine64: hello" "$(line 3 <<<"$out")"
  why=$(line 4 <<<"$out")
  expect "$name: the reason says why ($why)" yes "$([[ $why == *"$reason"* ]] && echo yes || echo no)"
done

# No 32-bit prefix is attempted there, and the refusal says why.
msg=$(env -i PATH=/usr/bin:/bin HOME="$tmp" PELLUCOR_32BIT=no bash -c \
  '. "$1"; wine_prefix_init "$2/pfx" win32 2>&1; echo "rc=$?"' _ "$env_sh" "$tmp")
expect "a 32-bit prefix is refused" "rc=1" "$(tail -n 1 <<<"$msg")"
expect "the refusal names the reason" yes "$([[ $msg == *"no 32-bit prefix"*"PELLUCOR_32BIT=no"* ]] && echo yes || echo no)"
expect "nothing was made" no "$([ -e "$tmp/pfx" ] && echo yes || echo no)"

echo "wine-env: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
