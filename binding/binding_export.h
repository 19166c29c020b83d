// Marks the binding layer's one export; everything else in it is hidden.
#pragma once

#if defined(_WIN32)
#define VANTREL_BINDING_EXPORT __declspec(dllexport)
#else
#define VANTREL_BINDING_EXPORT __attribute__((visibility("default")))
#endif
