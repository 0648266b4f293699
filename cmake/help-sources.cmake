# cmake -DSOURCE=<folder> -DWORK=<folder> -DCHARSET=<charset> -DICONV=<iconv> -P help-sources.cmake
# Copies the help sources (UTF-8) into WORK, written in CHARSET with the pages' charset changed to
# match; utf-8 copies them unchanged. iconv fails on a character CHARSET does not have.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(GLOB sources ${SOURCE}/*)
foreach(source IN LISTS sources)
  get_filename_component(name ${source} NAME)
  if(CHARSET STREQUAL "utf-8")
    file(COPY ${source} DESTINATION ${WORK})
    continue()
  endif()
  file(READ ${source} text)
  string(REPLACE "charset=\"utf-8\"" "charset=\"${CHARSET}\"" text "${text}")
  file(WRITE ${WORK}/${name}.utf-8 "${text}")
  execute_process(COMMAND ${ICONV} -f UTF-8 -t ${CHARSET} -o ${WORK}/${name} ${WORK}/${name}.utf-8
                  RESULT_VARIABLE failed)
  file(REMOVE ${WORK}/${name}.utf-8)
  if(failed)
    message(FATAL_ERROR "${source} cannot be written in ${CHARSET}")
  endif()
endforeach()
