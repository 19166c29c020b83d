// The companions of the shader: version, instance request, exit.
#include "shader_fixture.h"

namespace {

TEST_F(ShaderTest, CompanionEntryPointsAnswerAsAHostExpects) {
    EXPECT_EQ(plugin->version(), 1);

    int32_t request = 0;
    EXPECT_EQ(plugin->init(nullptr, nullptr, &request), 1);  // the shader as a whole
    EXPECT_EQ(request, 1);

    request = 7;
    EXPECT_EQ(plugin->init(&state, &blocks.parameters, &request), 1);  // one instance
    EXPECT_EQ(request, 7);

    EXPECT_EQ(plugin->init(nullptr, nullptr, nullptr), 1);  // no place for the answer: no write
    EXPECT_EQ(plugin->exit(nullptr, nullptr), 1);
    EXPECT_EQ(plugin->exit(&state, &blocks.parameters), 1);
    EXPECT_TRUE(testhost::callLog().empty());
}

}  // namespace
