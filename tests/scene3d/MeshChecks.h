#pragma once
// Helpers of the 3D tests: a mesh's parts as plain triangles.
#include "scene3d/SceneGraph.h"

#include <array>
#include <vector>

struct TestTriangle {
    std::array<QVector3D, 3> v;
    std::array<QVector3D, 3> n;
    QVector3D GeometricNormal() const { return QVector3D::crossProduct(v[1] - v[0], v[2] - v[0]); }
    float Area() const { return GeometricNormal().length() / 2.0f; }
};

// The triangles a part draws, in the order and winding OpenGL gives them.
inline std::vector<TestTriangle> Triangles(const TMeshPart &part)
{
    std::vector<TestTriangle> out;
    const auto &v = part.Vertices;
    auto nrm = [&](size_t i) { return i < part.Normals.size() ? part.Normals[i] : QVector3D(); };
    auto add = [&](size_t a, size_t b, size_t c) {
        out.push_back(TestTriangle{{v[a], v[b], v[c]}, {nrm(a), nrm(b), nrm(c)}});
    };
    switch (part.Mode) {
    case TPrimitive::Triangles:
        for (size_t i = 0; i + 2 < v.size(); i += 3)
            add(i, i + 1, i + 2);
        break;
    case TPrimitive::TriangleStrip:
        for (size_t i = 0; i + 2 < v.size(); ++i)
            (i % 2 == 0) ? add(i, i + 1, i + 2) : add(i + 1, i, i + 2);
        break;
    case TPrimitive::TriangleFan:
        for (size_t i = 1; i + 1 < v.size(); ++i)
            add(0, i, i + 1);
        break;
    default:
        break;
    }
    return out;
}

inline std::vector<TestTriangle> Triangles(const TMesh &mesh)
{
    std::vector<TestTriangle> out;
    for (const TMeshPart &p : mesh.Parts) {
        auto t = Triangles(p);
        out.insert(out.end(), t.begin(), t.end());
    }
    return out;
}
