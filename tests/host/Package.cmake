# Installs the build into a fresh prefix, configures and builds the outside
# host of package/ against it with find_package, and runs it on the tests'
# world. -D BUILD=<build tree> -D SOURCE=<this folder> -D WORK=<scratch>
#    -D CXX=<compiler> -D WORLD=<world file>
# Cross build: -D TOOLCHAIN=<toolchain file> -D EMULATOR=<wine64>
#    -D SIM_DLLS=<our wlanapi.dll and iphlpapi.dll>, put beside the installed
#    plug-in so that it meets the tests' world, as Wine has no WLAN service.
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/prefix
  RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
set(exe "")
set(configure "")
if(TOOLCHAIN)
  set(exe .exe)
  set(configure -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN})
  file(COPY ${SIM_DLLS} DESTINATION ${WORK}/prefix/bin)
  # The outside host's own import of Logger.dll is found through the path.
  set(ENV{WINEPATH} "Z:${WORK}/prefix/bin")
else()
  set(configure -DCMAKE_CXX_COMPILER=${CXX})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE}/package -B ${WORK}/build -G Ninja
  ${configure} -DCMAKE_PREFIX_PATH=${WORK}/prefix RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "configuring the outside host failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK}/build RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "building the outside host failed: ${rc}")
endif()
set(ENV{WLAN_SIM_WORLD} ${WORLD})
execute_process(COMMAND ${EMULATOR} ${WORK}/build/consumer${exe} RESULT_VARIABLE rc OUTPUT_VARIABLE out)
message("${out}")
if(NOT rc EQUAL 0 OR NOT out MATCHES "^5 networks")
  message(FATAL_ERROR "the outside host failed: ${rc}")
endif()
# The installed wlanhost finds the installed plug-in by itself.
execute_process(COMMAND ${EMULATOR} ${WORK}/prefix/bin/wlanhost${exe} scan --json RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "\"ssid\":\"Office\"")
  message(FATAL_ERROR "the installed wlanhost failed: ${rc} ${out}")
endif()
