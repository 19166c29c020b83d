#include "declaration.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <sstream>

namespace {

std::optional<FieldType> typeNamed(const std::string& word) {
    for (FieldType t : {FieldType::kBoolean, FieldType::kInteger, FieldType::kScalar,
                        FieldType::kVector, FieldType::kColor}) {
        if (word == nameOf(t)) return t;
    }
    return std::nullopt;
}

bool isIdentifier(const std::string& word) {
    if (word.empty() || !(std::isalpha(static_cast<unsigned char>(word[0])) || word[0] == '_'))
        return false;
    for (char c : word) {
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    }
    return true;
}

const DeclaredField* findField(const std::vector<DeclaredField>& fields, std::string_view name) {
    for (const DeclaredField& f : fields) {
        if (f.name == name) return &f;
    }
    return nullptr;
}

}  // namespace

std::size_t sizeOf(FieldType type) {
    switch (type) {
        case FieldType::kVector: return 12;
        case FieldType::kColor: return 16;
        default: return 4;
    }
}

const char* nameOf(FieldType type) {
    switch (type) {
        case FieldType::kBoolean: return "boolean";
        case FieldType::kInteger: return "integer";
        case FieldType::kScalar: return "scalar";
        case FieldType::kVector: return "vector";
        case FieldType::kColor: return "color";
    }
    return "?";
}

int componentCount(FieldType type) {
    switch (type) {
        case FieldType::kVector: return 3;
        case FieldType::kColor: return 4;
        default: return 1;
    }
}

const DeclaredField* Declaration::parameter(std::string_view name) const {
    return findField(parameters, name);
}
const DeclaredField* Declaration::result(std::string_view name) const {
    return findField(results, name);
}

Declaration readDeclaration(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw DeclarationError("cannot read the shader declaration '" + path + "'");
    std::ostringstream text;
    text << in.rdbuf();
    return parseDeclaration(text.str(), path);
}

Declaration parseDeclaration(std::string_view text, const std::string& path) {
    Declaration d;
    d.path = path;
    bool haveVersion = false;
    std::istringstream lines{std::string(text)};
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const auto fail = [&](const std::string& why) {
            return DeclarationError(path + ":" + std::to_string(number) + ": " + why);
        };
        std::istringstream words(line);
        std::string keyword;
        if (!(words >> keyword) || keyword[0] == '#') continue;
        std::vector<std::string> rest;
        for (std::string w; words >> w;) rest.push_back(w);

        if (keyword == "shader") {
            if (!d.shader.empty()) throw fail("a second 'shader' line");
            if (rest.size() != 1 || !isIdentifier(rest[0])) throw fail("expected 'shader NAME'");
            d.shader = rest[0];
        } else if (keyword == "version") {
            if (haveVersion) throw fail("a second 'version' line");
            int32_t v = 0;
            const char* end = rest.size() == 1 ? rest[0].data() + rest[0].size() : nullptr;
            if (!end || std::from_chars(rest[0].data(), end, v).ptr != end) {
                throw fail("expected 'version N' with a whole number N");
            }
            d.version = v;
            haveVersion = true;
        } else if (keyword == "parameter" || keyword == "result") {
            if (rest.size() != 2) throw fail("expected '" + keyword + " TYPE NAME'");
            const std::optional<FieldType> type = typeNamed(rest[0]);
            if (!type) {
                throw fail("unknown type '" + rest[0] +
                           "' (known: boolean, integer, scalar, vector, color)");
            }
            if (!isIdentifier(rest[1])) throw fail("'" + rest[1] + "' is not a field name");
            const bool isParameter = keyword == "parameter";
            auto& fields = isParameter ? d.parameters : d.results;
            std::size_t& size = isParameter ? d.parameterSize : d.resultSize;
            if (findField(fields, rest[1]))
                throw fail("the " + keyword + " '" + rest[1] + "' is declared twice");
            fields.push_back({rest[1], *type, size});
            size += sizeOf(*type);
        } else {
            throw fail("unknown line '" + keyword +
                       "' (expected shader, version, parameter or result)");
        }
    }
    if (d.shader.empty()) throw DeclarationError(path + ": no 'shader NAME' line");
    if (!haveVersion) throw DeclarationError(path + ": no 'version N' line");
    if (d.results.empty()) throw DeclarationError(path + ": declares no result");
    return d;
}
