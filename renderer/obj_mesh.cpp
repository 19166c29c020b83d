#include "obj_mesh.h"

#include <tiny_obj_loader.h>

#include <stdexcept>

namespace {

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}

}  // namespace

TriangleMesh loadObjMesh(const std::string& path) {
    const auto fail = [&](const std::string& why) {
        return std::runtime_error("cannot use OBJ file '" + path + "': " + why);
    };
    tinyobj::ObjReaderConfig config;
    config.triangulate = true;
    config.vertex_color = false;
    tinyobj::ObjReader reader;
    if (!reader.ParseFromFile(path, config)) {
        throw fail(reader.Error().empty() ? "it cannot be read" : trimmed(reader.Error()));
    }
    const tinyobj::attrib_t& attrib = reader.GetAttrib();
    const std::size_t vertexCount = attrib.vertices.size() / 3;
    const std::size_t normalCount = attrib.normals.size() / 3;
    const std::size_t uvCount = attrib.texcoords.size() / 2;

    // Every corner becomes a vertex of its own: simple, and it keeps per-corner normals intact.
    std::vector<tinyobj::index_t> corners;
    for (const tinyobj::shape_t& shape : reader.GetShapes()) {
        corners.insert(corners.end(), shape.mesh.indices.begin(), shape.mesh.indices.end());
    }
    if (corners.empty() || corners.size() % 3 != 0) throw fail("it holds no triangle faces");

    bool withNormals = true, withUvs = true;
    for (const tinyobj::index_t& c : corners) {
        if (c.vertex_index < 0 || std::size_t(c.vertex_index) >= vertexCount) {
            throw fail("a face refers to a vertex the file does not have");
        }
        withNormals =
            withNormals && c.normal_index >= 0 && std::size_t(c.normal_index) < normalCount;
        withUvs = withUvs && c.texcoord_index >= 0 && std::size_t(c.texcoord_index) < uvCount;
    }

    TriangleMesh mesh;
    for (const tinyobj::index_t& c : corners) {
        const std::size_t v = std::size_t(c.vertex_index) * 3;
        mesh.positions.push_back(
            {attrib.vertices[v], attrib.vertices[v + 1], attrib.vertices[v + 2]});
        if (withNormals) {
            const std::size_t n = std::size_t(c.normal_index) * 3;
            mesh.normals.push_back(
                normalized({attrib.normals[n], attrib.normals[n + 1], attrib.normals[n + 2]}));
        }
        if (withUvs) {
            const std::size_t t = std::size_t(c.texcoord_index) * 2;
            mesh.uvs.push_back({attrib.texcoords[t], attrib.texcoords[t + 1]});
        }
    }
    for (uint32_t i = 0; i < uint32_t(corners.size()); i += 3)
        mesh.triangles.push_back({i, i + 1, i + 2});
    for (const Vec3& p : mesh.positions) {
        if (!isFinite(p)) throw fail("a vertex is not a finite point");
    }
    return mesh;
}
