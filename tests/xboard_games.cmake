# The xboard games run the real GUI headless; see xboard_games.sh.
add_test(NAME xboard_games
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/xboard_games.sh $<TARGET_FILE:bitrook>
          ${PROJECT_BINARY_DIR}/xboard-games)
set_tests_properties(xboard_games PROPERTIES TIMEOUT 1200 SKIP_RETURN_CODE 77 RUN_SERIAL TRUE)
