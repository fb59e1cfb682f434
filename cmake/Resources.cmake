# Embeds every file under resources/ (and the fonts) into the executable.
# Each file becomes a resource named after its file name without extension; its
# kind comes from the extension. Lookup ignores letter case.
function(pointrix_embed_resources target)
  file(GLOB_RECURSE res_files CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/resources/*.bmp
    ${CMAKE_SOURCE_DIR}/resources/*.cur
    ${CMAKE_SOURCE_DIR}/resources/*.wav
    ${CMAKE_SOURCE_DIR}/resources/*.ico
    ${CMAKE_SOURCE_DIR}/resources/*.png
    ${CMAKE_SOURCE_DIR}/resources/*.dfm
    ${CMAKE_SOURCE_DIR}/resources/*.ttf
    ${CMAKE_SOURCE_DIR}/resources/*.ver)
  list(APPEND res_files ${ARGN})
  list(SORT res_files)
  set(asm "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.S")
  set(tab "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp")
  # Windows objects name their read-only section .rdata, and 32-bit Windows gives C
  # symbols a leading underscore.
  set(sym "pxres")
  set(asm_text "    .section .rodata\n")
  if(WIN32)
    set(asm_text "    .section .rdata,\"dr\"\n")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      set(sym "_pxres")
    endif()
  endif()
  set(tab_text "// Generated: table of embedded resources.\n#include \"toolkit/core/ResourceTable.h\"\n\nextern \"C\" {\n")
  set(entries "")
  set(i 0)
  foreach(f IN LISTS res_files)
    get_filename_component(base "${f}" NAME_WE)
    get_filename_component(ext "${f}" EXT)
    string(TOLOWER "${ext}" ext)
    string(SUBSTRING "${ext}" 1 -1 ext)
    string(APPEND asm_text "    .global ${sym}_${i}_begin\n    .global ${sym}_${i}_end\n    .balign 16\n${sym}_${i}_begin:\n    .incbin \"${f}\"\n${sym}_${i}_end:\n    .byte 0\n")
    string(APPEND tab_text "extern const unsigned char pxres_${i}_begin[];\nextern const unsigned char pxres_${i}_end[];\n")
    string(APPEND entries "    {\"${base}\", \"${ext}\", pxres_${i}_begin, pxres_${i}_end},\n")
    math(EXPR i "${i} + 1")
  endforeach()
  if(NOT WIN32)
    string(APPEND asm_text "    .section .note.GNU-stack,\"\",@progbits\n")
  endif()
  string(APPEND tab_text "}\n\nconst TResourceEntry PointrixResourceEntries[] = {\n${entries}    {nullptr, nullptr, nullptr, nullptr},\n};\n")
  file(CONFIGURE OUTPUT "${asm}" CONTENT "${asm_text}")
  file(CONFIGURE OUTPUT "${tab}" CONTENT "${tab_text}")
  set_source_files_properties("${asm}" PROPERTIES OBJECT_DEPENDS "${res_files}")
  target_sources(${target} PRIVATE "${asm}" "${tab}")
endfunction()
