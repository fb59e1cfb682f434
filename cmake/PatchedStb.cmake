# stb_image from the system, with one bounds check added: the version in Debian 12 (2.27)
# reads past a Huffman table's 256 symbols when a JPEG's tables are corrupt, so a page
# with a damaged JPEG picture could end the program (found by fuzz_rtf). Later versions
# of stb_image make the same check. The copy in the build folder is found before the
# system's by every target that links px_stb.
set(stb_source /usr/include/stb/stb_image.h)
set(stb_patched_dir ${CMAKE_BINARY_DIR}/patched-include)
if(NOT EXISTS ${stb_source})
  message(FATAL_ERROR "stb_image is needed: apt-get install libstb-dev")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${stb_source})
file(READ ${stb_source} stb_text)
set(stb_unchecked "   c = ((j->code_buffer >> (32 - k)) & stbi__bmask[k]) + h->delta[k];\n")
string(FIND "${stb_text}" "${stb_unchecked}" stb_at)
if(stb_at GREATER -1)
  string(REPLACE "${stb_unchecked}"
                 "${stb_unchecked}   if (c < 0 || c >= 256) return -1;  // a corrupt table: no such symbol\n"
                 stb_text "${stb_text}")
elseif(NOT stb_text MATCHES "c < 0 \\|\\| c >= 256")
  message(FATAL_ERROR "${stb_source} has neither the unchecked Huffman lookup nor the check: look at it again")
endif()
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
