# Keeps the operating-system services of the target system in a platform library: the
# Win32 calls (src/platform/win32) on Windows, the POSIX ones (src/platform/posix)
# elsewhere. The version block reader in posix/Version.cpp is plain C++ and serves both.
function(pointrix_select_platform_sources target)
  get_target_property(srcs ${target} SOURCES)
  if(WIN32)
    list(FILTER srcs EXCLUDE REGEX "/platform/posix/")
    list(APPEND srcs ${CMAKE_SOURCE_DIR}/src/platform/posix/Version.cpp)
  else()
    list(FILTER srcs EXCLUDE REGEX "/platform/win32/")
  endif()
  set_property(TARGET ${target} PROPERTY SOURCES ${srcs})
endfunction()
