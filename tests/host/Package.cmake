# Installs the build into a fresh prefix, configures and builds the outside
# host of package/ against it with find_package, and runs it on the tests'
# world. -D BUILD=<build tree> -D SOURCE=<this folder> -D WORK=<scratch>
#    -D CXX=<compiler> -D WORLD=<world file>
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/prefix
  RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
foreach(f include/device/IDevice.h include/logger/Logger.h lib/cmake/WlanDevice/WlanDeviceConfig.cmake bin/wlanhost)
  if(NOT EXISTS ${WORK}/prefix/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE}/package -B ${WORK}/build -G Ninja
  -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_PREFIX_PATH=${WORK}/prefix RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "configuring the outside host failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK}/build RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "building the outside host failed: ${rc}")
endif()
set(ENV{WLAN_SIM_WORLD} ${WORLD})
execute_process(COMMAND ${WORK}/build/consumer RESULT_VARIABLE rc OUTPUT_VARIABLE out)
message("${out}")
if(NOT rc EQUAL 0 OR NOT out MATCHES "^5 networks")
  message(FATAL_ERROR "the outside host failed: ${rc}")
endif()
# The installed wlanhost finds the installed plug-in by itself.
execute_process(COMMAND ${WORK}/prefix/bin/wlanhost scan --json RESULT_VARIABLE rc OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "\"ssid\":\"Office\"")
  message(FATAL_ERROR "the installed wlanhost failed: ${rc} ${out}")
endif()
