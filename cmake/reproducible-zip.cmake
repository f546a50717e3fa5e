# Makes a zip archive of files, the same bytes from the same files wherever and
# whenever it is made: no owner or extended times (zip -X), names in sorted
# order, modes and times from the staged copy, times in UTC.
# Usage: cmake -DOUTPUT=x.zip -DSTAGE=folder "-DFILES=a;b" ["-DPROGRAMS=c"] -P reproducible-zip.cmake
include(${CMAKE_CURRENT_LIST_DIR}/archive-staging.cmake)
stage_archive_files(${STAGE} names FILES ${FILES} PROGRAMS ${PROGRAMS})
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -X -D -9 -q ${OUTPUT} ${names}
                WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)
