# vetra32 --version and --help answer and end without a display; a wrong
# option ends with status 2. PROGRAM: the program file.
set(ENV{DISPLAY} "")
set(ENV{WAYLAND_DISPLAY} "")
set(ENV{QT_QPA_PLATFORM} xcb)  # a window would need an X server and fail
foreach(option --version --help --bogus)
  execute_process(COMMAND ${PROGRAM} ${option} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err
                  TIMEOUT 20)
  if(option STREQUAL "--bogus")
    if(NOT status EQUAL 2 OR err STREQUAL "")
      message(FATAL_ERROR "${option}: status ${status}, stderr '${err}'")
    endif()
  elseif(NOT status EQUAL 0 OR NOT out MATCHES "Vetra32|vetra32")
    message(FATAL_ERROR "${option}: status ${status}, stdout '${out}', stderr '${err}'")
  endif()
endforeach()
