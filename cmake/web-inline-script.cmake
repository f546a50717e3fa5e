# Puts SCRIPT's text into PAGE in place of "@SCRIPT@", and its SHA-256 in
# base64 in place of "@SCRIPT_SHA256@": the page's policy runs an inline
# script by its digest only. Usage: cmake -DPAGE=... -DSCRIPT=... -P this
cmake_minimum_required(VERSION 3.25)
file(READ ${PAGE} page)
file(READ ${SCRIPT} script)
string(SHA256 digest "${script}")

# The digest's 32 bytes in base64, three bytes (six hex digits) at a time; the
# last two bytes make three digits and a "=".
set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
set(base64 "")
foreach(at RANGE 0 63 6)
  string(SUBSTRING "${digest}000000" ${at} 6 group)
  math(EXPR bits "0x${group}")
  foreach(shift 18 12 6 0)
    math(EXPR index "(${bits} >> ${shift}) & 63")
    string(SUBSTRING "${alphabet}" ${index} 1 letter)
    string(APPEND base64 "${letter}")
  endforeach()
endforeach()
string(SUBSTRING "${base64}" 0 43 base64)
string(APPEND base64 "=")

foreach(placeholder @SCRIPT@ @SCRIPT_SHA256@)
  string(FIND "${page}" "${placeholder}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "${PAGE} has no ${placeholder}")
  endif()
endforeach()
string(REPLACE "@SCRIPT_SHA256@" "${base64}" page "${page}")
string(REPLACE "@SCRIPT@" "${script}" page "${page}")
file(WRITE ${PAGE} "${page}")
