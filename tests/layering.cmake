# The layering of the folders, from their symbols (see layering.sh): each library of the
# list may use only the libraries before it, except that the two front ends, last, may not
# use each other.
set(layering_libraries)
set(layering_below)
foreach(name board moves eval search engine)
  list(JOIN layering_below "," below)
  list(APPEND layering_libraries "${name}=$<TARGET_FILE:bitrook_${name}>=${below}")
  list(APPEND layering_below ${name})
endforeach()
list(JOIN layering_below "," below)
foreach(name xboard uci)
  list(APPEND layering_libraries "${name}=$<TARGET_FILE:bitrook_${name}>=${below}")
endforeach()
add_test(NAME layering COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/layering.sh ${CMAKE_NM} ${layering_libraries})
