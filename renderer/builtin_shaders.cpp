#include "builtin_shaders.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "parameter_values.h"

namespace {

std::vector<std::string_view> splitColons(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t colon = text.find(':', start);
        parts.push_back(text.substr(start, colon - start));
        if (colon == std::string_view::npos) return parts;
        start = colon + 1;
    }
}

}  // namespace

double BuiltinShader::valueAt(const Vec3& p) const {
    if (kind == Kind::Gradient) {
        const double c = axis == 0 ? p.x : axis == 1 ? p.y : p.z;
        double t = (c - from) / (to - from);
        t = t < 0.0 ? 0.0 : t > 1.0 ? 1.0 : t;
        return first + (second - first) * t;
    }
    const auto cellOf = [&](double c) { return int64_t(std::floor(c / cell)); };
    const int64_t parity = (cellOf(p.x) + cellOf(p.y) + cellOf(p.z)) & 1;
    return parity == 0 ? first : second;
}

BuiltinShader parseBuiltinShader(std::string_view text) {
    const std::vector<std::string_view> parts = splitColons(text);
    std::vector<double> numbers;
    const auto numbersFrom = [&](std::size_t start) {
        for (std::size_t i = start; i < parts.size(); ++i) {
            double v;
            if (!parseNumber(parts[i], v) || !std::isfinite(v)) return false;
            numbers.push_back(v);
        }
        return true;
    };
    BuiltinShader shader;
    if (parts[0] == "gradient" && parts.size() == 6 &&
        (parts[1] == "x" || parts[1] == "y" || parts[1] == "z") && numbersFrom(2) &&
        numbers[0] != numbers[1]) {
        shader.kind = BuiltinShader::Kind::Gradient;
        shader.axis = parts[1][0] - 'x';
        shader.from = numbers[0];
        shader.to = numbers[1];
        shader.first = numbers[2];
        shader.second = numbers[3];
        return shader;
    }
    if (parts[0] == "checker" && parts.size() == 4 && numbersFrom(1) && numbers[0] > 0.0) {
        shader.kind = BuiltinShader::Kind::Checker;
        shader.cell = numbers[0];
        shader.first = numbers[1];
        shader.second = numbers[2];
        return shader;
    }
    throw ParameterError("'" + std::string(text) +
                         "' is not a built-in shader (gradient:AXIS:C0:C1:V0:V1 with AXIS x, y or "
                         "z and C0 != C1, or checker:SIZE:V0:V1 with SIZE > 0)");
}
