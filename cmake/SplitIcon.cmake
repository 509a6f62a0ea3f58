# Splits an ICO file into the raw resources of an icon group, for an .rc file to include:
#   <OUTPUT_DIR>/icon_<n>.bin   one RT_ICON per image, n = 1..count, in directory order
#   <OUTPUT_DIR>/icon_group.bin the RT_GROUP_ICON data: the ICO header, then per image the first
#                               12 bytes of its directory entry and its 16-bit resource id n
#
#   cmake -DICO=<file.ico> -DOUTPUT_DIR=<dir> [-DEXPECTED_COUNT=<n>] -P SplitIcon.cmake
#
# windres's own ICON statement recomputes planes and bit count from the images; the group data
# written here keeps the directory values of the ICO exactly as drawn.
#
# CMake cannot put a zero byte into a string, so every output is assembled from byte ranges of
# the ICO itself (read through a file:// download with a range) plus one-byte files for the ids,
# and concatenated with `cmake -E cat`.
cmake_minimum_required(VERSION 3.25)

if(NOT ICO OR NOT OUTPUT_DIR)
  message(FATAL_ERROR "SplitIcon: ICO and OUTPUT_DIR are required")
endif()
file(REAL_PATH "${ICO}" ICO)
file(SIZE "${ICO}" ico_size)
file(READ "${ICO}" hex HEX)

# Little-endian unsigned value of `len` bytes at `offset`.
function(read_le out offset len)
  math(EXPR end "${offset} + ${len}")
  if(end GREATER ico_size)
    message(FATAL_ERROR "SplitIcon: ${ICO} is truncated (needs ${end} bytes, has ${ico_size})")
  endif()
  set(value "")
  math(EXPR last "${len} - 1")
  foreach(i RANGE ${last})
    math(EXPR pos "(${offset} + ${i}) * 2")
    string(SUBSTRING "${hex}" ${pos} 2 byte)
    set(value "${byte}${value}")
  endforeach()
  math(EXPR value "0x${value}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

if(ICO MATCHES "^/")
  set(ico_url "file://${ICO}")
else()
  set(ico_url "file:///${ICO}")  # a drive-letter path
endif()

# Bytes [first, first + count) of the ICO into `dest`.
function(slice dest first count)
  math(EXPR last "${first} + ${count} - 1")
  file(DOWNLOAD "${ico_url}" "${dest}" RANGE_START ${first} RANGE_END ${last} STATUS status)
  list(GET status 0 code)
  file(SIZE "${dest}" got)
  if(NOT code EQUAL 0 OR NOT got EQUAL count)
    message(FATAL_ERROR "SplitIcon: reading bytes ${first}..${last} of ${ICO} failed: ${status}")
  endif()
endfunction()

read_le(reserved 0 2)
read_le(type 2 2)
read_le(count 4 2)
if(NOT reserved EQUAL 0 OR NOT type EQUAL 1 OR count EQUAL 0)
  message(FATAL_ERROR "SplitIcon: ${ICO} is not an icon file")
endif()
if(DEFINED EXPECTED_COUNT AND NOT count EQUAL EXPECTED_COUNT)
  message(FATAL_ERROR "SplitIcon: ${ICO} has ${count} images, the .rc lists ${EXPECTED_COUNT}")
endif()
if(count GREATER 255)
  message(FATAL_ERROR "SplitIcon: more than 255 images")
endif()

file(MAKE_DIRECTORY "${OUTPUT_DIR}")
set(work "${OUTPUT_DIR}/split.tmp")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")

slice("${work}/header" 0 6)
slice("${work}/zero" 0 1)  # the reserved word's low byte: the high byte of every id
set(group_pieces "${work}/header")
math(EXPR last_index "${count} - 1")
foreach(i RANGE ${last_index})
  math(EXPR id "${i} + 1")
  math(EXPR entry "6 + 16 * ${i}")
  read_le(bytes "${entry} + 8" 4)
  read_le(offset "${entry} + 12" 4)
  math(EXPR end "${offset} + ${bytes}")
  if(bytes EQUAL 0 OR end GREATER ico_size)
    message(FATAL_ERROR "SplitIcon: image ${id} of ${ICO} lies outside the file")
  endif()
  slice("${OUTPUT_DIR}/icon_${id}.bin" ${offset} ${bytes})

  slice("${work}/entry_${id}" ${entry} 12)
  string(ASCII ${id} id_char)
  file(WRITE "${work}/id_${id}" "${id_char}")
  list(APPEND group_pieces "${work}/entry_${id}" "${work}/id_${id}" "${work}/zero")
endforeach()

execute_process(COMMAND "${CMAKE_COMMAND}" -E cat ${group_pieces}
                OUTPUT_FILE "${OUTPUT_DIR}/icon_group.bin" RESULT_VARIABLE result)
file(SIZE "${OUTPUT_DIR}/icon_group.bin" group_size)
math(EXPR want "6 + 14 * ${count}")
if(NOT result EQUAL 0 OR NOT group_size EQUAL want)
  message(FATAL_ERROR "SplitIcon: writing the group failed (${result}, ${group_size} of ${want} bytes)")
endif()
file(REMOVE_RECURSE "${work}")
