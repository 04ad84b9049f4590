# Pictures of the window for the manual in one language, taken at build time:
#   cmake -DPICTURES=talviro6-pictures -DLANGUAGE=DEUTSCH -DLOCALE=de_DE.UTF-8 -DDIR=pictures -P screenshots.cmake
# The window runs headless against its built-in simulated unit, from a first start
# (settings in a folder of its own, removed afterwards), driven tick by tick, and
# grabs every page. The locale gives the digit grouping a reader of
# that language sees, whoever builds.
foreach(name PICTURES LANGUAGE LOCALE DIR)
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "screenshots.cmake needs -D${name}=...")
  endif()
endforeach()

# Pictures of an earlier run must not stand in for a run that failed.
file(REMOVE_RECURSE "${DIR}")
file(MAKE_DIRECTORY "${DIR}")
set(config "${DIR}.config")
file(REMOVE_RECURSE "${config}")
file(MAKE_DIRECTORY "${config}")

set(ENV{XDG_CONFIG_HOME} "${config}")
set(ENV{QT_QPA_PLATFORM} offscreen)
# Without a session bus Qt would start one and leave it running after every run.
set(ENV{DBUS_SESSION_BUS_ADDRESS} "disabled:")
unset(ENV{LC_ALL})
set(ENV{LC_NUMERIC} "${LOCALE}")
set(ENV{LANG} "${LOCALE}")
# A build with AddressSanitizer takes pictures too; leaks are for the tests to judge.
set(ENV{ASAN_OPTIONS} "$ENV{ASAN_OPTIONS}:detect_leaks=0")

execute_process(
  COMMAND "${PICTURES}" "${LANGUAGE}" "${DIR}"
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  TIMEOUT 60)
file(REMOVE_RECURSE "${config}")
if(NOT result EQUAL 0)
  file(REMOVE_RECURSE "${DIR}")
  message(FATAL_ERROR "The window took no pictures in ${LANGUAGE} (${result}):\n${output}${errors}")
endif()
