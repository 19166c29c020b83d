// The spaces the shader can ask for, each against the renderer's internal space. The internal
// space is the camera's: the camera sits at its origin looking down -z, so world, object and light
// space all differ from it.
#pragma once

#include <vector>

#include "affine.h"
#include "scene.h"

struct RenderSpaces {
    SpaceTransform world;
    SpaceTransform camera;
    SpaceTransform light;
    std::vector<SpaceTransform> objects;  // by object index

    static RenderSpaces forScene(const Scene& scene) {
        RenderSpaces s;
        const Affine worldToInternal = scene.camera.cameraToWorld.inverse();
        s.world = SpaceTransform::fromSpaceToInternal(worldToInternal);
        s.camera = SpaceTransform::fromSpaceToInternal(Affine{});
        s.light = SpaceTransform::fromSpaceToInternal(worldToInternal * scene.lightToWorld);
        for (const SceneObject& object : scene.objects) {
            s.objects.push_back(
                SpaceTransform::fromSpaceToInternal(worldToInternal * object.objectToWorld));
        }
        return s;
    }
    const Affine& worldToInternal() const { return world.toInternal; }
};
