# nlohmann-json, header-only, from the build machine's /usr/include. The cross
# compiler must not search all of /usr/include, so the build tree gets a
# folder that holds only a link to the json headers; both builds use it.
if(NOT TARGET ace_json)
  find_path(ACE_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT ACE_JSON_INCLUDE)
    message(FATAL_ERROR "nlohmann/json.hpp not found: install nlohmann-json3-dev")
  endif()
  set(ACE_JSON_LINKED ${CMAKE_BINARY_DIR}/json-include)
  file(MAKE_DIRECTORY ${ACE_JSON_LINKED})
  file(CREATE_LINK ${ACE_JSON_INCLUDE}/nlohmann ${ACE_JSON_LINKED}/nlohmann SYMBOLIC)
  add_library(ace_json INTERFACE)
  target_include_directories(ace_json SYSTEM INTERFACE ${ACE_JSON_LINKED})
endif()
