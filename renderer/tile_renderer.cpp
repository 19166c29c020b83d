#include "tile_renderer.h"

#include <atomic>
#include <cmath>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "progress_bar.h"

Vec3 cameraRay(const Camera& camera, int width, int height, int x, int y) {
    const double halfHeight = std::tan(camera.verticalFovDegrees * 3.14159265358979323846 / 360.0);
    const double halfWidth = halfHeight * double(width) / double(height);
    const double sx = (2.0 * (x + 0.5) / width - 1.0) * halfWidth;
    const double sy = (1.0 - 2.0 * (y + 0.5) / height) * halfHeight;
    return normalized({sx, sy, -1.0});
}

namespace {

void renderTile(const RenderContext& context, const SampleShader& shader, StateChain& states,
                Frame& frame, int x0, int y0, int x1, int y1) {
    const Affine& internalToWorld = context.spaces->world.fromInternal;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const std::size_t pixel = std::size_t(y) * std::size_t(frame.width) + std::size_t(x);
            const Vec3 direction =
                cameraRay(context.scene->camera, frame.width, frame.height, x, y);
            const std::optional<SurfaceHit> hit = context.tracer->trace({}, direction, nullptr);
            if (!hit) continue;  // nothing to shade: the pixel stays empty

            RenderState& state = states.freshSample();
            describeHit(state, *hit, direction);
            state.shader = context.instance->call();
            shader.shade(frame.result(pixel), state);

            const Vec3 world = internalToWorld.point(hit->point);
            frame.position[3 * pixel] = float(world.x);
            frame.position[3 * pixel + 1] = float(world.y);
            frame.position[3 * pixel + 2] = float(world.z);
            frame.objectId[pixel] = float(hit->primitive->object + 1);
        }
    }
}

}  // namespace

void renderFrame(const RenderContext& context, const SampleShader& shader,
                 const TileSettings& settings, Frame& frame) {
    const int tile = settings.tileSize;
    const int columns = (frame.width + tile - 1) / tile;
    const int rows = (frame.height + tile - 1) / tile;
    const int tileCount = columns * rows;
    ProgressBar progress(std::size_t(tileCount), settings.progress);

    std::atomic<int> nextTile{0};
    std::exception_ptr failure;
    std::mutex failureMutex;
    const auto work = [&] {
        try {
            StateChain states(context);
            for (int t = nextTile++; t < tileCount; t = nextTile++) {
                const int x0 = (t % columns) * tile, y0 = (t / columns) * tile;
                renderTile(context, shader, states, frame, x0, y0, std::min(x0 + tile, frame.width),
                           std::min(y0 + tile, frame.height));
                progress.advance();
            }
        } catch (...) {
            std::lock_guard lock(failureMutex);
            if (!failure) failure = std::current_exception();
            nextTile = tileCount;  // the other threads stop after their current tile
        }
    };

    std::vector<std::thread> threads;
    for (int i = 1; i < settings.threads; ++i) threads.emplace_back(work);
    work();
    for (std::thread& t : threads) t.join();
    progress.finish();
    if (failure) std::rethrow_exception(failure);
}
