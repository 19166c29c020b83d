// The renderer's command line.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "png_preview.h"

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Options {
    std::string plugin;                      // empty: the plug-in built with this renderer
    std::optional<std::string> declaration;  // default: beside the plug-in, NAME.decl
    std::optional<std::string> obj;
    std::vector<std::pair<std::string, std::string>> settings;     // --set NAME=VALUE, in order
    std::vector<std::pair<std::string, std::string>> connections;  // --connect NAME=SHADER
    int width = 640;
    int height = 400;
    int threads = 0;  // 0: one per core
    std::string exr = "out/vantrel.exr";
    std::string png = "out/vantrel.png";
    std::string pngField = "backDistance";
    std::optional<PreviewRange> pngRange;
    bool quiet = false;
    bool help = false;
};

// Throws UsageError for an unknown option, a missing or malformed value.
Options parseCommandLine(int argc, const char* const* argv);

const char* usageText();
