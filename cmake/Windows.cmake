# Building for Windows: the Win32 platform services instead of the POSIX ones, and the
# executable's own resources (version block, icon, manifest) and GUI subsystem.
enable_language(RC)
# The program has its own main (SDL would otherwise rename it to SDL_main).
add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN UNICODE _UNICODE SDL_MAIN_HANDLED)

# Resource scripts go through the C preprocessor of the cross compiler.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -O coff")

find_package(Python3 REQUIRED COMPONENTS Interpreter)

# Adds a VERSIONINFO resource, the icon and the manifest to an executable. A test passes
# its own FILE_VERSION to tell the linked block from the embedded copy.
function(pointrix_windows_resources target)
  cmake_parse_arguments(W "" "FILE_VERSION" "" ${ARGN})
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}.rc")
  add_custom_command(OUTPUT "${rc}"
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/windows/make_windows_rc.py "${rc}" ${W_FILE_VERSION}
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/windows/make_windows_rc.py
            ${CMAKE_SOURCE_DIR}/tools/version/make_version_block.py
            ${CMAKE_SOURCE_DIR}/resources/Pointrix.ico
            ${CMAKE_SOURCE_DIR}/resources/windows/pointrix.manifest
    COMMENT "Writing the Windows resources of ${target}")
  target_sources(${target} PRIVATE "${rc}")
endfunction()

# SDL's flags rename main to SDL_main and link SDL2main (a WinMain that calls it) and
# -mwindows for every program. Pointrix has its own main, and only the program itself is
# a GUI program: the test programs stay console programs.
foreach(property INTERFACE_LINK_LIBRARIES INTERFACE_LINK_OPTIONS INTERFACE_COMPILE_OPTIONS
                 INTERFACE_COMPILE_DEFINITIONS)
  get_target_property(values PkgConfig::SDL2 ${property})
  if(values)
    list(FILTER values EXCLUDE REGEX "SDL2main|^-mwindows$|main=SDL_main")
    set_target_properties(PkgConfig::SDL2 PROPERTIES ${property} "${values}")
  endif()
endforeach()
