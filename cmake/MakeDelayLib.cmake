# cmake -DIMPORT_LIB=... -DDLL=... -DOUT=... -DNM=... -DDLLTOOL=... -P MakeDelayLib.cmake
# Writes the exports named by an import library as a .def file and makes a
# delay-import library of them.
execute_process(COMMAND ${NM} -g ${IMPORT_LIB} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL " I __imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
list(REMOVE_DUPLICATES imports)
set(def "LIBRARY ${DLL}\nEXPORTS\n")
foreach(entry IN LISTS imports)
  string(REPLACE " I __imp_" "" name "${entry}")
  string(APPEND def "  ${name}\n")
endforeach()
get_filename_component(dir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${dir})
file(WRITE ${OUT}.def "${def}")
execute_process(COMMAND ${DLLTOOL} -d ${OUT}.def -y ${OUT} COMMAND_ERROR_IS_FATAL ANY)
