#include "parameter_values.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "vantrel_host.h"

namespace {

std::vector<std::string_view> splitCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) return parts;
        start = comma + 1;
    }
}

bool parseFloats(std::string_view text, std::size_t minimum, std::size_t maximum, float* out,
                 std::size_t& count) {
    const std::vector<std::string_view> parts = splitCommas(text);
    if (parts.size() < minimum || parts.size() > maximum) return false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        double v;
        if (!parseNumber(parts[i], v)) return false;
        out[i] = float(v);
    }
    count = parts.size();
    return true;
}

}  // namespace

bool parseNumber(std::string_view text, double& value) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

void writeParameterValue(const DeclaredField& field, std::string_view text, void* destination) {
    const auto fail = [&](const std::string& expected) {
        return ParameterError("parameter '" + field.name + "' is " +
                              (field.type == FieldType::kInteger ? "an " : "a ") +
                              nameOf(field.type) + ": '" + std::string(text) + "' is not one (" +
                              expected + ")");
    };
    switch (field.type) {
        case FieldType::kBoolean: {
            int32_t v;
            if (text == "1" || text == "true" || text == "on" || text == "yes") {
                v = 1;
            } else if (text == "0" || text == "false" || text == "off" || text == "no") {
                v = 0;
            } else {
                throw fail("use true/false, on/off, yes/no or 1/0");
            }
            std::memcpy(destination, &v, sizeof v);
            return;
        }
        case FieldType::kInteger: {
            std::string_view digits = text;
            if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
            int32_t v = 0;
            const auto [end, error] =
                std::from_chars(digits.data(), digits.data() + digits.size(), v);
            if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size()) {
                throw fail("a whole number between -2147483648 and 2147483647");
            }
            std::memcpy(destination, &v, sizeof v);
            return;
        }
        case FieldType::kScalar: {
            double v;
            if (!parseNumber(text, v)) throw fail("a number");
            const float f = float(v);
            std::memcpy(destination, &f, sizeof f);
            return;
        }
        case FieldType::kVector: {
            float v[3];
            std::size_t count;
            if (!parseFloats(text, 3, 3, v, count)) throw fail("three numbers X,Y,Z");
            std::memcpy(destination, v, sizeof v);
            return;
        }
        case FieldType::kColor: {
            float v[4] = {0.0f, 0.0f, 0.0f, 1.0f};
            std::size_t count;
            if (!parseFloats(text, 3, 4, v, count)) throw fail("R,G,B or R,G,B,A");
            std::memcpy(destination, v, sizeof v);
            return;
        }
    }
}

void writeNumberAs(FieldType type, double value, void* destination) {
    switch (type) {
        case FieldType::kBoolean: {
            const int32_t v = value != 0.0 ? 1 : 0;
            std::memcpy(destination, &v, sizeof v);
            return;
        }
        case FieldType::kInteger: {
            const double r = std::nearbyint(value);
            const int32_t v = r >= 2147483647.0    ? INT32_MAX
                              : r <= -2147483648.0 ? INT32_MIN
                              : r == r             ? int32_t(r)
                                                   : 0;
            std::memcpy(destination, &v, sizeof v);
            return;
        }
        case FieldType::kScalar: {
            const float v = float(value);
            std::memcpy(destination, &v, sizeof v);
            return;
        }
        case FieldType::kVector: {
            const Vector v{float(value), float(value), float(value)};
            std::memcpy(destination, &v, sizeof v);
            return;
        }
        case FieldType::kColor: {
            const Color v{float(value), float(value), float(value), 1.0f};
            std::memcpy(destination, &v, sizeof v);
            return;
        }
    }
}
