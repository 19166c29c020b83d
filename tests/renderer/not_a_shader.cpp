// A loadable module that exports none of the shader's entry points.
extern "C" __attribute__((visibility("default"))) int notAShader() {
    return 0;
}
