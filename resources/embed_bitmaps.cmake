# cmake -DRC_FILE=<oscinda.rc> -DOUTPUT=<file.cpp> -P embed_bitmaps.cmake
#
# Writes the C++ table of gui/platform/embedded/embedded_bitmaps.h: each
# bitmap the resource script names, as the packed DIB a Windows resource
# holds (the .bmp less its 14-byte file header).
cmake_minimum_required(VERSION 3.20)
include("${CMAKE_CURRENT_LIST_DIR}/bitmap_table.cmake")

# The little-endian unsigned number of `size` bytes at byte `offset` of a hex text.
function(read_le hex offset size out_var)
  set(value "")
  math(EXPR last "${size} - 1")
  foreach(i RANGE ${last})
    math(EXPR at "(${offset} + ${i}) * 2")
    string(SUBSTRING "${hex}" ${at} 2 byte)
    set(value "${byte}${value}")
  endforeach()
  math(EXPR value "0x${value}")
  set(${out_var} ${value} PARENT_SCOPE)
endfunction()

# Stops the build unless file is a .bmp whose pixels follow its header and
# palette directly: then dropping the file header leaves a valid packed DIB.
function(check_bmp file)
  file(SIZE "${file}" size)
  if(size LESS 54)
    message(FATAL_ERROR "${file}: too short for a bitmap")
  endif()
  file(READ "${file}" head LIMIT 54 HEX)
  string(SUBSTRING "${head}" 0 4 signature)
  if(NOT signature STREQUAL "424d")
    message(FATAL_ERROR "${file}: not a .bmp file")
  endif()
  read_le("${head}" 10 4 pixel_offset)
  read_le("${head}" 14 4 header_size)
  read_le("${head}" 28 2 bit_count)
  read_le("${head}" 46 4 colours_used)
  set(palette_entries ${colours_used})
  if(bit_count LESS_EQUAL 8 AND colours_used EQUAL 0)
    math(EXPR palette_entries "1 << ${bit_count}")
  endif()
  math(EXPR expected "14 + ${header_size} + ${palette_entries} * 4")
  if(NOT pixel_offset EQUAL expected)
    message(FATAL_ERROR "${file}: pixels start at ${pixel_offset}, not right after the palette (${expected})")
  endif()
endfunction()

oscinda_read_bitmap_table("${RC_FILE}" ids files)

set(arrays "")
set(entries "")
foreach(id file IN ZIP_LISTS ids files)
  check_bmp("${file}")
  file(READ "${file}" hex OFFSET 14 HEX)
  # Sixteen bytes a line.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n"
         bytes "${bytes}")
  get_filename_component(name "${file}" NAME)
  string(APPEND arrays "// ${name}\nconst unsigned char kBitmap${id}[] = {\n${bytes}\n};\n\n")
  string(APPEND entries "    {${id}, kBitmap${id}, sizeof kBitmap${id}},\n")
endforeach()

list(LENGTH ids count)
set(source "// Generated at build time by resources/embed_bitmaps.cmake from resources/oscinda.rc.
#include \"gui/platform/embedded/embedded_bitmaps.h\"

namespace {

${arrays}}  // namespace

const EmbeddedBitmap kEmbeddedBitmaps[] = {
${entries}};
const std::size_t kEmbeddedBitmapCount = ${count};
")

file(WRITE "${OUTPUT}" "${source}")
