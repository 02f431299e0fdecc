# oscinda_read_bitmap_table(rc_file ids_var files_var): the bitmap ids and
# their .bmp paths (absolute) named by the "<id> BITMAP "<file>"" lines of a
# resource script, in order.
function(oscinda_read_bitmap_table rc_file ids_var files_var)
  get_filename_component(rc_dir "${rc_file}" DIRECTORY)
  file(STRINGS "${rc_file}" lines REGEX "^[ \t]*[0-9]+[ \t]+BITMAP[ \t]+\"[^\"]+\"")
  set(ids "")
  set(files "")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^[ \t]*([0-9]+)[ \t]+BITMAP[ \t]+\"([^\"]+)\"" matched "${line}")
    list(APPEND ids "${CMAKE_MATCH_1}")
    list(APPEND files "${rc_dir}/${CMAKE_MATCH_2}")
  endforeach()
  if(NOT ids)
    message(FATAL_ERROR "${rc_file} names no bitmap")
  endif()
  set(${ids_var} "${ids}" PARENT_SCOPE)
  set(${files_var} "${files}" PARENT_SCOPE)
endfunction()
