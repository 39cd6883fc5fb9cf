# Packs the build with CPack into a scratch folder and lists the archive:
# the plug-in, Logger, wlanhost, the boundary headers, the find_package
# configuration and, on Windows, the import libraries.
# -D CPACK=<cpack> -D BUILD=<build tree> -D WORK=<scratch> -D WINDOWS=<ON|OFF>
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CPACK} --config ${BUILD}/CPackConfig.cmake -B ${WORK} RESULT_VARIABLE rc OUTPUT_VARIABLE out
  ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack failed: ${rc}\n${out}")
endif()
if(WINDOWS)
  file(GLOB archive ${WORK}/WlanDevice-1.0.0-win64.zip)
  set(expected bin/WlanDevice.dll bin/Logger.dll bin/wlanhost.exe lib/libLogger.dll.a lib/libWlanDevice.dll.a
      lib/libfoundation.a lib/libplatform.a)
else()
  file(GLOB archive ${WORK}/WlanDevice-1.0.0-Linux.tar.gz)
  set(expected bin/wlanhost lib/libWlanDevice.so lib/libLogger.so lib/libplatform.so lib/libfoundation.a)
endif()
list(APPEND expected include/device/IDevice.h include/device/GenericAdapter.h include/foundation/Thread.h
     include/records/ConnectionInfo.h include/logger/Logger.h lib/cmake/WlanDevice/WlanDeviceConfig.cmake
     lib/cmake/WlanDevice/WlanDeviceConfigVersion.cmake)
list(LENGTH archive found)
if(NOT found EQUAL 1)
  message(FATAL_ERROR "no versioned archive in ${WORK}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${archive} RESULT_VARIABLE rc OUTPUT_VARIABLE listing)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot list ${archive}")
endif()
foreach(file ${expected})
  if(NOT listing MATCHES "(^|\n)WlanDevice-1\\.0\\.0-[^/\n]+/${file}(\n|$)")
    message(FATAL_ERROR "${archive} lacks ${file}:\n${listing}")
  endif()
endforeach()
message("${archive}: every expected entry")
