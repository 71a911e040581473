# Run at build time for one layer: fails when one of its files includes a folder of a layer
# that is not below it, or when a portable layer includes <windows.h>.
# -DLIST= names the file written at configure time (ZEK_LAYER, ZEK_LAYER_FOLDERS,
# ZEK_LAYER_WINDOWS, ZEK_LAYER_FILES); -DSTAMP= is touched when every file passes.
cmake_minimum_required(VERSION 3.25)
include(${LIST})
set(wrong "")
foreach(file IN LISTS ZEK_LAYER_FILES)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
  foreach(line IN LISTS lines)
    if(line MATCHES "include[ \t]*\"([^/\"]+)/")
      if(NOT CMAKE_MATCH_1 IN_LIST ZEK_LAYER_FOLDERS)
        string(APPEND wrong "\n  ${file}: ${line}")
      endif()
    elseif(NOT ZEK_LAYER_WINDOWS AND line MATCHES "include[ \t]*<[Ww][Ii][Nn][Dd][Oo][Ww][Ss]\\.[Hh]>")
      string(APPEND wrong "\n  ${file}: ${line}")
    endif()
  endforeach()
endforeach()
if(wrong)
  string(REPLACE ";" " " folders "${ZEK_LAYER_FOLDERS}")
  message(FATAL_ERROR "Layer ${ZEK_LAYER} may include only ${folders}; these go the wrong way:${wrong}")
endif()
file(TOUCH ${STAMP})
