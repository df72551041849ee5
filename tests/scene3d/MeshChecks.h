#pragma once
// Helpers of the 3D tests: a mesh's parts as plain triangles.
#include "scene3d/SceneGraph.h"

#include <array>
#include <vector>

struct TestTriangle {
    std::array<QVector3D, 3> v;
    std::array<QVector3D, 3> n;
    QVector3D geometricNormal() const { return QVector3D::crossProduct(v[1] - v[0], v[2] - v[0]); }
    float area() const { return geometricNormal().length() / 2.0f; }
};

// The triangles a part draws, in the order and winding OpenGL gives them.
inline std::vector<TestTriangle> triangles(const MeshPart &part)
{
    std::vector<TestTriangle> out;
    const auto &v = part.vertices;
    auto nrm = [&](size_t i) { return i < part.normals.size() ? part.normals[i] : QVector3D(); };
    auto add = [&](size_t a, size_t b, size_t c) {
        out.push_back(TestTriangle{{v[a], v[b], v[c]}, {nrm(a), nrm(b), nrm(c)}});
    };
    switch (part.mode) {
    case Primitive::Triangles:
        for (size_t i = 0; i + 2 < v.size(); i += 3)
            add(i, i + 1, i + 2);
        break;
    case Primitive::TriangleStrip:
        for (size_t i = 0; i + 2 < v.size(); ++i)
            (i % 2 == 0) ? add(i, i + 1, i + 2) : add(i + 1, i, i + 2);
        break;
    case Primitive::TriangleFan:
        for (size_t i = 1; i + 1 < v.size(); ++i)
            add(0, i, i + 1);
        break;
    default:
        break;
    }
    return out;
}

inline std::vector<TestTriangle> triangles(const Mesh &mesh)
{
    std::vector<TestTriangle> out;
    for (const MeshPart &p : mesh.parts) {
        auto t = triangles(p);
        out.insert(out.end(), t.begin(), t.end());
    }
    return out;
}
