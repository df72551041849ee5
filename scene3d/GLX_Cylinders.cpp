#include "scene3d/GLX_Cylinders.h"

#include "scene3d/Shapes.h"

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
    const TUnitCircle circle(m_slices);
    TMeshPart &side = mesh.AddPart(TPrimitive::TriangleStrip);
    for (int i = 0; i <= m_slices; ++i) {
        const QVector3D nrm(circle.Cos(i), 0.0f, -circle.Sin(i));
        side.Add(nrm, circle.At(i, m_radius, m_height));
        side.Add(nrm, circle.At(i, m_radius, 0.0f));
    }
    if (m_parts & Top)
        AddDisc(mesh, circle, m_radius, m_height, true);
    if (m_parts & Bottom)
        AddDisc(mesh, circle, m_radius, 0.0f, false);
}
