// The vector shaft: a cylinder standing on its base, its strip and fans in
// a fixed order with fixed normals.
#include "MeshChecks.h"

#include "scene3d/Cylinder.h"

#include <QTest>
#include <cmath>

class TestCylinder : public QObject
{
    Q_OBJECT
private slots:
    void defaults();
    void stripAndFans_data();
    void stripAndFans();
    void growsFromItsBase();
};

void TestCylinder::defaults()
{
    Cylinder c;
    QCOMPARE(c.height(), 1.0f);
    QCOMPARE(c.radius(), 0.5f);
    QCOMPARE(c.slices(), 16);
    QCOMPARE(c.parts(), int(Cylinder::Sides | Cylinder::Top | Cylinder::Bottom));
}

void TestCylinder::stripAndFans_data()
{
    QTest::addColumn<int>("slices");
    QTest::addColumn<float>("radius");
    QTest::addColumn<float>("height");
    QTest::addColumn<int>("parts");
    QTest::newRow("shaft") << 8 << 0.015f << 1.0f << int(Cylinder::AllParts);
    QTest::newRow("sides only") << 3 << 0.5f << 2.0f << int(Cylinder::Sides);
    QTest::newRow("top only") << 16 << 0.25f << 0.5f << int(Cylinder::Top);
    QTest::newRow("bottom only") << 5 << 1.0f << 3.0f << int(Cylinder::Bottom);
}

void TestCylinder::stripAndFans()
{
    QFETCH(int, slices);
    QFETCH(float, radius);
    QFETCH(float, height);
    QFETCH(int, parts);
    Cylinder c;
    c.setSlices(slices);
    c.setRadius(radius);
    c.setHeight(height);
    c.setParts(parts);
    Mesh mesh;
    c.buildMesh(mesh);

    const bool top = parts & Cylinder::Top, bottom = parts & Cylinder::Bottom;
    QCOMPARE(mesh.parts.size(), size_t(1 + top + bottom));
    QVERIFY(mesh.lit);
    auto T = [&](int i) {
        const float a = float(i * 2.0 * M_PI / slices);
        return QVector3D(radius * std::cos(a), height, -radius * std::sin(a));
    };
    auto B = [&](int i) {
        const float a = float(i * 2.0 * M_PI / slices);
        return QVector3D(radius * std::cos(a), 0.0f, -radius * std::sin(a));
    };

    // Sides: normal (c, 0, -s), then T(i), then B(i), for i = 0 to slices.
    const MeshPart &side = mesh.parts[0];
    QCOMPARE(side.mode, Primitive::TriangleStrip);
    QCOMPARE(side.vertices.size(), size_t(2 * (slices + 1)));
    for (int i = 0; i <= slices; ++i) {
        const float a = float(i * 2.0 * M_PI / slices);
        const QVector3D n(std::cos(a), 0.0f, -std::sin(a));
        QCOMPARE(side.vertices[size_t(2 * i)], T(i));
        QCOMPARE(side.vertices[size_t(2 * i + 1)], B(i));
        QCOMPARE(side.normals[size_t(2 * i)], n);
        QCOMPARE(side.normals[size_t(2 * i + 1)], n);
    }
    size_t next = 1;
    if (top) {
        // (0, h, 0), T(0) .. T(slices), normal +y.
        const MeshPart &fan = mesh.parts[next++];
        QCOMPARE(fan.mode, Primitive::TriangleFan);
        QCOMPARE(fan.vertices.size(), size_t(slices + 2));
        QCOMPARE(fan.vertices[0], QVector3D(0, height, 0));
        for (int i = 0; i <= slices; ++i)
            QCOMPARE(fan.vertices[size_t(i + 1)], T(i));
        QCOMPARE(fan.normals.size(), fan.vertices.size());
        for (const QVector3D &n : fan.normals)
            QCOMPARE(n, QVector3D(0, 1, 0));
    }
    if (bottom) {
        // (0, 0, 0), B(slices) down to B(0), normal -y.
        const MeshPart &fan = mesh.parts[next++];
        QCOMPARE(fan.mode, Primitive::TriangleFan);
        QCOMPARE(fan.vertices.size(), size_t(slices + 2));
        QCOMPARE(fan.vertices[0], QVector3D(0, 0, 0));
        for (int i = 0; i <= slices; ++i)
            QCOMPARE(fan.vertices[size_t(i + 1)], B(slices - i));
        QCOMPARE(fan.normals.size(), fan.vertices.size());
        for (const QVector3D &n : fan.normals)
            QCOMPARE(n, QVector3D(0, -1, 0));
    }
    // Seen from outside, every face is front-facing.
    for (const TestTriangle &t : triangles(mesh))
        if (t.area() > 1e-9f)
            QVERIFY(QVector3D::dotProduct(t.geometricNormal(), t.n[0] + t.n[1] + t.n[2]) > 0);
}

void TestCylinder::growsFromItsBase()
{
    // Scaled along y the shaft keeps its base on the node's position and
    // reaches scale x height.
    Cylinder c;
    c.setRadius(0.015f);
    c.setPosition(0.4f, 0, 0);
    c.setScale(1, 0.342f, 1);
    Mesh mesh;
    c.buildMesh(mesh);
    float lo = 10, hi = -10;
    for (const MeshPart &p : mesh.parts)
        for (const QVector3D &v : p.vertices) {
            const QVector3D w = c.localMatrix().map(v);
            lo = std::min(lo, w.y());
            hi = std::max(hi, w.y());
        }
    QCOMPARE(lo, 0.0f);
    QCOMPARE(hi, 0.342f);
    // Fewer than one slice draws nothing.
    c.setSlices(0);
    QVERIFY(!c.hasGeometry());
    Mesh none;
    c.buildMesh(none);
    QCOMPARE(none.vertexCount(), 0);
}

QTEST_MAIN(TestCylinder)
#include "tst_cylinder.moc"
