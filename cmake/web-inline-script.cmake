# Puts SCRIPT's text into PAGE in place of "@SCRIPT@", and its SHA-256 in
# base64 in place of "@SCRIPT_SHA256@": the page's policy runs an inline
# script by its digest only. Usage: cmake -DPAGE=... -DSCRIPT=... -P this
cmake_minimum_required(VERSION 3.25)
file(READ ${PAGE} page)
file(READ ${SCRIPT} script)
execute_process(COMMAND openssl dgst -sha256 -binary ${SCRIPT}
                COMMAND openssl base64 -A
                OUTPUT_VARIABLE digest COMMAND_ERROR_IS_FATAL ANY)

foreach(placeholder @SCRIPT@ @SCRIPT_SHA256@)
  string(FIND "${page}" "${placeholder}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "${PAGE} has no ${placeholder}")
  endif()
endforeach()
string(REPLACE "@SCRIPT_SHA256@" "${digest}" page "${page}")
string(REPLACE "@SCRIPT@" "${script}" page "${page}")
file(WRITE ${PAGE} "${page}")
