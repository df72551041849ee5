#pragma once
// The shapes of the 3D scenes: lines through nodes, tubes along a polyline,
// cones, flat polygons and extruded contours. Each describes itself as a
// Mesh in its own coordinates; changing a property or a node marks the
// geometry changed so the viewer rebuilds it.
#include "scene3d/SceneGraph.h"

#include <QPointF>

// The points of a circle round the y axis: angle i x 2 pi / Slices for
// i = 0 to Slices, counter-clockwise seen from +y, starting on +x.
class UnitCircle
{
public:
    explicit UnitCircle(int slices);
    int slices() const { return m_slices; }
    float cos(int i) const { return m_c[size_t(i)]; }
    float sin(int i) const { return m_s[size_t(i)]; }
    // Point i at radius r and height y: (r cos, y, -r sin).
    QVector3D at(int i, float r, float y) const { return QVector3D(r * cos(i), y, -r * sin(i)); }

private:
    int m_slices;
    std::vector<float> m_c, m_s;
};

// A flat disc at height y: a fan to radius/loops, then loops - 1 rings out
// to `radius`. Its normal is +y when `up`, else -y; seen from that side the
// vertices run counter-clockwise.
void addDisc(Mesh &mesh, const UnitCircle &circle, float radius, float y, bool up, int loops = 1);

// A shape defined by a list of 3D nodes.
class NodeListShape : public SceneNode
{
public:
    using SceneNode::SceneNode;
    int nodeCount() const { return int(m_nodes.size()); }
    QVector3D node(int index) const { return m_nodes.at(size_t(index)); }
    const std::vector<QVector3D> &nodes() const { return m_nodes; }
    void addNode(const QVector3D &p);
    void addNode(float x, float y, float z) { addNode(QVector3D(x, y, z)); }
    // Out-of-range indices are ignored.
    void setNode(int index, const QVector3D &p);
    void clearNodes();

private:
    std::vector<QVector3D> m_nodes;
};

// A line strip through the nodes, unlit, in lineColor. No markers are drawn
// at the nodes.
class Lines : public NodeListShape
{
public:
    using NodeListShape::NodeListShape;
    QVector4D lineColor() const { return m_color; }
    void setLineColor(const QVector4D &c);
    float lineWidth() const { return m_width; }
    void setLineWidth(float w);
    bool antialiased() const { return m_antialiased; }
    void setAntialiased(bool on);

    bool hasGeometry() const override { return nodeCount() >= 2; }
    void buildMesh(Mesh &mesh) const override;

private:
    QVector4D m_color{0.0f, 0.0f, 0.0f, 1.0f};
    float m_width = 1.0f;
    bool m_antialiased = false;
};

// A tube of the given radius along the polyline through the nodes, its
// cross-section a regular polygon of Slices sides. The ends are open.
class Pipe : public NodeListShape
{
public:
    using NodeListShape::NodeListShape;
    float radius() const { return m_radius; }
    void setRadius(float r);
    int slices() const { return m_slices; }
    void setSlices(int n);

    bool hasGeometry() const override { return nodeCount() >= 2 && m_slices >= 3; }
    void buildMesh(Mesh &mesh) const override;

private:
    float m_radius = 0.1f;
    int m_slices = 6;
};

// A flat polygon through the nodes (any plane, concave shapes and
// self-crossings filled by the odd winding rule). Both faces are lit.
class Polygon3D : public NodeListShape
{
public:
    using NodeListShape::NodeListShape;
    bool hasGeometry() const override { return nodeCount() >= 3; }
    void buildMesh(Mesh &mesh) const override;
};

// A cone (or truncated cone) along the node's y axis, centred on its
// position: the base disc at y = -Height/2, the tip at +Height/2. Stacks
// divide the side along the height, Loops divide the discs into rings.
class Cone : public SceneNode
{
public:
    enum Part { Sides = 1, Bottom = 2, Top = 4 };
    using SceneNode::SceneNode;

    float bottomRadius() const { return m_bottomRadius; }
    void setBottomRadius(float r);
    float topRadius() const { return m_topRadius; }
    void setTopRadius(float r);
    float height() const { return m_height; }
    void setHeight(float h);
    int slices() const { return m_slices; }
    void setSlices(int n);
    int stacks() const { return m_stacks; }
    void setStacks(int n);
    int loops() const { return m_loops; }
    void setLoops(int n);
    int parts() const { return m_parts; }
    void setParts(int parts);

    bool hasGeometry() const override { return m_slices >= 3 && m_stacks >= 1 && m_loops >= 1; }
    void buildMesh(Mesh &mesh) const override;

private:
    float m_bottomRadius = 0.5f, m_topRadius = 0.0f, m_height = 1.0f;
    int m_slices = 16, m_stacks = 4, m_loops = 1;
    int m_parts = Sides | Bottom;
};

// Contours in the node's xy plane extruded along +z from 0 to Depth. The
// filled region is what lies inside an odd number of contours, so a contour
// inside another cuts a hole.
class ExtrusionSolid : public SceneNode
{
public:
    enum Part {
        OutsideWalls = 1, // walls facing out of the solid (hole walls included)
        InsideWalls = 2,  // the same walls facing into the solid
        StartFace = 4,    // the face at z = 0, facing -z
        StopFace = 8,     // the face at z = Depth, facing +z
    };
    using SceneNode::SceneNode;

    int contourCount() const { return int(m_contours.size()); }
    const std::vector<QPointF> &contour(int index) const { return m_contours.at(size_t(index)); }
    // Adds a contour; returns its index.
    int addContour(const std::vector<QPointF> &nodes = {});
    void addContourNode(int contour, float x, float y);
    float depth() const { return m_depth; }
    void setDepth(float d);
    int parts() const { return m_parts; }
    void setParts(int parts);

    bool hasGeometry() const override { return !m_contours.empty(); }
    void buildMesh(Mesh &mesh) const override;

private:
    std::vector<std::vector<QPointF>> m_contours;
    float m_depth = 1.0f;
    int m_parts = OutsideWalls | StartFace | StopFace;
};

// ---------------------------------------------------------------- helpers

// Triangles (three points each, counter-clockwise) covering the points that
// lie inside an odd number of the closed contours.
std::vector<QPointF> triangulateOddWinding(const std::vector<std::vector<QPointF>> &contours);
// Whether p lies inside an odd number of the contours.
bool insideOddWinding(const std::vector<std::vector<QPointF>> &contours, const QPointF &p);
