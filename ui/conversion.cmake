# Program start, main window shell, message component, "Conversión" tab and About page.
list(APPEND UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/aplicacion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texto_error.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mensaje.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFConv.cpp
  ${CMAKE_CURRENT_LIST_DIR}/acerca.cpp
  ${CMAKE_CURRENT_LIST_DIR}/conversion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/conversion_entrada.cpp
  ${CMAKE_CURRENT_LIST_DIR}/conversion_acciones.cpp)
