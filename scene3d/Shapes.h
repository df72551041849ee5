#pragma once
// The shapes of the 3D scenes: lines through nodes, tubes along a polyline,
// cones, flat polygons and extruded contours. Each describes itself as a
// TMesh in its own coordinates; changing a property or a node marks the
// geometry changed so the viewer rebuilds it.
#include "scene3d/SceneGraph.h"

#include <QPointF>

// The points of a circle round the y axis: angle i x 2 pi / Slices for
// i = 0 to Slices, counter-clockwise seen from +y, starting on +x.
class TUnitCircle
{
public:
    explicit TUnitCircle(int slices);
    int Slices() const { return m_slices; }
    float Cos(int i) const { return m_c[size_t(i)]; }
    float Sin(int i) const { return m_s[size_t(i)]; }
    // Point i at radius r and height y: (r cos, y, -r sin).
    QVector3D At(int i, float r, float y) const { return QVector3D(r * Cos(i), y, -r * Sin(i)); }

private:
    int m_slices;
    std::vector<float> m_c, m_s;
};

// A flat disc at height y: a fan to radius/loops, then loops - 1 rings out
// to `radius`. Its normal is +y when `up`, else -y; seen from that side the
// vertices run counter-clockwise.
void AddDisc(TMesh &mesh, const TUnitCircle &circle, float radius, float y, bool up, int loops = 1);

// A shape defined by a list of 3D nodes.
class TNodeListShape : public TSceneNode
{
public:
    using TSceneNode::TSceneNode;
    int NodeCount() const { return int(m_nodes.size()); }
    QVector3D Node(int index) const { return m_nodes.at(size_t(index)); }
    const std::vector<QVector3D> &Nodes() const { return m_nodes; }
    void AddNode(const QVector3D &p);
    void AddNode(float x, float y, float z) { AddNode(QVector3D(x, y, z)); }
    // Out-of-range indices are ignored.
    void SetNode(int index, const QVector3D &p);
    void ClearNodes();

private:
    std::vector<QVector3D> m_nodes;
};

// A line strip through the nodes, unlit, in LineColor. No markers are drawn
// at the nodes.
class TLines : public TNodeListShape
{
public:
    using TNodeListShape::TNodeListShape;
    QVector4D LineColor() const { return m_color; }
    void SetLineColor(const QVector4D &c);
    float LineWidth() const { return m_width; }
    void SetLineWidth(float w);
    bool Antialiased() const { return m_antialiased; }
    void SetAntialiased(bool on);

    bool HasGeometry() const override { return NodeCount() >= 2; }
    void BuildMesh(TMesh &mesh) const override;

private:
    QVector4D m_color{0.0f, 0.0f, 0.0f, 1.0f};
    float m_width = 1.0f;
    bool m_antialiased = false;
};

// A tube of the given radius along the polyline through the nodes, its
// cross-section a regular polygon of Slices sides. The ends are open.
class TPipe : public TNodeListShape
{
public:
    using TNodeListShape::TNodeListShape;
    float Radius() const { return m_radius; }
    void SetRadius(float r);
    int Slices() const { return m_slices; }
    void SetSlices(int n);

    bool HasGeometry() const override { return NodeCount() >= 2 && m_slices >= 3; }
    void BuildMesh(TMesh &mesh) const override;

private:
    float m_radius = 0.1f;
    int m_slices = 6;
};

// A flat polygon through the nodes (any plane, concave shapes and
// self-crossings filled by the odd winding rule). Both faces are lit.
class TPolygon : public TNodeListShape
{
public:
    using TNodeListShape::TNodeListShape;
    bool HasGeometry() const override { return NodeCount() >= 3; }
    void BuildMesh(TMesh &mesh) const override;
};

// A cone (or truncated cone) along the node's y axis, centred on its
// position: the base disc at y = -Height/2, the tip at +Height/2. Stacks
// divide the side along the height, Loops divide the discs into rings.
class TCone : public TSceneNode
{
public:
    enum Part { Sides = 1, Bottom = 2, Top = 4 };
    using TSceneNode::TSceneNode;

    float BottomRadius() const { return m_bottomRadius; }
    void SetBottomRadius(float r);
    float TopRadius() const { return m_topRadius; }
    void SetTopRadius(float r);
    float Height() const { return m_height; }
    void SetHeight(float h);
    int Slices() const { return m_slices; }
    void SetSlices(int n);
    int Stacks() const { return m_stacks; }
    void SetStacks(int n);
    int Loops() const { return m_loops; }
    void SetLoops(int n);
    int Parts() const { return m_parts; }
    void SetParts(int parts);

    bool HasGeometry() const override { return m_slices >= 3 && m_stacks >= 1 && m_loops >= 1; }
    void BuildMesh(TMesh &mesh) const override;

private:
    float m_bottomRadius = 0.5f, m_topRadius = 0.0f, m_height = 1.0f;
    int m_slices = 16, m_stacks = 4, m_loops = 1;
    int m_parts = Sides | Bottom;
};

// Contours in the node's xy plane extruded along +z from 0 to Depth. The
// filled region is what lies inside an odd number of contours, so a contour
// inside another cuts a hole.
class TExtrusionSolid : public TSceneNode
{
public:
    enum Part {
        OutsideWalls = 1, // walls facing out of the solid (hole walls included)
        InsideWalls = 2,  // the same walls facing into the solid
        StartFace = 4,    // the face at z = 0, facing -z
        StopFace = 8,     // the face at z = Depth, facing +z
    };
    using TSceneNode::TSceneNode;

    int ContourCount() const { return int(m_contours.size()); }
    const std::vector<QPointF> &Contour(int index) const { return m_contours.at(size_t(index)); }
    // Adds a contour; returns its index.
    int AddContour(const std::vector<QPointF> &nodes = {});
    void AddContourNode(int contour, float x, float y);
    float Depth() const { return m_depth; }
    void SetDepth(float d);
    int Parts() const { return m_parts; }
    void SetParts(int parts);

    bool HasGeometry() const override { return !m_contours.empty(); }
    void BuildMesh(TMesh &mesh) const override;

private:
    std::vector<std::vector<QPointF>> m_contours;
    float m_depth = 1.0f;
    int m_parts = OutsideWalls | StartFace | StopFace;
};

// ---------------------------------------------------------------- helpers

// Triangles (three points each, counter-clockwise) covering the points that
// lie inside an odd number of the closed contours.
std::vector<QPointF> TriangulateOddWinding(const std::vector<std::vector<QPointF>> &contours);
// Whether p lies inside an odd number of the contours.
bool InsideOddWinding(const std::vector<std::vector<QPointF>> &contours, const QPointF &p);
