#!/usr/bin/env bash
# Which programs this machine can run under Wine, decided in this one place for every script and test.
#
# Sourced:  . scripts/platform.sh; talsek_runs_32bit && ...; talsek_wine_env  (exports TALSEK_WINE)
# Run:      bash scripts/platform.sh   prints the verdict as KEY=value lines for the tests:
#   TALSEK_RUNS_32BIT=1|0   whether 32-bit programs run here
#   TALSEK_WHY=...          why not, in one phrase (empty when they do)
#   TALSEK_WINE=...         the Wine loader every Wine call starts
#   WINELOADER=...          the loader Wine itself starts further processes with (64-bit only path)
#
# Some kernels have no 32-bit support at all (every 32-bit Linux program fails with "Exec format
# error", Wine's 32-bit loader among them), so the machine is asked, never assumed: a minimal i386
# program is written to a folder that permits running programs and run there; where no such folder
# exists, TALSEK_WHY says so rather than blaming the kernel. TALSEK_64BIT_ONLY=1 takes the 64-bit-only path on
# a machine that could run both, so that path can be tried anywhere.
#
# On the 64-bit-only path every Wine call goes to the 64-bit loader by its full name, with WINELOADER
# pointing at it: Debian's `wine`, `wineboot` and friends pick the 32-bit loader whenever wine32 is
# installed, and that loader cannot start here.

talsek_wine64=/usr/lib/wine/wine64

# A folder where this user may write and the mount permits running programs: a noexec temporary
# folder would refuse the test program and look like a kernel without 32-bit support. Each candidate
# is tried with a shell script, which any kernel runs where execution is permitted.
talsek_exec_folder() {
  local dir probe
  for dir in "${TMPDIR:-}" /tmp /var/tmp /dev/shm "${XDG_RUNTIME_DIR:-}" "${HOME:+$HOME/.cache}"; do
    [ -n "$dir" ] && [ -d "$dir" ] && [ -w "$dir" ] || continue
    probe=$(mktemp "$dir/talsek-exec.XXXXXX" 2>/dev/null) || continue
    printf '#!/bin/sh\nexit 0\n' >"$probe"
    chmod +x "$probe"
    if ("$probe") 2>/dev/null; then
      rm -f "$probe"
      echo "$dir"
      return 0
    fi
    rm -f "$probe"
  done
  return 1
}

# Whether the kernel runs a 32-bit x86 program, one that ends itself with exit code 42: 0 yes,
# 1 no, 2 cannot tell (no folder permits running the test program).
talsek_kernel_runs_32bit() {
  local dir elf rc
  dir=$(talsek_exec_folder) || return 2
  elf=$(mktemp "$dir/talsek-i386.XXXXXX") || return 2
  {
    # ELF header: 32-bit, little-endian, executable for i386, entry 0x08048054, one program header.
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
    printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00'
    printf '\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
    # One loadable segment of the whole 96-byte file at 0x08048000, readable and executable.
    printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
    printf '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
    # mov eax, 1 (exit); mov ebx, 42; int 0x80
    printf '\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80'
  } >"$elf"
  chmod +x "$elf"
  # The shell's own "Exec format error" message is not news; the verdict is.
  ("$elf") 2>/dev/null
  rc=$?
  rm -f "$elf"
  [ "$rc" -eq 42 ]
}

# Succeeds when the 32-bit programs are to be run here; otherwise TALSEK_WHY says why not.
talsek_runs_32bit() {
  if [ "${TALSEK_64BIT_ONLY:-0}" = 1 ]; then
    TALSEK_WHY="TALSEK_64BIT_ONLY=1 is set"
    return 1
  fi
  talsek_kernel_runs_32bit
  case $? in
    0) TALSEK_WHY="" ;;
    2)
      # Not a verdict on the kernel: the 64-bit path works either way, so it is taken, and said why.
      TALSEK_WHY="no writable folder here permits running a test program (TMPDIR, /tmp, /var/tmp, /dev/shm, XDG_RUNTIME_DIR, ~/.cache are noexec or missing), so whether 32-bit programs run is unknown"
      return 1 ;;
    *)
      TALSEK_WHY="this machine's kernel runs no 32-bit programs"
      return 1 ;;
  esac
}

# Exports TALSEK_WINE, the loader to start Windows programs with, and on the 64-bit-only path
# WINELOADER; TALSEK_RUNS_32BIT and TALSEK_WHY carry the verdict.
talsek_wine_env() {
  if talsek_runs_32bit; then
    export TALSEK_RUNS_32BIT=1 TALSEK_WINE=wine
  else
    local loader=$talsek_wine64
    [ -x "$loader" ] || loader=$(command -v wine64 || echo "$talsek_wine64")
    export TALSEK_RUNS_32BIT=0 TALSEK_WINE=$loader WINELOADER=$loader
  fi
  export TALSEK_WHY
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  talsek_wine_env
  echo "TALSEK_RUNS_32BIT=$TALSEK_RUNS_32BIT"
  echo "TALSEK_WHY=$TALSEK_WHY"
  echo "TALSEK_WINE=$TALSEK_WINE"
  [ "$TALSEK_RUNS_32BIT" = 1 ] || echo "WINELOADER=$WINELOADER"
fi
