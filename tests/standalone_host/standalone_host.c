/* A host written from the published host interface alone, in C, sharing no header with the
 * plug-in: its own records, its own host functions, blocks laid out by byte offset. It loads the
 * plug-in, shades the worked examples of distance shaping, prints each result and fails when one
 * differs from the expected value. */
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

/* Loading a library and finding a name in it, on the platform's own loader. This program exports
 * its mi_ functions for the plug-in's loader, or its binding layer, to find. */
#if defined(_WIN32)
#include <windows.h>
#define HOST_EXPORT __declspec(dllexport)
static void* openLibrary(const char* path) { return LoadLibraryA(path); }
static void* findName(void* library, const char* name) {
    return (void*)GetProcAddress((HMODULE)library, name);
}
static void* thisProgram(void) { return GetModuleHandleA(NULL); }
static const char* loadError(void) {
    static char text[32];
    snprintf(text, sizeof text, "error %lu", (unsigned long)GetLastError());
    return text;
}
#else
#include <dlfcn.h>
#define HOST_EXPORT
static void* openLibrary(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }
static void* findName(void* library, const char* name) { return dlsym(library, name); }
static void* thisProgram(void) { return dlopen(NULL, RTLD_NOW); }
static const char* loadError(void) { return dlerror(); }
#endif

typedef struct { float x, y, z; } Vec3;
typedef struct { float r, g, b, a; } Rgba;
typedef struct { int32_t connectionOffset; } Call;
typedef struct State State;
struct State {
    State* child;
    const Call* shader;
    const void* primitive;
    Vec3 point;
    Vec3 normal;
    uint8_t invertedNormal;
    double rayLength;
    const Vec3* derivatives;
    int32_t derivativeCount;
    void* hostData;
};

/* The scene: one surface ahead of the probe point along +z, at distance `hitDistance`. */
static float hitDistance;
static State childState;
static const Vec3 derivatives[2] = {{3.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}};

HOST_EXPORT void* mi_phen_eval(State* state, void* parameter) { (void)state; return parameter; }

HOST_EXPORT int32_t mi_trace_reflection(Rgba* result, State* state, const Vec3* direction) {
    memset(&childState, 0, sizeof childState);
    state->child = &childState;
    if (direction->z <= 0.0f) return 0; /* nothing behind */
    result->r = 0.25f; result->g = 0.5f; result->b = 0.75f; result->a = 1.0f;
    childState.point = state->point;
    childState.point.z += hitDistance;
    childState.normal.z = -1.0f;
    childState.rayLength = hitDistance;
    childState.derivatives = derivatives;
    childState.derivativeCount = 2;
    return 1;
}

#define IDENTITY(name) \
    HOST_EXPORT int32_t name(State* s, Vec3* out, const Vec3* in) { (void)s; *out = *in; return 1; }
IDENTITY(mi_point_from_camera) IDENTITY(mi_normal_from_camera)
IDENTITY(mi_point_to_object) IDENTITY(mi_point_to_world)
IDENTITY(mi_point_to_camera) IDENTITY(mi_point_to_light)
IDENTITY(mi_vector_to_object) IDENTITY(mi_vector_to_world)
IDENTITY(mi_vector_to_camera) IDENTITY(mi_vector_to_light)
IDENTITY(mi_normal_to_object) IDENTITY(mi_normal_to_world)
IDENTITY(mi_normal_to_camera) IDENTITY(mi_normal_to_light)

/* Parameter and result offsets, from the declaration. */
enum { TRACE_FRONT = 0, FRONT_RANGE = 32, BACK_RANGE = 36, FRONT_CUTOFF = 40, BACK_CUTOFF = 44,
       NORMALIZE = 48, CLAMP = 52, USE_CUTOFF = 56 };
enum { FRONT_DISTANCE = 16, BACK_DISTANCE = 20, SIGNED_DISTANCE = 24, HIT_VECTOR = 40 };

static void putWord(unsigned char* block, int offset, int32_t v) { memcpy(block + offset, &v, 4); }
static void putScalar(unsigned char* block, int offset, float v) { memcpy(block + offset, &v, 4); }
static float scalarAt(const unsigned char* block, int offset) {
    float v;
    memcpy(&v, block + offset, 4);
    return v;
}

typedef struct {
    const char* name;
    float distance, frontCutoff, backCutoff, range;
    int cutoff, clamp, normalize;
    float front, back, signedDistance, hitVectorZ;
} Example;

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: %s path/to/vantrel.so\n", argv[0]);
        return 2;
    }
    void* plugin = openLibrary(argv[1]);
    if (!plugin) {
        fprintf(stderr, "cannot load %s: %s\n", argv[1], loadError());
        return 2;
    }
    int32_t (*version)(void) = (int32_t (*)(void))findName(plugin, "vantrel_version");
    int32_t (*shade)(void*, State*, void*) = (int32_t (*)(void*, State*, void*))findName(plugin, "vantrel");
    int32_t (*setModule)(void*) = (int32_t (*)(void*))findName(plugin, "miSetModuleHandle");
    if (!version || !shade) {
        fprintf(stderr, "%s lacks the shader's entry points\n", argv[1]);
        return 2;
    }
    if (setModule) setModule(thisProgram()); /* this program exports the mi_ functions */
    printf("vantrel version %d%s\n", version(), setModule ? ", binding layer" : "");

    const Example examples[] = {
        {"hit at 7", 7, 0, 0, 0, 0, 0, 0, 7, 0, 7, 7},
        {"cutoffs 5 and 10", 7, 5, 10, 0, 1, 0, 0, 0, 0, 0, 7},
        {"cutoffs 5 and 6", 7, 5, 6, 0, 1, 0, 0, 0, 0, 0, 0},
        {"cutoff 10, range 5, all on", 7, 10, 10, 5, 1, 1, 1, 1, 0, 1, 7},
        {"normalised, range 4", 2, 0, 0, 4, 0, 0, 1, 0.5f, 0, 0.75f, 2},
    };
    int failures = 0;
    for (size_t i = 0; i < sizeof examples / sizeof examples[0]; ++i) {
        const Example* e = &examples[i];
        unsigned char parameters[88] = {0}, result[88];
        putWord(parameters, TRACE_FRONT, 1);
        putWord(parameters, USE_CUTOFF, e->cutoff);
        putWord(parameters, CLAMP, e->clamp);
        putWord(parameters, NORMALIZE, e->normalize);
        putScalar(parameters, FRONT_CUTOFF, e->frontCutoff);
        putScalar(parameters, BACK_CUTOFF, e->backCutoff);
        putScalar(parameters, FRONT_RANGE, e->range);
        putScalar(parameters, BACK_RANGE, e->range);

        Call call = {0};
        State state;
        memset(&state, 0, sizeof state);
        state.shader = &call;
        state.normal.z = 1.0f;
        hitDistance = e->distance;
        memset(result, 0xEE, sizeof result);
        const int32_t ok = shade(result, &state, parameters);

        const float got[4] = {scalarAt(result, FRONT_DISTANCE), scalarAt(result, BACK_DISTANCE),
                              scalarAt(result, SIGNED_DISTANCE), scalarAt(result, HIT_VECTOR + 8)};
        const float want[4] = {e->front, e->back, e->signedDistance, e->hitVectorZ};
        int same = ok == 1;
        for (int k = 0; k < 4; ++k) same = same && fabsf(got[k] - want[k]) <= 1e-6f;
        printf("%-28s front %g back %g signed %g hitVector.z %g  %s\n", e->name, got[0], got[1],
               got[2], got[3], same ? "ok" : "WRONG");
        failures += !same;
    }
    printf("%d passed, %d failed\n", (int)(sizeof examples / sizeof examples[0]) - failures, failures);
    return failures ? 1 : 0;
}
