#include "scene3d/Shapes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;

// A unit vector perpendicular to v.
QVector3D anyPerpendicular(const QVector3D &v)
{
    const QVector3D axis = std::fabs(v.x()) < 0.9f ? QVector3D(1, 0, 0) : QVector3D(0, 1, 0);
    return QVector3D::crossProduct(v, axis).normalized();
}

} // namespace

// ---------------------------------------------------------------- node lists

void NodeListShape::addNode(const QVector3D &p)
{
    m_nodes.push_back(p);
    geometryChanged();
}

void NodeListShape::setNode(int index, const QVector3D &p)
{
    if (index < 0 || index >= int(m_nodes.size()) || m_nodes[size_t(index)] == p)
        return;
    m_nodes[size_t(index)] = p;
    geometryChanged();
}

void NodeListShape::clearNodes()
{
    if (m_nodes.empty())
        return;
    m_nodes.clear();
    geometryChanged();
}

// ---------------------------------------------------------------- lines

void Lines::setLineColor(const QVector4D &c)
{
    setGeometryField(m_color, c);
}

void Lines::setLineWidth(float w)
{
    setGeometryField(m_width, w);
}

void Lines::setAntialiased(bool on)
{
    setGeometryField(m_antialiased, on);
}

void Lines::buildMesh(Mesh &mesh) const
{
    mesh.lit = false;
    mesh.color = m_color;
    mesh.lineWidth = m_width;
    mesh.antialiased = m_antialiased;
    MeshPart &part = mesh.addPart(Primitive::LineStrip);
    part.vertices = nodes();
}

// ---------------------------------------------------------------- pipe

void Pipe::setRadius(float r)
{
    setGeometryField(m_radius, r);
}

void Pipe::setSlices(int n)
{
    setGeometryField(m_slices, n);
}

void Pipe::buildMesh(Mesh &mesh) const
{
    const std::vector<QVector3D> &p = nodes();
    const size_t n = p.size();
    if (n < 2 || m_slices < 3)
        return;

    // A frame (normal, binormal) per node, carried along the tube so the
    // rings do not twist.
    std::vector<QVector3D> normal(n), binormal(n);
    QVector3D previousNormal;
    for (size_t i = 0; i < n; ++i) {
        QVector3D t = p[std::min(i + 1, n - 1)] - p[i > 0 ? i - 1 : 0];
        if (t.lengthSquared() < 1e-20f)
            t = QVector3D(1, 0, 0);
        t.normalize();
        QVector3D nrm = i == 0 ? anyPerpendicular(t) : previousNormal - t * QVector3D::dotProduct(previousNormal, t);
        if (nrm.lengthSquared() < 1e-12f)
            nrm = anyPerpendicular(t);
        nrm.normalize();
        normal[i] = nrm;
        binormal[i] = QVector3D::crossProduct(t, nrm);
        previousNormal = nrm;
    }

    std::vector<float> c(size_t(m_slices) + 1), s(size_t(m_slices) + 1);
    for (int j = 0; j <= m_slices; ++j) {
        const double a = j * kTwoPi / m_slices;
        c[size_t(j)] = float(std::cos(a));
        s[size_t(j)] = float(std::sin(a));
    }
    auto ring = [&](size_t i, int j) { return normal[i] * c[size_t(j)] + binormal[i] * s[size_t(j)]; };

    for (size_t i = 0; i + 1 < n; ++i) {
        MeshPart &strip = mesh.addPart(Primitive::TriangleStrip);
        for (int j = 0; j <= m_slices; ++j) {
            const QVector3D d1 = ring(i + 1, j), d0 = ring(i, j);
            strip.add(d1, p[i + 1] + d1 * m_radius);
            strip.add(d0, p[i] + d0 * m_radius);
        }
    }
}

// ---------------------------------------------------------------- polygon

void Polygon3D::buildMesh(Mesh &mesh) const
{
    const std::vector<QVector3D> &p = nodes();
    // Newell's normal works for any simple or concave polygon.
    QVector3D nrm;
    for (size_t i = 0; i < p.size(); ++i) {
        const QVector3D &a = p[i], &b = p[(i + 1) % p.size()];
        nrm += QVector3D((a.y() - b.y()) * (a.z() + b.z()), (a.z() - b.z()) * (a.x() + b.x()),
                         (a.x() - b.x()) * (a.y() + b.y()));
    }
    if (nrm.lengthSquared() < 1e-20f)
        return; // all nodes on a line: nothing to fill
    nrm.normalize();
    const QVector3D u = anyPerpendicular(nrm);
    const QVector3D v = QVector3D::crossProduct(nrm, u);
    const float offset = QVector3D::dotProduct(p[0], nrm);

    std::vector<QPointF> flat;
    flat.reserve(p.size());
    for (const QVector3D &q : p)
        flat.emplace_back(QVector3D::dotProduct(q, u), QVector3D::dotProduct(q, v));
    const std::vector<QPointF> tri = triangulateOddWinding({flat});
    MeshPart &part = mesh.addPart(Primitive::Triangles);
    for (const QPointF &q : tri)
        part.add(nrm, u * float(q.x()) + v * float(q.y()) + nrm * offset);
}

// ---------------------------------------------------------------- circles

UnitCircle::UnitCircle(int slices) : m_slices(slices), m_c(size_t(slices) + 1), m_s(size_t(slices) + 1)
{
    for (int i = 0; i <= slices; ++i) {
        const float a = float(i * kTwoPi / slices);
        m_c[size_t(i)] = std::cos(a);
        m_s[size_t(i)] = std::sin(a);
    }
}

void addDisc(Mesh &mesh, const UnitCircle &circle, float radius, float y, bool up, int loops)
{
    const int n = circle.slices();
    const QVector3D nrm(0.0f, up ? 1.0f : -1.0f, 0.0f);
    MeshPart &fan = mesh.addPart(Primitive::TriangleFan);
    fan.add(nrm, QVector3D(0.0f, y, 0.0f));
    const float r1 = radius / loops;
    for (int i = 0; i <= n; ++i)
        fan.add(nrm, circle.at(up ? i : n - i, r1, y));
    for (int l = 1; l < loops; ++l) {
        const float ri = radius * l / loops, ro = radius * (l + 1) / loops;
        MeshPart &strip = mesh.addPart(Primitive::TriangleStrip);
        for (int i = 0; i <= n; ++i) {
            const int k = up ? i : n - i;
            strip.add(nrm, circle.at(k, ri, y));
            strip.add(nrm, circle.at(k, ro, y));
        }
    }
}

// ---------------------------------------------------------------- cone

void Cone::setBottomRadius(float r) { setGeometryField(m_bottomRadius, r); }
void Cone::setTopRadius(float r) { setGeometryField(m_topRadius, r); }
void Cone::setHeight(float h) { setGeometryField(m_height, h); }
void Cone::setSlices(int n) { setGeometryField(m_slices, n); }
void Cone::setStacks(int n) { setGeometryField(m_stacks, n); }
void Cone::setLoops(int n) { setGeometryField(m_loops, n); }
void Cone::setParts(int parts) { setGeometryField(m_parts, parts); }

void Cone::buildMesh(Mesh &mesh) const
{
    if (!hasGeometry())
        return;
    const float h = m_height, y0 = -h / 2.0f;
    const UnitCircle circle(m_slices);

    if (m_parts & Sides) {
        // The side leans by (bottom - top radius) over the height; its
        // normal leans up by the same proportion.
        for (int k = 0; k < m_stacks; ++k) {
            const float ya = y0 + h * k / m_stacks, yb = y0 + h * (k + 1) / m_stacks;
            const float ra = m_bottomRadius + (m_topRadius - m_bottomRadius) * k / m_stacks;
            const float rb = m_bottomRadius + (m_topRadius - m_bottomRadius) * (k + 1) / m_stacks;
            MeshPart &strip = mesh.addPart(Primitive::TriangleStrip);
            for (int i = 0; i <= m_slices; ++i) {
                const QVector3D nrm =
                    QVector3D(h * circle.cos(i), m_bottomRadius - m_topRadius, -h * circle.sin(i)).normalized();
                strip.add(nrm, circle.at(i, rb, yb));
                strip.add(nrm, circle.at(i, ra, ya));
            }
        }
    }
    if ((m_parts & Bottom) && m_bottomRadius > 0.0f)
        addDisc(mesh, circle, m_bottomRadius, y0, false, m_loops);
    if ((m_parts & Top) && m_topRadius > 0.0f)
        addDisc(mesh, circle, m_topRadius, y0 + h, true, m_loops);
}

// ---------------------------------------------------------------- extrusion

int ExtrusionSolid::addContour(const std::vector<QPointF> &nodes)
{
    m_contours.push_back(nodes);
    geometryChanged();
    return int(m_contours.size()) - 1;
}

void ExtrusionSolid::addContourNode(int contour, float x, float y)
{
    if (contour < 0 || contour >= int(m_contours.size()))
        return;
    m_contours[size_t(contour)].emplace_back(x, y);
    geometryChanged();
}

void ExtrusionSolid::setDepth(float d)
{
    setGeometryField(m_depth, d);
}

void ExtrusionSolid::setParts(int parts)
{
    setGeometryField(m_parts, parts);
}

void ExtrusionSolid::buildMesh(Mesh &mesh) const
{
    const float d = m_depth;
    if (m_parts & (OutsideWalls | InsideWalls)) {
        // How far to step off an edge to learn which side is solid.
        double extent = 0.0;
        for (const auto &c : m_contours)
            for (const QPointF &q : c)
                extent = std::max({extent, std::fabs(q.x()), std::fabs(q.y())});
        const double eps = std::max(extent, 1e-6) * 1e-4;

        MeshPart &walls = mesh.addPart(Primitive::Triangles);
        for (const auto &contour : m_contours) {
            const size_t n = contour.size();
            if (n < 2)
                continue;
            for (size_t i = 0; i < n; ++i) {
                const QPointF a = contour[i], b = contour[(i + 1) % n];
                const QPointF e = b - a;
                const double len = std::hypot(e.x(), e.y());
                if (len <= 0.0)
                    continue;
                // Right-hand side of the edge; flip it if the solid lies there.
                QPointF right(e.y() / len, -e.x() / len);
                const QPointF mid = (a + b) / 2.0;
                bool outward = !insideOddWinding(m_contours, mid + right * eps);
                const QVector3D out = QVector3D(float(right.x()), float(right.y()), 0.0f) * (outward ? 1.0f : -1.0f);
                const QVector3D a0(float(a.x()), float(a.y()), 0.0f), b0(float(b.x()), float(b.y()), 0.0f);
                const QVector3D a1(a0.x(), a0.y(), d), b1(b0.x(), b0.y(), d);
                // (a0, b0, b1) faces the right-hand side of the edge.
                auto quad = [&](const QVector3D &nrm, bool facesRight) {
                    if (facesRight) {
                        walls.add(nrm, a0); walls.add(nrm, b0); walls.add(nrm, b1);
                        walls.add(nrm, a0); walls.add(nrm, b1); walls.add(nrm, a1);
                    } else {
                        walls.add(nrm, a0); walls.add(nrm, b1); walls.add(nrm, b0);
                        walls.add(nrm, a0); walls.add(nrm, a1); walls.add(nrm, b1);
                    }
                };
                if (m_parts & OutsideWalls)
                    quad(out, outward);
                if (m_parts & InsideWalls)
                    quad(-out, !outward);
            }
        }
    }
    if (m_parts & (StartFace | StopFace)) {
        const std::vector<QPointF> tri = triangulateOddWinding(m_contours);
        if (m_parts & StopFace) {
            MeshPart &face = mesh.addPart(Primitive::Triangles);
            for (const QPointF &q : tri)
                face.add(QVector3D(0, 0, 1), QVector3D(float(q.x()), float(q.y()), d));
        }
        if (m_parts & StartFace) {
            MeshPart &face = mesh.addPart(Primitive::Triangles);
            for (size_t i = 0; i + 2 < tri.size(); i += 3)
                for (size_t k : {i, i + 2, i + 1})
                    face.add(QVector3D(0, 0, -1), QVector3D(float(tri[k].x()), float(tri[k].y()), 0.0f));
        }
    }
}

// ---------------------------------------------------------------- helpers

bool insideOddWinding(const std::vector<std::vector<QPointF>> &contours, const QPointF &p)
{
    bool inside = false;
    for (const auto &c : contours) {
        const size_t n = c.size();
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            const QPointF &a = c[i], &b = c[j];
            if ((a.y() > p.y()) != (b.y() > p.y())) {
                const double x = a.x() + (p.y() - a.y()) * (b.x() - a.x()) / (b.y() - a.y());
                if (p.x() < x)
                    inside = !inside;
            }
        }
    }
    return inside;
}

std::vector<QPointF> triangulateOddWinding(const std::vector<std::vector<QPointF>> &contours)
{
    // Cut the plane into horizontal slabs at every node and every crossing
    // of two edges; inside a slab no edge begins, ends or crosses another,
    // so sorting the edges across the slab and pairing them (odd rule) gives
    // trapezoids of the filled region.
    struct Edge {
        QPointF a, b; // a.y < b.y
        double xAt(double y) const { return a.x() + (y - a.y()) * (b.x() - a.x()) / (b.y() - a.y()); }
    };
    std::vector<Edge> edges;
    std::vector<double> ys;
    for (const auto &c : contours) {
        const size_t n = c.size();
        if (n < 3)
            continue;
        for (size_t i = 0; i < n; ++i) {
            QPointF a = c[i], b = c[(i + 1) % n];
            ys.push_back(a.y());
            if (a.y() == b.y())
                continue; // horizontal edges do not cross any slab
            if (a.y() > b.y())
                std::swap(a, b);
            edges.push_back({a, b});
        }
    }
    for (size_t i = 0; i < edges.size(); ++i)
        for (size_t j = i + 1; j < edges.size(); ++j) {
            const QPointF p = edges[i].a, r = edges[i].b - p;
            const QPointF q = edges[j].a, s = edges[j].b - q;
            const double den = r.x() * s.y() - r.y() * s.x();
            if (den == 0.0)
                continue;
            const QPointF qp = q - p;
            const double t = (qp.x() * s.y() - qp.y() * s.x()) / den;
            const double u = (qp.x() * r.y() - qp.y() * r.x()) / den;
            if (t > 0.0 && t < 1.0 && u > 0.0 && u < 1.0)
                ys.push_back(p.y() + t * r.y());
        }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    std::vector<QPointF> out;
    std::vector<std::pair<double, const Edge *>> crossing;
    for (size_t k = 0; k + 1 < ys.size(); ++k) {
        const double y0 = ys[k], y1 = ys[k + 1], ym = (y0 + y1) / 2.0;
        if (y1 - y0 < 1e-12)
            continue;
        crossing.clear();
        for (const Edge &e : edges)
            if (e.a.y() <= ym && e.b.y() >= ym)
                crossing.emplace_back(e.xAt(ym), &e);
        std::sort(crossing.begin(), crossing.end(),
                  [](const auto &l, const auto &r) { return l.first < r.first; });
        for (size_t i = 0; i + 1 < crossing.size(); i += 2) {
            const Edge &l = *crossing[i].second, &r = *crossing[i + 1].second;
            const QPointF bl(l.xAt(y0), y0), br(r.xAt(y0), y0), tr(r.xAt(y1), y1), tl(l.xAt(y1), y1);
            if (br.x() - bl.x() > 1e-12) {
                out.push_back(bl); out.push_back(br); out.push_back(tr);
            }
            if (tr.x() - tl.x() > 1e-12) {
                out.push_back(bl); out.push_back(tr); out.push_back(tl);
            }
        }
    }
    return out;
}
