// The addresses of all forwarders, in host function table order (generated).
#pragma once

#include "host_function_index.h"

using ForwarderAddress = void (*)();

extern const ForwarderAddress kForwarders[kHostFunctionCount];
