// The vector shaft: a cylinder standing on its base, its strip and fans in
// a fixed order with fixed normals.
#include "MeshChecks.h"

#include "scene3d/GLX_Cylinders.h"

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
    TGLXCylinder c;
    QCOMPARE(c.Height(), 1.0f);
    QCOMPARE(c.Radius(), 0.5f);
    QCOMPARE(c.Slices(), 16);
    QCOMPARE(c.Parts(), int(TGLXCylinder::Sides | TGLXCylinder::Top | TGLXCylinder::Bottom));
}

void TestCylinder::stripAndFans_data()
{
    QTest::addColumn<int>("slices");
    QTest::addColumn<float>("radius");
    QTest::addColumn<float>("height");
    QTest::addColumn<int>("parts");
    QTest::newRow("shaft") << 8 << 0.015f << 1.0f << int(TGLXCylinder::AllParts);
    QTest::newRow("sides only") << 3 << 0.5f << 2.0f << int(TGLXCylinder::Sides);
    QTest::newRow("top only") << 16 << 0.25f << 0.5f << int(TGLXCylinder::Top);
    QTest::newRow("bottom only") << 5 << 1.0f << 3.0f << int(TGLXCylinder::Bottom);
}

void TestCylinder::stripAndFans()
{
    QFETCH(int, slices);
    QFETCH(float, radius);
    QFETCH(float, height);
    QFETCH(int, parts);
    TGLXCylinder c;
    c.SetSlices(slices);
    c.SetRadius(radius);
    c.SetHeight(height);
    c.SetParts(parts);
    TMesh mesh;
    c.BuildMesh(mesh);

    const bool top = parts & TGLXCylinder::Top, bottom = parts & TGLXCylinder::Bottom;
    QCOMPARE(mesh.Parts.size(), size_t(1 + top + bottom));
    QVERIFY(mesh.Lit);
    auto T = [&](int i) {
        const float a = float(i * 2.0 * M_PI / slices);
        return QVector3D(radius * std::cos(a), height, -radius * std::sin(a));
    };
    auto B = [&](int i) {
        const float a = float(i * 2.0 * M_PI / slices);
        return QVector3D(radius * std::cos(a), 0.0f, -radius * std::sin(a));
    };

    // Sides: normal (c, 0, -s), then T(i), then B(i), for i = 0 to slices.
    const TMeshPart &side = mesh.Parts[0];
    QCOMPARE(side.Mode, TPrimitive::TriangleStrip);
    QCOMPARE(side.Vertices.size(), size_t(2 * (slices + 1)));
    for (int i = 0; i <= slices; ++i) {
        const float a = float(i * 2.0 * M_PI / slices);
        const QVector3D n(std::cos(a), 0.0f, -std::sin(a));
        QCOMPARE(side.Vertices[size_t(2 * i)], T(i));
        QCOMPARE(side.Vertices[size_t(2 * i + 1)], B(i));
        QCOMPARE(side.Normals[size_t(2 * i)], n);
        QCOMPARE(side.Normals[size_t(2 * i + 1)], n);
    }
    size_t next = 1;
    if (top) {
        // (0, h, 0), T(0) .. T(slices), normal +y.
        const TMeshPart &fan = mesh.Parts[next++];
        QCOMPARE(fan.Mode, TPrimitive::TriangleFan);
        QCOMPARE(fan.Vertices.size(), size_t(slices + 2));
        QCOMPARE(fan.Vertices[0], QVector3D(0, height, 0));
        for (int i = 0; i <= slices; ++i)
            QCOMPARE(fan.Vertices[size_t(i + 1)], T(i));
        QCOMPARE(fan.Normals.size(), fan.Vertices.size());
        for (const QVector3D &n : fan.Normals)
            QCOMPARE(n, QVector3D(0, 1, 0));
    }
    if (bottom) {
        // (0, 0, 0), B(slices) down to B(0), normal -y.
        const TMeshPart &fan = mesh.Parts[next++];
        QCOMPARE(fan.Mode, TPrimitive::TriangleFan);
        QCOMPARE(fan.Vertices.size(), size_t(slices + 2));
        QCOMPARE(fan.Vertices[0], QVector3D(0, 0, 0));
        for (int i = 0; i <= slices; ++i)
            QCOMPARE(fan.Vertices[size_t(i + 1)], B(slices - i));
        QCOMPARE(fan.Normals.size(), fan.Vertices.size());
        for (const QVector3D &n : fan.Normals)
            QCOMPARE(n, QVector3D(0, -1, 0));
    }
    // Seen from outside, every face is front-facing.
    for (const TestTriangle &t : Triangles(mesh))
        if (t.Area() > 1e-9f)
            QVERIFY(QVector3D::dotProduct(t.GeometricNormal(), t.n[0] + t.n[1] + t.n[2]) > 0);
}

void TestCylinder::growsFromItsBase()
{
    // Scaled along y the shaft keeps its base on the node's position and
    // reaches scale x height.
    TGLXCylinder c;
    c.SetRadius(0.015f);
    c.SetPosition(0.4f, 0, 0);
    c.SetScale(1, 0.342f, 1);
    TMesh mesh;
    c.BuildMesh(mesh);
    float lo = 10, hi = -10;
    for (const TMeshPart &p : mesh.Parts)
        for (const QVector3D &v : p.Vertices) {
            const QVector3D w = c.LocalMatrix().map(v);
            lo = std::min(lo, w.y());
            hi = std::max(hi, w.y());
        }
    QCOMPARE(lo, 0.0f);
    QCOMPARE(hi, 0.342f);
    // Fewer than one slice draws nothing.
    c.SetSlices(0);
    QVERIFY(!c.HasGeometry());
    TMesh none;
    c.BuildMesh(none);
    QCOMPARE(none.VertexCount(), 0);
}

QTEST_MAIN(TestCylinder)
#include "tst_cylinder.moc"
