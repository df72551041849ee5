#include "scene3d/Cylinder.h"

#include "scene3d/Shapes.h"

void Cylinder::setHeight(float h)
{
    setGeometryField(m_height, h);
}

void Cylinder::setRadius(float r)
{
    setGeometryField(m_radius, r);
}

void Cylinder::setSlices(int n)
{
    setGeometryField(m_slices, n);
}

void Cylinder::setParts(int parts)
{
    setGeometryField(m_parts, parts);
}

void Cylinder::buildMesh(Mesh &mesh) const
{
    if (m_slices < 1)
        return;
    const UnitCircle circle(m_slices);
    MeshPart &side = mesh.addPart(Primitive::TriangleStrip);
    for (int i = 0; i <= m_slices; ++i) {
        const QVector3D nrm(circle.cos(i), 0.0f, -circle.sin(i));
        side.add(nrm, circle.at(i, m_radius, m_height));
        side.add(nrm, circle.at(i, m_radius, 0.0f));
    }
    if (m_parts & Top)
        addDisc(mesh, circle, m_radius, m_height, true);
    if (m_parts & Bottom)
        addDisc(mesh, circle, m_radius, 0.0f, false);
}
