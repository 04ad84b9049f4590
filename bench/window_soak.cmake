# The window for 8 hours of ticks, memory and objects sampled: run by hand (about a
# minute), never as a test; its short form is tests/endurance. scripts/window-soak
# runs it, also under LeakSanitizer.
if(TARGET talviro6_window_soak)
  add_executable(window_soak window_soak.cpp)
  target_link_libraries(window_soak PRIVATE talviro6_window_soak)
endif()
