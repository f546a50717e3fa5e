# The defences every distribution builds its programs with, so that a memory
# fault ends in a crash rather than in someone else's code running. On Linux,
# what Debian's own packages get from dpkg-buildflags with hardening=+all; on
# Windows, what mingw-w64 can give. The sanitizer and fuzz builds have checks
# of their own and take none of this.
include(CheckCXXCompilerFlag)
set(CALCULATOR_HARDENED ON)

add_compile_options(-fstack-protector-strong)
add_link_options(-fstack-protector-strong) # on Windows, links the guard's library
# Fortified string and memory functions need the optimizer to know sizes, and
# glibc warns (an error here) when asked for them without it.
add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)

if(WIN32)
  # Address space layout randomisation over all 64 bits, and no code run from
  # data pages: the linker's defaults today, named so that they stay. Stack
  # probes of large frames are always on for Windows targets.
  add_link_options(-Wl,--dynamicbase -Wl,--high-entropy-va -Wl,--nxcompat)
  return()
endif()

add_compile_options(-fstack-clash-protection -Wformat -Werror=format-security)
check_cxx_compiler_flag(-fcf-protection HAVE_CF_PROTECTION)
check_cxx_compiler_flag(-mbranch-protection=standard HAVE_BRANCH_PROTECTION)
if(HAVE_CF_PROTECTION)
  add_compile_options(-fcf-protection) # x86: indirect branch tracking and shadow stack
elseif(HAVE_BRANCH_PROTECTION)
  add_compile_options(-mbranch-protection=standard) # arm64: pointer authentication and BTI
endif()
# A position-independent executable whose relocations are all made, then made
# read-only, before the program's first instruction.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()
add_link_options(-Wl,-z,relro -Wl,-z,now)
