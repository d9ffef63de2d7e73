# Convert command, background workers, ".DAT"/".DXF" save and grid cell editing.
set(UI_SOURCES ${UI_SOURCES}
  ${CMAKE_CURRENT_LIST_DIR}/tareas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/archivos_lote.cpp
  ${CMAKE_CURRENT_LIST_DIR}/archivos_lote_guardar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/archivos_lote_campo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/archivos_lote_dialogo.cpp)
