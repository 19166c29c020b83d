# Fails unless the plug-in's dynamic symbol table defines exactly the four entry points and
# miSetModuleHandle as global symbols. Local entries (the bounds of the coverage counters in a
# fuzzing build) are no exports. Run as cmake -DNM=<nm> -DPLUGIN=<module> -P this.
execute_process(COMMAND ${NM} -D --defined-only --extern-only ${PLUGIN} OUTPUT_VARIABLE listing
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${NM} failed on ${PLUGIN}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(exported)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^.* " "" name "${line}")
  list(APPEND exported ${name})
endforeach()
list(SORT exported)
set(expected miSetModuleHandle vantrel vantrel_exit vantrel_init vantrel_version)
if(NOT exported STREQUAL expected)
  message(FATAL_ERROR "the plug-in exports \"${exported}\", not \"${expected}\"")
endif()
message(STATUS "exports: ${exported}")
