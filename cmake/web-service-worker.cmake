# Writes the service worker from its template: the site's files by their
# names with the SHA-256 of each, and a cache named by the digest of them all.
#   cmake -DSITE=DIR -DFILES=F1;F2... -DTEMPLATE=IN -DOUTPUT=OUT
#         -DCALCULATOR_PROGRAM_NAME=NAME -P web-service-worker.cmake
list(SORT FILES)
set(names "")
set(digests "")
foreach(file IN LISTS FILES)
  file(RELATIVE_PATH name ${SITE} ${file})
  file(SHA256 ${file} digest)
  # The page is asked for by its folder too.
  if(name STREQUAL "index.html")
    string(APPEND names "\n  './': '${digest}',")
  endif()
  string(APPEND names "\n  '${name}': '${digest}',")
  string(APPEND digests "${name} ${digest}\n")
endforeach()
string(SHA256 SITE_DIGEST "${digests}")
string(SUBSTRING ${SITE_DIGEST} 0 16 SITE_DIGEST)
set(SITE_FILES "${names}\n")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
