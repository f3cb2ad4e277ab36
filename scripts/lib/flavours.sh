# Shared by scripts/setup, scripts/test and scripts/run: which flavours of Tarvolin this host can run.
# The 64-bit one runs wherever Wine does; the 32-bit one needs a kernel that executes 32-bit code,
# which not every x86-64 host allows.

# Succeeds when the kernel runs a 32-bit (i386) Linux program. The program is the smallest ELF
# file that exits with status 0, written out byte by byte, so no 32-bit package is needed to ask.
host_runs_32bit() {
  local probe status
  probe=$(mktemp)
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'  >"$probe"  # ident
  printf '\002\000\003\000\001\000\000\000\124\200\004\010'        >>"$probe"  # exec, 386, entry
  printf '\064\000\000\000\000\000\000\000\000\000\000\000'        >>"$probe"  # phoff, shoff, flags
  printf '\064\000\040\000\001\000\000\000\000\000\000\000'        >>"$probe"  # sizes, one phdr
  printf '\001\000\000\000\000\000\000\000\000\200\004\010'        >>"$probe"  # PT_LOAD at 0x8048000
  printf '\000\200\004\010\135\000\000\000\135\000\000\000'        >>"$probe"
  printf '\005\000\000\000\000\020\000\000'                        >>"$probe"  # r-x, page aligned
  printf '\270\001\000\000\000\061\333\315\200'                    >>"$probe"  # exit(0)
  chmod +x "$probe"
  "$probe" >/dev/null 2>&1 && status=0 || status=1
  rm -f "$probe"
  return $status
}

# The flavours this host runs, 32-bit first (it is the reference), one per line.
runnable_flavours() {
  host_runs_32bit && echo mingw-i686
  echo mingw-x86_64
}
