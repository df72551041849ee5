#include "scene3d/GLX_Cylinders.h"

#include <cmath>

void TGLXCylinder::SetHeight(float h)
{
    SetGeometryField(m_height, h);
}

void TGLXCylinder::SetRadius(float r)
{
    SetGeometryField(m_radius, r);
}

void TGLXCylinder::SetSlices(int n)
{
    SetGeometryField(m_slices, n);
}

void TGLXCylinder::SetParts(int parts)
{
    SetGeometryField(m_parts, parts);
}

void TGLXCylinder::BuildMesh(TMesh &mesh) const
{
    if (m_slices < 1)
        return;
    const int n = m_slices;
    std::vector<float> c(size_t(n) + 1), s(size_t(n) + 1);
    for (int i = 0; i <= n; ++i) {
        const float a = float(i * 2.0 * M_PI / n);
        c[size_t(i)] = std::cos(a);
        s[size_t(i)] = std::sin(a);
    }
    auto top = [&](int i) { return QVector3D(m_radius * c[size_t(i)], m_height, -m_radius * s[size_t(i)]); };
    auto bottom = [&](int i) { return QVector3D(m_radius * c[size_t(i)], 0.0f, -m_radius * s[size_t(i)]); };

    TMeshPart &side = mesh.AddPart(TPrimitive::TriangleStrip);
    for (int i = 0; i <= n; ++i) {
        const QVector3D nrm(c[size_t(i)], 0.0f, -s[size_t(i)]);
        side.Add(nrm, top(i));
        side.Add(nrm, bottom(i));
    }
    if (m_parts & Top) {
        const QVector3D up(0.0f, 1.0f, 0.0f);
        TMeshPart &fan = mesh.AddPart(TPrimitive::TriangleFan);
        fan.Add(up, QVector3D(0.0f, m_height, 0.0f));
        for (int i = 0; i <= n; ++i)
            fan.Add(up, top(i));
    }
    if (m_parts & Bottom) {
        const QVector3D down(0.0f, -1.0f, 0.0f);
        TMeshPart &fan = mesh.AddPart(TPrimitive::TriangleFan);
        fan.Add(down, QVector3D(0.0f, 0.0f, 0.0f));
        for (int i = n; i >= 0; --i)
            fan.Add(down, bottom(i));
    }
}
