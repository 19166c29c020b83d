# Reads the built plug-in with the target's own binary tools and checks what a host relies on:
#  - it exports the four shader entry points, plus miSetModuleHandle with the binding layer, and
#    nothing else;
#  - bound by the loader, the 16 host functions it calls are undefined references and no other
#    host function is; with the binding layer none is left undefined;
#  - a Windows DLL imports only from KERNEL32.dll and msvcrt.dll and has no entry point, so no
#    code of its own runs at load, at unload or when threads start and end;
#  - the object format is the target's (FORMAT, when given), which also fixes the byte order.
# Usage: cmake -DPLUGIN=file -DNM=nm -DOBJDUMP=objdump -DBINDING=ON|OFF -DWINDOWS=ON|OFF
#              [-DFORMAT=elf32-powerpc] -P check_plugin_interface.cmake

set(host_functions
    mi_phen_eval mi_trace_reflection mi_point_from_camera mi_normal_from_camera
    mi_point_to_object mi_point_to_world mi_point_to_camera mi_point_to_light
    mi_vector_to_object mi_vector_to_world mi_vector_to_camera mi_vector_to_light
    mi_normal_to_object mi_normal_to_world mi_normal_to_camera mi_normal_to_light)
set(expected_exports vantrel vantrel_exit vantrel_init vantrel_version)
if(BINDING)
  list(APPEND expected_exports miSetModuleHandle)
endif()
list(SORT expected_exports)
set(failures "")

function(run_tool output)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE text ERROR_VARIABLE error)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${result}): ${error}")
  endif()
  set(${output} "${text}" PARENT_SCOPE)
endfunction()

function(expect_equal what actual expected)
  if(NOT "${actual}" STREQUAL "${expected}")
    set(failures "${failures}\n  ${what}: [${actual}], expected [${expected}]" PARENT_SCOPE)
  endif()
endfunction()

run_tool(headers ${OBJDUMP} -p ${PLUGIN})
if(FORMAT)
  string(REGEX MATCH "file format ([^\n]+)" format_line "${headers}")
  expect_equal("object format" "${CMAKE_MATCH_1}" "${FORMAT}")
endif()

if(WINDOWS)
  # The export name table: "[   0] name" lines after "[Ordinal/Name Pointer] Table".
  string(REGEX REPLACE ".*\\[Ordinal/Name Pointer\\] Table\n" "" name_table "${headers}")
  string(REGEX MATCHALL "\t\\[ *[0-9]+\\] [A-Za-z_0-9@]+" entries "${name_table}")
  set(exports "")
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE ".*\\] " "" name "${entry}")
    list(APPEND exports ${name})
  endforeach()
  list(SORT exports)
  expect_equal("exports" "${exports}" "${expected_exports}")

  string(REGEX MATCHALL "DLL Name: [^\n]+" dll_lines "${headers}")
  set(imports "")
  foreach(line IN LISTS dll_lines)
    string(REPLACE "DLL Name: " "" dll "${line}")
    list(APPEND imports ${dll})
  endforeach()
  list(SORT imports)
  expect_equal("imported DLLs" "${imports}" "KERNEL32.dll;msvcrt.dll")

  string(REGEX MATCH "AddressOfEntryPoint[ \t]+([0-9a-fA-F]+)" entry_line "${headers}")
  expect_equal("entry point" "${CMAKE_MATCH_1}" "00000000")

  # Nothing left for a loader to bind: every host function goes through the binding layer.
  run_tool(symbols ${NM} ${PLUGIN})
  string(REGEX MATCHALL " U _?mi_[a-z_]+" undefined_host "${symbols}")
  expect_equal("undefined host functions" "${undefined_host}" "")
else()
  run_tool(defined ${NM} -D --defined-only ${PLUGIN})
  string(REGEX MATCHALL "[0-9a-fA-F]+ [A-Z] [^\n]+" lines "${defined}")
  set(exports "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[0-9a-fA-F]+ [A-Z] " "" name "${line}")
    list(APPEND exports ${name})
  endforeach()
  list(SORT exports)
  expect_equal("exports" "${exports}" "${expected_exports}")

  run_tool(undefined ${NM} -D --undefined-only ${PLUGIN})
  string(REGEX MATCHALL "mi_[a-z_]+" undefined_host "${undefined}")
  list(SORT undefined_host)
  set(expected_undefined "")
  if(NOT BINDING)
    set(expected_undefined ${host_functions})
    list(SORT expected_undefined)
  endif()
  expect_equal("undefined host functions" "${undefined_host}" "${expected_undefined}")
endif()

if(failures)
  message(FATAL_ERROR "${PLUGIN}:${failures}")
endif()
message(STATUS "${PLUGIN}: exports ${exports}")
