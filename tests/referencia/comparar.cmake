# Runs tesmaro-lote on every case of casos.txt and compares its text result
# with esperado/<case>.txt byte for byte: the to-the-last-digit oracle of every
# conversion (evaluation order, constants, branches).
#
#   cmake -DLOTE=<tesmaro-lote> -DREJILLA=<sped2et.gsb> -DSALIDA=<folder> -P comparar.cmake
#
# casos.txt: one case a line, "<case> <conversion> <exit status> [options]";
# <rejilla> stands for the grid. The inputs (casos/<case>.pts) are fixed-seed
# random points of the served region and beyond plus the edge lines of each
# conversion; the expected records were written by the program as it was
# before this suite and checked, record by record, against a second
# implementation of every conversion written apart from it. Lines that no point
# can have, unreadable fields and points outside the grid have since been
# refused: their records keep the name with the computed columns empty. The
# formato-* cases are the same points as saved by spreadsheets (";" with a
# decimal comma, tabs, quoted fields, CR line ends, UTF-16, a byte-order mark),
# with the records of the comma-separated file.
cmake_minimum_required(VERSION 3.25)
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/casos.txt casos)
set(fallos "")
foreach(caso IN LISTS casos)
  separate_arguments(campos UNIX_COMMAND "${caso}")
  list(POP_FRONT campos nombre conversion estado)
  list(TRANSFORM campos REPLACE "<rejilla>" "${REJILLA}")
  set(carpeta ${SALIDA}/${nombre})
  file(REMOVE_RECURSE ${carpeta})
  file(MAKE_DIRECTORY ${carpeta})
  execute_process(COMMAND ${LOTE} ${conversion} ${CMAKE_CURRENT_LIST_DIR}/casos/${nombre}.pts
                          --salida ${carpeta} ${campos}
                  RESULT_VARIABLE resultado OUTPUT_QUIET ERROR_VARIABLE error)
  file(GLOB txt ${carpeta}/*.txt)
  if(NOT resultado STREQUAL estado)
    list(APPEND fallos "${nombre}: exit status ${resultado}, expected ${estado}: ${error}")
  elseif(NOT txt)
    list(APPEND fallos "${nombre}: no text result")
  else()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${txt}
                            ${CMAKE_CURRENT_LIST_DIR}/esperado/${nombre}.txt
                    RESULT_VARIABLE distinto)
    if(distinto)
      list(APPEND fallos "${nombre}: ${txt} differs from esperado/${nombre}.txt")
    endif()
  endif()
endforeach()
if(fallos)
  list(JOIN fallos "\n" texto)
  message(FATAL_ERROR "${texto}")
endif()
