# Writes OUT, a C++ file holding the page's files (FILES, relative to BASE) as byte arrays
# with their paths and media types: the page is in the program, nothing is read at run time.
set(types_html "text/html; charset=utf-8")
set(types_css "text/css; charset=utf-8")
set(types_js "text/javascript; charset=utf-8")
set(types_svg "image/svg+xml")
set(types_png "image/png")

set(arrays "")
set(table "")
set(n 0)
foreach(file ${FILES})
  file(READ ${BASE}/${file} hex HEX)
  string(LENGTH "${hex}" length)
  math(EXPR size "${length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  get_filename_component(ext ${file} LAST_EXT)
  string(SUBSTRING "${ext}" 1 -1 ext)
  set(type "${types_${ext}}")
  if(type STREQUAL "")
    set(type "application/octet-stream")
  endif()
  string(APPEND arrays "const char kFile${n}[] = {${bytes} 0};\n")
  string(APPEND table "    {\"/${file}\", \"${type}\", {kFile${n}, ${size}}},\n")
  math(EXPR n "${n} + 1")
endforeach()

file(WRITE ${OUT}.tmp "// Generated from host/web/page by EmbedAssets.cmake; do not edit.
#include \"host/web/WebAssets.h\"

namespace host::web {
namespace {
${arrays}
constexpr WebAsset kAssets[] = {
${table}};
} // namespace

std::span<const WebAsset> WebAssets() {
    return kAssets;
}
} // namespace host::web
")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
