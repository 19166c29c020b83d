# The Windows plug-in: a DLL that a host loads into its own process. It carries its own copy of the
# compiler's runtime and needs nothing beyond KERNEL32.dll and msvcrt.dll. It has no entry point:
# no code of its own runs when it is loaded or unloaded, and the system sends it no notice when
# threads start or end. Nothing in it needs the C runtime's start-up code: it has no static
# constructors, no thread-local data and nothing registered to run at exit.
function(vantrel_windows_plugin target)
  if(NOT VANTREL_HOST_BINDING)
    message(FATAL_ERROR "The Windows plug-in reaches the host through the binding layer: "
                        "configure with VANTREL_HOST_BINDING=ON")
  endif()
  target_link_options(${target} PRIVATE -static-libgcc -static-libstdc++ -nostartfiles
                                        LINKER:--entry=0)
endfunction()
