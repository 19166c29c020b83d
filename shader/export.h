// Marks the plug-in's exports; everything else is built hidden.
#pragma once

#if defined(_WIN32)
#define VANTREL_EXPORT __declspec(dllexport)
#else
#define VANTREL_EXPORT __attribute__((visibility("default")))
#endif
