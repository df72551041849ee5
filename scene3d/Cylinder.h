#pragma once
// A cylinder that stands on its base: from y = 0 up to y = Height in its own
// coordinates, so scaling it along y grows it from the base (as a vector
// shaft must), unlike a cylinder centred on its position.
#include "scene3d/SceneGraph.h"

class Cylinder : public SceneNode
{
public:
    // The sides are always drawn; the flags add the caps.
    enum Part { Sides = 1, Top = 2, Bottom = 4, AllParts = Sides | Top | Bottom };
    using SceneNode::SceneNode;

    float height() const { return m_height; }
    void setHeight(float h);
    float radius() const { return m_radius; }
    void setRadius(float r);
    int slices() const { return m_slices; }
    void setSlices(int n);
    int parts() const { return m_parts; }
    void setParts(int parts);

    bool hasGeometry() const override { return m_slices >= 1; }
    // First mesh part: the side as one triangle strip, normal (c, 0, -s) then T(i)
    // then B(i) for i = 0 to Slices; then, when flagged, the top cap as a
    // fan (0, h, 0), T(0) .. T(Slices) with normal +y, and the bottom cap as
    // a fan (0, 0, 0), B(Slices) .. B(0) with normal -y. T(i) and B(i) are
    // (r c, h, -r s) and (r c, 0, -r s) for the angle i x 2 pi / Slices.
    void buildMesh(Mesh &mesh) const override;

private:
    float m_height = 1.0f;
    float m_radius = 0.5f;
    int32_t m_slices = 16;
    int m_parts = AllParts;
};
