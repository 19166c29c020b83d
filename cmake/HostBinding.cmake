# How the shader reaches the host functions. ON: the binding layer resolves them by name through
# the module the host hands over with miSetModuleHandle. OFF: they stay undefined references that
# the dynamic loader binds from the host process.
set(_vantrel_binding_default OFF)
if(WIN32 OR CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64)$")
  if(EXISTS "${CMAKE_CURRENT_LIST_DIR}/../binding/CMakeLists.txt")
    set(_vantrel_binding_default ON)
  endif()
endif()
option(VANTREL_HOST_BINDING "Reach the host functions through the binding layer"
       ${_vantrel_binding_default})
