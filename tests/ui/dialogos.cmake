# Qt Test executables of Qt's Spanish dialogs, the remembered folder and read options, and copying
# from the grid and the result fields. They run the program's own application object.
foreach(prueba test_dialogos test_portapapeles)
  if(NOT EXISTS ${CMAKE_CURRENT_LIST_DIR}/${prueba}.cpp)
    continue()
  endif()
  add_executable(${prueba} ${CMAKE_CURRENT_LIST_DIR}/${prueba}.cpp)
  target_link_libraries(${prueba} PRIVATE ui Qt6::Test)
  set_target_properties(${prueba} PROPERTIES AUTOMOC ON)
  target_compile_definitions(${prueba} PRIVATE CAPTURAS_DIR="${CMAKE_BINARY_DIR}/capturas")
  add_test(NAME ${prueba} COMMAND ${prueba})
  set_tests_properties(${prueba} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endforeach()
