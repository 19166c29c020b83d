// Input the renderer cannot use ends the run with a clear message and a non-zero exit code, never
// with a crash, and no image is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <regex>

#include "renderer_process.h"

namespace {

// The shipped declaration with one line replaced (or, with an empty `from`, as it is).
std::string declarationWith(const std::string& from, const std::string& to) {
    std::string text = readText(VANTREL_DECLARATION_PATH);
    if (!from.empty()) {
        const std::size_t at = text.find(from);
        if (at == std::string::npos) throw std::runtime_error("declaration lacks: " + from);
        text.replace(at, from.size(), to);
    }
    return text;
}

struct BadInput {
    const char* name;
    // The arguments, given the scratch folder (for files the case writes).
    std::function<std::vector<std::string>(const ScratchFolder&)> arguments;
    int exitCode;
    const char* message;  // a regular expression the standard error must contain
};

std::vector<std::string> withDeclaration(const ScratchFolder& scratch, const std::string& text) {
    return {"--declaration", scratch.write("vantrel.decl", text)};
}

const BadInput kBadInputs[] = {
    {"MissingPlugin",
     [](const ScratchFolder& s) {
         return std::vector<std::string>{"--plugin", s.file("absent.so")};
     },
     1, "cannot load the plug-in '.*absent.so': no such file"},
    {"PluginThatIsNotALibrary",
     [](const ScratchFolder& s) {
         return std::vector<std::string>{"--plugin", s.write("text.so", "not a library\n"),
                                         "--declaration", VANTREL_DECLARATION_PATH};
     },
     1, "cannot load the plug-in '.*text.so': .*text.so"},
    {"PluginWithoutEntryPoints",
     [](const ScratchFolder&) {
         return std::vector<std::string>{"--plugin", VANTREL_NOT_A_SHADER_PATH, "--declaration",
                                         VANTREL_DECLARATION_PATH};
     },
     1, "does not export 'vantrel_version': it is not a plug-in of the shader 'vantrel'"},
    {"DeclarationOfAnotherVersion",
     [](const ScratchFolder& s) {
         return withDeclaration(s, declarationWith("version 1", "version 2"));
     },
     1, "is version 1 of 'vantrel', but '.*vantrel.decl' declares version 2"},
    {"DeclarationOfAnotherShader",
     [](const ScratchFolder& s) {
         return withDeclaration(s, declarationWith("shader vantrel", "shader other"));
     },
     1, "does not export 'other_version'"},
    {"DeclarationWithoutAParameterTheSceneSets",
     [](const ScratchFolder& s) {
         return withDeclaration(
             s, declarationWith("parameter boolean traceBack", "parameter scalar traceBack"));
     },
     1, "does not match this renderer: it has no boolean parameter 'traceBack'"},
    {"DeclarationWithAShorterParameterBlock",
     [](const ScratchFolder& s) {
         return withDeclaration(s, declarationWith("parameter vector inputPoint\n", ""));
     },
     1,
     "does not match the plug-in '.*': it lays out a parameter block of 76 bytes and a result "
     "block of 88 bytes"},
    {"DeclarationWithALongerResultBlock",
     [](const ScratchFolder& s) {
         return withDeclaration(s, declarationWith("result vector hitDerivV",
                                                   "result vector hitDerivV\nresult scalar extra"));
     },
     1, "a result block of 92 bytes, where version 1 of 'vantrel' uses 88 bytes for each"},
    {"DeclarationWithAnUnknownType",
     [](const ScratchFolder& s) {
         return withDeclaration(
             s, declarationWith("parameter scalar startOffset", "parameter float startOffset"));
     },
     1, "vantrel.decl:[0-9]+: unknown type 'float'"},
    {"MissingDeclaration",
     [](const ScratchFolder& s) {
         return std::vector<std::string>{"--declaration", s.file("absent.decl")};
     },
     1, "cannot read the shader declaration '.*absent.decl'"},
    {"MissingObj",
     [](const ScratchFolder& s) {
         return std::vector<std::string>{"--obj", s.file("absent.obj")};
     },
     1, "cannot use OBJ file '.*absent.obj'"},
    {"ObjWithoutFaces",
     [](const ScratchFolder& s) {
         return std::vector<std::string>{"--obj",
                                         s.write("points.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\n")};
     },
     1, "cannot use OBJ file '.*points.obj': it holds no triangle faces"},
    {"ObjFaceWithoutItsVertex",
     [](const ScratchFolder& s) {
         return std::vector<std::string>{"--obj",
                                         s.write("broken.obj", "v 0 0 0\nv 1 0 0\nf 1 2 7\n")};
     },
     1, "cannot use OBJ file '.*broken.obj'"},
    {"ObjOfASinglePoint",
     [](const ScratchFolder& s) {
         return std::vector<std::string>{
             "--obj", s.write("point.obj", "v 1 1 1\nv 1 1 1\nv 1 1 1\nf 1 2 3\n")};
     },
     1, "cannot use OBJ file '.*point.obj': its mesh has no extent"},
    {"UnknownParameter",
     [](const ScratchFolder&) {
         return std::vector<std::string>{"--set", "thickness=1"};
     },
     1, "shader 'vantrel' has no parameter 'thickness' \\(its parameters: traceFront, traceBack"},
    {"BooleanGivenAWord",
     [](const ScratchFolder&) {
         return std::vector<std::string>{"--set", "traceFront=maybe"};
     },
     1, "parameter 'traceFront' is a boolean: 'maybe' is not one"},
    {"IntegerGivenAFraction",
     [](const ScratchFolder&) {
         return std::vector<std::string>{"--set", "outputSpace=1.5"};
     },
     1, "parameter 'outputSpace' is an integer: '1.5' is not one"},
    {"ScalarGivenAWord",
     [](const ScratchFolder&) {
         return std::vector<std::string>{"--set", "startOffset=far"};
     },
     1, "parameter 'startOffset' is a scalar: 'far' is not one"},
    {"VectorGivenTwoNumbers",
     [](const ScratchFolder&) {
         return std::vector<std::string>{"--set", "inputNormal=0,1"};
     },
     1, "parameter 'inputNormal' is a vector: '0,1' is not one \\(three numbers X,Y,Z\\)"},
    {"UnknownBuiltInShader",
     [](const ScratchFolder&) {
         return std::vector<std::string>{"--connect", "backRange=noise:1"};
     },
     1, "'noise:1' is not a built-in shader"},
    {"ConnectionToAnUnknownParameter",
     [](const ScratchFolder&) {
         return std::vector<std::string>{"--connect", "depth=checker:1:0:1"};
     },
     1, "has no parameter 'depth'"},
    {"PreviewOfAnUnknownResult",
     [](const ScratchFolder&) {
         return std::vector<std::string>{"--png-field", "thickness"};
     },
     1, "has no result 'thickness' \\(its results: hitColor, frontDistance"},
    {"UnknownOption",
     [](const ScratchFolder&) {
         return std::vector<std::string>{"--samples", "4"};
     },
     2, "unknown option '--samples'"},
    {"SizeOutOfRange",
     [](const ScratchFolder&) {
         return std::vector<std::string>{"--width", "0"};
     },
     2, "--width expects a whole number from 1 to 16384, not '0'"},
};

// gtest shows the case by its name rather than its bytes.
void PrintTo(const BadInput& bad, std::ostream* out) {
    *out << bad.name;
}

class BadInputTest : public ::testing::TestWithParam<BadInput> {};

TEST_P(BadInputTest, EndsWithAClearMessageAndNoImage) {
    const BadInput& bad = GetParam();
    ScratchFolder scratch;
    std::vector<std::string> arguments = bad.arguments(scratch);
    const std::vector<std::string> outputs = {"--exr", scratch.file("out.exr"), "--png",
                                              scratch.file("out.png")};
    arguments.insert(arguments.end(), outputs.begin(), outputs.end());

    const RendererRun run = runRenderer(scratch, arguments);
    ASSERT_TRUE(run.exited) << "the renderer crashed: " << run.errors;
    EXPECT_EQ(run.exitCode, bad.exitCode) << run.errors;
    EXPECT_TRUE(std::regex_search(run.errors, std::regex(bad.message)))
        << "expected /" << bad.message << "/ in: " << run.errors;
    EXPECT_FALSE(std::filesystem::exists(scratch.file("out.exr")));
    EXPECT_FALSE(std::filesystem::exists(scratch.file("out.png")));
}

INSTANTIATE_TEST_SUITE_P(Renderer, BadInputTest, ::testing::ValuesIn(kBadInputs),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
