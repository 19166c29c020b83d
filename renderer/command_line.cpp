#include "command_line.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "parameter_values.h"

namespace {

int wholeNumber(std::string_view option, std::string_view text, int low, int high) {
    int v = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || v < low ||
        v > high) {
        throw UsageError(std::string(option) + " expects a whole number from " +
                         std::to_string(low) + " to " + std::to_string(high) + ", not '" +
                         std::string(text) + "'");
    }
    return v;
}

std::pair<std::string, std::string> nameAndValue(std::string_view option, std::string_view text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos || equals == 0) {
        throw UsageError(std::string(option) + " expects NAME=VALUE, not '" + std::string(text) +
                         "'");
    }
    return {std::string(text.substr(0, equals)), std::string(text.substr(equals + 1))};
}

PreviewRange previewRange(std::string_view text) {
    const std::size_t colon = text.find(':');
    double low, high;
    if (colon == std::string_view::npos || !parseNumber(text.substr(0, colon), low) ||
        !parseNumber(text.substr(colon + 1), high) || !(high > low) || !std::isfinite(high - low)) {
        throw UsageError("--png-range expects LOW:HIGH with LOW < HIGH, not '" + std::string(text) +
                         "'");
    }
    return {low, high};
}

}  // namespace

Options parseCommandLine(int argc, const char* const* argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        std::string_view option = arg;
        std::optional<std::string_view> inlineValue;
        if (const std::size_t equals = arg.find('=');
            arg.starts_with("--") && equals != std::string_view::npos) {
            option = arg.substr(0, equals);
            inlineValue = arg.substr(equals + 1);
        }
        const auto value = [&]() -> std::string_view {
            if (inlineValue) return *inlineValue;
            if (i + 1 >= argc) throw UsageError(std::string(option) + " needs a value");
            return argv[++i];
        };
        const auto flag = [&] {
            if (inlineValue) throw UsageError(std::string(option) + " takes no value");
        };

        if (option == "--help" || option == "-h") {
            flag();
            o.help = true;
        } else if (option == "--quiet") {
            flag();
            o.quiet = true;
        } else if (option == "--plugin") {
            o.plugin = value();
        } else if (option == "--declaration") {
            o.declaration = std::string(value());
        } else if (option == "--obj") {
            o.obj = std::string(value());
        } else if (option == "--set") {
            o.settings.push_back(nameAndValue(option, value()));
        } else if (option == "--connect") {
            o.connections.push_back(nameAndValue(option, value()));
        } else if (option == "--width") {
            o.width = wholeNumber(option, value(), 1, 16384);
        } else if (option == "--height") {
            o.height = wholeNumber(option, value(), 1, 16384);
        } else if (option == "--threads") {
            o.threads = wholeNumber(option, value(), 0, 1024);
        } else if (option == "--exr") {
            o.exr = value();
        } else if (option == "--png") {
            o.png = value();
        } else if (option == "--png-field") {
            o.pngField = value();
        } else if (option == "--png-range") {
            o.pngRange = previewRange(value());
        } else {
            throw UsageError("unknown option '" + std::string(arg) + "'");
        }
    }
    return o;
}

const char* usageText() {
    return R"(usage: vantrel-render [options]

Renders a scene with the vantrel shader on every surface: for each pixel the camera ray's hit is
shaded by the plug-in, and every result field goes into an OpenEXR image, with a PNG picture of
one of them.

  --plugin PATH         the plug-in to load (default: the one built with this renderer)
  --declaration PATH    the shader's declaration (default: beside the plug-in, vantrel.decl)
  --obj FILE            render this OBJ mesh, fitted onto the ground, instead of the built-in
                        sphere, slab and torus
  --set NAME=VALUE      set a shader parameter by its declared name; booleans true/false,
                        on/off, yes/no or 1/0, vectors X,Y,Z, colours R,G,B[,A]
  --connect NAME=SHADER connect a parameter to a built-in shader, evaluated at every read:
                          gradient:AXIS:C0:C1:V0:V1  V0 at world coordinate AXIS = C0, V1 at C1
                          checker:SIZE:V0:V1         3D checkerboard of cubes of edge SIZE
  --width N, --height N image size (default 640 x 400)
  --threads N           render threads (default: one per core)
  --exr PATH            the EXR image (default out/vantrel.exr)
  --png PATH            the PNG picture (default out/vantrel.png)
  --png-field NAME      the result field the PNG shows (default backDistance)
  --png-range LOW:HIGH  values mapped onto the PNG's colour ramp (default 0 to the largest)
  --quiet               no progress bar
  --help                this text

The built-in scene sets traceBack=1, startOffset=-0.001 and outputSpace=2 before any --set: every
camera hit is probed inward, from just inside the surface, and the geometric results come out in
world space. backDistance is then the thickness along the inward normal.
)";
}
