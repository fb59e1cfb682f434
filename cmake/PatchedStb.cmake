# stb_image from the system, with three bounds checks added: the version in Debian 12 (2.27)
# writes and reads past a Huffman table when a JPEG's tables are corrupt or missing, so a page with a
# damaged JPEG picture could end the program (found by fuzz_rtf). Later versions of
# stb_image make the same checks. The copy in the build folder is found before the
# system's by every target that links px_stb.
set(stb_source /usr/include/stb/stb_image.h)
set(stb_patched_dir ${CMAKE_BINARY_DIR}/patched-include)
if(NOT EXISTS ${stb_source})
  message(FATAL_ERROR "stb_image is needed: apt-get install libstb-dev")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${stb_source})
file(READ ${stb_source} stb_text)

# Replaces a piece of the header by its checked form, or finds the checked form there.
function(stb_check unchecked checked)
  string(FIND "${stb_text}" "${checked}" done)
  string(FIND "${stb_text}" "${unchecked}" at)
  if(done GREATER -1)
    return()
  elseif(at EQUAL -1)
    message(FATAL_ERROR "${stb_source} has changed where a bounds check goes; look at cmake/PatchedStb.cmake again")
  endif()
  string(REPLACE "${unchecked}" "${checked}" patched "${stb_text}")
  set(stb_text "${patched}" PARENT_SCOPE)
endfunction()

# Building a Huffman table: no more than 256 symbol sizes, or they overwrite the table.
string(CONCAT stb_sizes_checked "      for (j=0; j < count[i]; ++j) {\n         h->size[k++] = (stbi_uc) (i+1);\n"
       "         if (k >= 257) return stbi__err(\"bad size list\",\"Corrupt JPEG\");\n      }\n")
stb_check("      for (j=0; j < count[i]; ++j)\n         h->size[k++] = (stbi_uc) (i+1);\n" "${stb_sizes_checked}")
# Decoding with a table that has no codes (never defined by the file): the search for a
# code's length stops at 16 bits instead of running past the table.
stb_check("   for (k=FAST_BITS+1 ; ; ++k)\n" "   for (k=FAST_BITS+1 ; k < 17 ; ++k)\n")
# Decoding with a table: a code whose symbol lies outside the table is no symbol.
stb_check("   c = ((j->code_buffer >> (32 - k)) & stbi__bmask[k]) + h->delta[k];\n"
          "   c = ((j->code_buffer >> (32 - k)) & stbi__bmask[k]) + h->delta[k];\n   if (c < 0 || c >= 256) return -1;\n")
# Reading nothing (a PNG's empty image data chunk, before any data buffer exists) copies
# nothing instead of handing a null buffer to memcpy.
stb_check("   if (s->img_buffer+n <= s->img_buffer_end) {\n      memcpy(buffer, s->img_buffer, n);\n"
          "   if (s->img_buffer+n <= s->img_buffer_end) {\n      if (n > 0) memcpy(buffer, s->img_buffer, n);\n")
set(stb_patched ${stb_patched_dir}/stb/stb_image.h)
set(stb_old "")
if(EXISTS ${stb_patched})
  file(READ ${stb_patched} stb_old)
endif()
if(NOT stb_old STREQUAL stb_text)
  file(WRITE ${stb_patched} "${stb_text}")
endif()
add_library(px_stb INTERFACE)
target_include_directories(px_stb BEFORE INTERFACE ${stb_patched_dir})
