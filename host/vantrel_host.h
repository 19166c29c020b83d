/* The host interface: the records a host hands the plug-in, the host functions the shader calls,
 * and the plug-in's exports. C-compatible, so that a host written in C or C++ from the same
 * contract lays out every record exactly as the plug-in does. */
#ifndef VANTREL_HOST_H
#define VANTREL_HOST_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct Vector {
    float x, y, z;
} Vector;

typedef struct Color {
    float r, g, b, a;
} Color;

/* The record of the shader the host is running; a host may put more after this field. */
typedef struct ShaderCall {
    /* Byte distance from any parameter field to its 32-bit connection word; 0: nothing connected. */
    int32_t connectionOffset;
} ShaderCall;

typedef struct RenderState RenderState;

struct RenderState {
    RenderState* child;         /* the state of the ray traced last, set before a trace returns */
    const ShaderCall* shader;   /* the shader now running */
    const void* primitive;      /* a trace cannot hit it unless it is null */
    Vector point;               /* intersection point, internal space */
    Vector normal;              /* normal at the point, internal space */
    uint8_t invertedNormal;     /* non-zero when the host turned `normal` towards the ray */
    double rayLength;           /* not greater than 0: the trace missed */
    const Vector* derivatives;  /* entry 0 along u, entry 1 along v */
    int32_t derivativeCount;    /* entries behind `derivatives` (0 when it is null) */
    void* hostData;             /* the host's own; the plug-in never reads it */
};

/* Host functions the shader calls. Booleans are 32-bit words, zero false. */
void* mi_phen_eval(RenderState* state, void* parameter);
int32_t mi_trace_reflection(Color* result, RenderState* state, const Vector* direction);

int32_t mi_point_from_camera(RenderState* state, Vector* out, const Vector* in);
int32_t mi_normal_from_camera(RenderState* state, Vector* out, const Vector* in);

int32_t mi_point_to_object(RenderState* state, Vector* out, const Vector* in);
int32_t mi_point_to_world(RenderState* state, Vector* out, const Vector* in);
int32_t mi_point_to_camera(RenderState* state, Vector* out, const Vector* in);
int32_t mi_point_to_light(RenderState* state, Vector* out, const Vector* in);
int32_t mi_vector_to_object(RenderState* state, Vector* out, const Vector* in);
int32_t mi_vector_to_world(RenderState* state, Vector* out, const Vector* in);
int32_t mi_vector_to_camera(RenderState* state, Vector* out, const Vector* in);
int32_t mi_vector_to_light(RenderState* state, Vector* out, const Vector* in);
int32_t mi_normal_to_object(RenderState* state, Vector* out, const Vector* in);
int32_t mi_normal_to_world(RenderState* state, Vector* out, const Vector* in);
int32_t mi_normal_to_camera(RenderState* state, Vector* out, const Vector* in);
int32_t mi_normal_to_light(RenderState* state, Vector* out, const Vector* in);

/* The plug-in's exports. Both blocks are 88 bytes; their layout comes from the shader's
 * declaration file. */
typedef struct ProbeParameters ProbeParameters;
typedef struct ProbeResult ProbeResult;

typedef int32_t (*VantrelVersionFn)(void);
typedef int32_t (*VantrelInitFn)(RenderState* state, ProbeParameters* parameters,
                                 int32_t* instanceRequest);
typedef int32_t (*VantrelExitFn)(RenderState* state, ProbeParameters* parameters);
typedef int32_t (*VantrelShaderFn)(ProbeResult* result, RenderState* state,
                                   ProbeParameters* parameters);
/* Only in builds with the binding layer. */
typedef int32_t (*MiSetModuleHandleFn)(void* module);

#ifdef __cplusplus
}
#endif

#endif
