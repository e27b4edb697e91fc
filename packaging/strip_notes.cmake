# CPack runs this on the staged files before it builds the package: the
# programs lose the .comment and .note sections that plain strip keeps, as
# Debian's own packaging tools remove them.
foreach(program usr/games/qzreishogi usr/games/qzreishogi-cli)
  file(GLOB staged "${CPACK_TEMPORARY_DIRECTORY}/${program}"
       "${CPACK_TEMPORARY_DIRECTORY}/*/${program}")
  foreach(file IN LISTS staged)
    execute_process(COMMAND strip --remove-section=.comment --remove-section=.note
                            --strip-unneeded "${file}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "strip failed on ${file}")
    endif()
  endforeach()
endforeach()
