# quindle_embed_resources(TARGET <target> FUNCTION <name>
#                         RESOURCE <type> <name> <file> [RESOURCE ...])
#
# Embeds files as resources of <target>. At build time each file becomes a byte
# array in a generated C++ source, and a function
#   std::span<const runtime::Resource> <name>();
# lists them with their type, name and language 1033, for the program module
# that the target hands the runtime. A file that is itself generated at build
# time may be named: the generated source depends on it.
set(QUINDLE_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_files.cmake)

function(quindle_embed_resources)
  cmake_parse_arguments(PARSE_ARGV 0 ARG "" "TARGET;FUNCTION" "RESOURCE")
  if(NOT ARG_TARGET OR NOT ARG_FUNCTION OR NOT ARG_RESOURCE)
    message(FATAL_ERROR "quindle_embed_resources needs TARGET, FUNCTION and RESOURCE")
  endif()
  list(LENGTH ARG_RESOURCE count)
  math(EXPR remainder "${count} % 3")
  if(NOT remainder EQUAL 0)
    message(FATAL_ERROR "RESOURCE takes a type, a name and a file")
  endif()
  set(entries "")
  set(files "")
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last} 3)
    math(EXPR n "${i} + 1")
    math(EXPR f "${i} + 2")
    list(GET ARG_RESOURCE ${i} type)
    list(GET ARG_RESOURCE ${n} name)
    list(GET ARG_RESOURCE ${f} file)
    cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
    string(APPEND entries "${type}|${name}|${file};")
    list(APPEND files ${file})
  endforeach()
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${ARG_FUNCTION}_embedded.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} -DFUNCTION=${ARG_FUNCTION}
            "-DENTRIES=${entries}" -P ${QUINDLE_EMBED_SCRIPT}
    DEPENDS ${files} ${QUINDLE_EMBED_SCRIPT}
    COMMENT "Embedding resources for ${ARG_FUNCTION}"
    VERBATIM)
  target_sources(${ARG_TARGET} PRIVATE ${output})
endfunction()
