# What the archive scripts share: the time every packaged file carries, and a
# copy of the files to package whose modes and times depend on nothing of the
# machine or the user that built them, so that the same files always make the
# same archive. Included by scripts that run at build time (cmake -P).

# SOURCE_DATE_EPOCH (the release takes it from the commit) or, without it, now.
string(TIMESTAMP archive_epoch "%s" UTC)
string(TIMESTAMP archive_time "%Y-%m-%d %H:%M:%S" UTC)

# Copies FILES into STAGE, emptied first: programs (PROGRAMS) with mode 0755,
# the rest 0644, whatever the umask; all at archive_epoch. Sets NAMES_OUT to
# their names in sorted order.
function(stage_archive_files stage names_out)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "FILES;PROGRAMS")
  file(REMOVE_RECURSE ${stage})
  file(MAKE_DIRECTORY ${stage})
  set(readable OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  if(arg_FILES)
    file(COPY ${arg_FILES} DESTINATION ${stage} FILE_PERMISSIONS ${readable})
  endif()
  if(arg_PROGRAMS)
    file(COPY ${arg_PROGRAMS} DESTINATION ${stage}
         FILE_PERMISSIONS ${readable} OWNER_EXECUTE GROUP_EXECUTE WORLD_EXECUTE)
  endif()
  set(names)
  foreach(file IN LISTS arg_FILES arg_PROGRAMS)
    get_filename_component(name ${file} NAME)
    list(APPEND names ${name})
  endforeach()
  list(SORT names)
  execute_process(COMMAND touch -d @${archive_epoch} ${names}
                  WORKING_DIRECTORY ${stage} COMMAND_ERROR_IS_FATAL ANY)
  set(${names_out} ${names} PARENT_SCOPE)
endfunction()
