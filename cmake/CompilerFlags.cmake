# One arithmetic on every target: no contraction into fused multiply-add, and SSE2 rather than
# x87 on 32-bit x86, so that every target rounds exactly the same way.
add_compile_options(-ffp-contract=off)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|x86)$")
  add_compile_options(-msse2 -mfpmath=sse)
endif()

# Warnings as errors in our own code; targets that compile code from elsewhere opt out.
function(vantrel_strict_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion -Werror)
endfunction()
