# Compile options shared by every target of ours (not by third-party code):
# link ace_options into each library and executable.
add_library(ace_options INTERFACE)
target_compile_options(ace_options INTERFACE -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wno-unknown-pragmas)
if(ACE_WERROR)
  target_compile_options(ace_options INTERFACE -Werror)
endif()
# Source paths in stack entries and log records are relative to the
# repository, whatever folder the build ran in.
target_compile_options(ace_options INTERFACE -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
target_include_directories(ace_options INTERFACE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/src)

if(WIN32)
  # Unicode SDK names; big test objects; a static runtime so that binaries
  # import only system DLLs (and Logger.dll).
  target_compile_definitions(ace_options INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  target_compile_options(ace_options INTERFACE -Wa,-mbig-obj)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

if(ACE_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(ACE_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT ACE_SANITIZE STREQUAL "")
  message(FATAL_ERROR "ACE_SANITIZE must be address, thread or empty")
endif()
