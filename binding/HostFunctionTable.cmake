# Reads binding/host_functions.table into three parallel lists and refuses a table that breaks the
# layer's assumptions: 500 distinct names, 486 plain, 3 variable, 1 query and 10 message functions,
# 29 floating-point results, and a word result for every family written in C++.
# Usable from a configure step and from a script run with cmake -P.

function(vantrel_read_host_function_table table)
  file(STRINGS "${table}" lines ENCODING UTF-8)
  set(names)
  set(families)
  set(results)
  set(counts_plain 0)
  set(counts_variable 0)
  set(counts_query 0)
  set(counts_message 0)
  set(floating 0)
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*(#.*)?$")
      continue()
    endif()
    if(NOT line MATCHES "^(mi_[A-Za-z0-9_]+)[ \t]+(plain|variable|query|message)[ \t]+(word|float|double)[ \t]*$")
      message(FATAL_ERROR "${table}: cannot read the line \"${line}\"")
    endif()
    list(APPEND names "${CMAKE_MATCH_1}")
    list(APPEND families "${CMAKE_MATCH_2}")
    list(APPEND results "${CMAKE_MATCH_3}")
    math(EXPR counts_${CMAKE_MATCH_2} "${counts_${CMAKE_MATCH_2}} + 1")
    if(NOT CMAKE_MATCH_3 STREQUAL "word")
      math(EXPR floating "${floating} + 1")
      if(NOT CMAKE_MATCH_2 STREQUAL "plain")
        message(FATAL_ERROR "${table}: ${CMAKE_MATCH_1} is forwarded in C++ and must return a word")
      endif()
    endif()
  endforeach()

  list(LENGTH names count)
  set(distinct ${names})
  list(REMOVE_DUPLICATES distinct)
  list(LENGTH distinct distinct_count)
  set(found "${count} names, ${distinct_count} distinct, ${counts_plain} plain, ${counts_variable} variable, ${counts_query} query, ${counts_message} message, ${floating} floating-point")
  set(wanted "500 names, 500 distinct, 486 plain, 3 variable, 1 query, 10 message, 29 floating-point")
  if(NOT found STREQUAL wanted)
    message(FATAL_ERROR "${table}: ${found}; the binding layer is built for ${wanted}")
  endif()

  set(HOST_FUNCTION_NAMES ${names} PARENT_SCOPE)
  set(HOST_FUNCTION_FAMILIES ${families} PARENT_SCOPE)
  set(HOST_FUNCTION_RESULTS ${results} PARENT_SCOPE)
endfunction()

# Adds the build rule that writes `output` (a KIND of generate_from_table.cmake) from the table;
# extra arguments go to the script as they are (-DMODULE=..., -DOMIT=...).
function(vantrel_generate_from_table output kind)
  set(_binding_dir ${PROJECT_SOURCE_DIR}/binding)
  get_filename_component(_name ${output} NAME)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DKIND=${kind} -DTABLE=${_binding_dir}/host_functions.table
            -DOUTPUT=${output} ${ARGN} -P ${_binding_dir}/generate_from_table.cmake
    DEPENDS ${_binding_dir}/host_functions.table ${_binding_dir}/generate_from_table.cmake
            ${_binding_dir}/HostFunctionTable.cmake
    COMMENT "Generating ${_name} from the host function table"
    VERBATIM)
endfunction()
