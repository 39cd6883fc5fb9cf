# Header-only libraries from the build machine's /usr/include (nlohmann-json,
# CLI11). The cross compiler must not search all of /usr/include, so the build
# tree gets a folder per library that holds only a link to its headers; both
# builds use it.
# ace_header_only(<target> <header to find> <folder to link> <Debian package>)
function(ace_header_only target header folder package)
  if(TARGET ${target})
    return()
  endif()
  find_path(${target}_INCLUDE ${header} PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT ${target}_INCLUDE)
    message(FATAL_ERROR "${header} not found: install ${package}")
  endif()
  set(linked ${CMAKE_BINARY_DIR}/${target}-include)
  file(MAKE_DIRECTORY ${linked})
  file(CREATE_LINK ${${target}_INCLUDE}/${folder} ${linked}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE)
  target_include_directories(${target} SYSTEM INTERFACE ${linked})
endfunction()

ace_header_only(ace_json nlohmann/json.hpp nlohmann nlohmann-json3-dev)
ace_header_only(ace_cli11 CLI/CLI.hpp CLI libcli11-dev)
