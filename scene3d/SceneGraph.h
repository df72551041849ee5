#pragma once
// The 3D scene graph: nodes with a placement (position, pitch, roll, turn,
// scale, visibility) and ordered children, materials, and copies that draw
// another node's geometry again. Shapes describe their geometry as plain
// vertex lists (Mesh), so the whole graph can be built, moved and checked
// without a GPU; the viewer turns it into OpenGL calls.
//
// Rotation conventions (angles in degrees; an untransformed node faces +z
// with +y up):
//   pitch  about the node's x axis; positive lifts the facing axis towards
//          +y, so a pitch of -90 turns +y onto +z and 180 turns +y onto -y;
//   turn   about the node's up axis (y); positive swings the facing axis
//          from +z towards +x, so a turn of 90 lays it along +x;
//   roll   about the node's facing axis (z); positive tips the up axis from
//          +y towards -x.
// They are applied roll first, then pitch, then turn (localMatrix), so a
// roll always spins the node about its own facing axis wherever turn and
// pitch have pointed it. Scale is applied before any rotation, along the
// node's own axes.
#include <QMatrix4x4>
#include <QString>
#include <QStringList>
#include <QVector3D>
#include <QVector4D>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// ---------------------------------------------------------------- geometry

enum class Primitive { Triangles, TriangleStrip, TriangleFan, Lines, LineStrip };

// One run of vertices drawn with one primitive. Lit parts carry one normal
// per vertex; line parts carry none.
struct MeshPart {
    Primitive mode = Primitive::Triangles;
    std::vector<QVector3D> vertices;
    std::vector<QVector3D> normals;

    void add(const QVector3D &normal, const QVector3D &vertex)
    {
        normals.push_back(normal);
        vertices.push_back(vertex);
    }
};

// What a shape draws, in its own coordinates. Triangles are wound
// counter-clockwise seen from the side their normals point to.
struct Mesh {
    std::vector<MeshPart> parts;
    // Unlit meshes (lines) are drawn in Color and ignore the material.
    bool lit = true;
    QVector4D color{0.0f, 0.0f, 0.0f, 1.0f};
    float lineWidth = 1.0f;
    bool antialiased = false;

    MeshPart &addPart(Primitive mode)
    {
        parts.push_back(MeshPart{mode, {}, {}});
        return parts.back();
    }
    int vertexCount() const;
};

// ---------------------------------------------------------------- materials

enum class Blending { Opaque, Transparency };

// Colours as (red, green, blue, alpha). The defaults are the library's
// defaults; the alpha of Diffuse is the alpha of the drawn surface.
struct Material {
    QVector4D ambient{0.2f, 0.2f, 0.2f, 1.0f};
    QVector4D diffuse{0.8f, 0.8f, 0.8f, 1.0f};
    QVector4D emission{0.0f, 0.0f, 0.0f, 1.0f};
    QVector4D specular{0.0f, 0.0f, 0.0f, 1.0f};
    float shininess = 0.0f;
    Blending blending = Blending::Opaque;

    bool isBlended() const { return blending != Blending::Opaque; }
    bool operator==(const Material &) const = default;
};

// Named materials shared by many objects. Entries are never removed, so a
// reference to one stays valid as long as the library.
class MaterialLibrary
{
public:
    // The material of that name, created with the defaults if it is new.
    Material &add(const QString &name);
    Material *find(const QString &name);
    const Material *find(const QString &name) const;
    QStringList names() const;
    int count() const { return int(m_items.size()); }

private:
    std::vector<std::pair<QString, std::unique_ptr<Material>>> m_items;
};

// ---------------------------------------------------------------- nodes

class ProxyNode;

// A group node: placement, visibility, material and ordered children. It
// owns its children; deleting a node deletes its subtree. Shapes derive from
// it and describe their geometry through buildMesh.
class SceneNode
{
public:
    // The node is appended to parent's children when parent is given.
    explicit SceneNode(SceneNode *parent = nullptr);
    virtual ~SceneNode();
    SceneNode(const SceneNode &) = delete;
    SceneNode &operator=(const SceneNode &) = delete;

    // ---- tree
    SceneNode *parent() const { return m_parent; }
    int count() const { return int(m_children.size()); }
    // The child at index, or null when out of range.
    SceneNode *child(int index) const;
    int indexOf(const SceneNode *child) const;
    // Creates a T (constructed as T(this, args...)) as the last child.
    template <class T, class... Args>
    T *addNewChild(Args &&...args)
    {
        return new T(this, std::forward<Args>(args)...);
    }
    // Deletes every child (and its subtree); copies of deleted nodes go blank.
    void deleteChildren();
    // The ancestor without a parent (this node when it has none).
    SceneNode *topNode();
    QString name;

    // ---- placement, relative to the parent
    QVector3D position() const { return m_position; }
    float x() const { return m_position.x(); }
    float y() const { return m_position.y(); }
    float z() const { return m_position.z(); }
    void setPosition(const QVector3D &p);
    void setPosition(float x, float y, float z) { setPosition(QVector3D(x, y, z)); }
    void setX(float x) { setPosition(QVector3D(x, m_position.y(), m_position.z())); }
    void setY(float y) { setPosition(QVector3D(m_position.x(), y, m_position.z())); }
    void setZ(float z) { setPosition(QVector3D(m_position.x(), m_position.y(), z)); }
    float pitchAngle() const { return m_pitch; }
    void setPitchAngle(float degrees);
    float rollAngle() const { return m_roll; }
    void setRollAngle(float degrees);
    float turnAngle() const { return m_turn; }
    void setTurnAngle(float degrees);
    QVector3D scale() const { return m_scale; }
    void setScale(const QVector3D &s);
    void setScale(float x, float y, float z) { setScale(QVector3D(x, y, z)); }
    bool visible() const { return m_visible; }
    void setVisible(bool visible);

    // Rotation alone (turn x pitch x roll).
    QMatrix4x4 rotationMatrix() const;
    // Translation x rotation x scale: node coordinates to the parent's.
    QMatrix4x4 localMatrix() const;
    // Node coordinates to the top node's.
    QMatrix4x4 absoluteMatrix() const;
    QVector3D absolutePosition() const;
    // The node's facing (+z) and up (+y) axes in its parent's coordinates.
    QVector3D direction() const;
    QVector3D up() const;

    // ---- material
    // The node's own material; it stops using a library material.
    void setMaterial(const Material &material);
    const Material &material() const { return m_material; }
    // Uses the library's material of that name (looked up when drawn, so
    // the library may gain the name later). The library must outlive the
    // node or be replaced before it goes.
    void setLibraryMaterial(const MaterialLibrary *library, const QString &name);
    QString libraryMaterialName() const { return m_libMaterialName; }
    // The library's material when one is named and found, else the own one.
    const Material &effectiveMaterial() const;

    // ---- geometry (shapes)
    virtual bool hasGeometry() const { return false; }
    // Fills mesh with the shape in node coordinates.
    virtual void buildMesh(Mesh &mesh) const { (void)mesh; }
    // Raised whenever the mesh would come out differently.
    uint64_t geometryRevision() const { return m_geometryRevision; }

    // ---- change tracking
    // Unique for the lifetime of the program (never reused).
    uint64_t id() const { return m_id; }
    // Raised by every change of this node (placement, material, geometry,
    // its list of children).
    uint64_t revision() const { return m_revision; }
    // Brackets a batch of changes anywhere in this node's tree: the tree
    // reports one change at the outermost endUpdate instead of one per edit.
    void beginUpdate();
    void endUpdate();
    bool inUpdate();

protected:
    // Marks the node changed and tells the tree.
    void changed();
    // Marks the geometry changed (and the node).
    void geometryChanged();
    // Stores value in member; a different value is a change (of the
    // geometry for setGeometryField).
    template <class T>
    void setField(T &member, const T &value)
    {
        if (member == value)
            return;
        member = value;
        changed();
    }
    template <class T>
    void setGeometryField(T &member, const T &value)
    {
        if (member == value)
            return;
        member = value;
        geometryChanged();
    }
    // Called on the top node when its tree changed, outside any update.
    virtual void treeChanged() {}

private:
    friend class ProxyNode;
    void reportChange();

    SceneNode *m_parent = nullptr;
    std::vector<SceneNode *> m_children;
    std::vector<ProxyNode *> m_proxies; // copies that draw this node
    bool m_deleting = false;

    QVector3D m_position{0.0f, 0.0f, 0.0f};
    float m_pitch = 0.0f, m_roll = 0.0f, m_turn = 0.0f;
    QVector3D m_scale{1.0f, 1.0f, 1.0f};
    bool m_visible = true;

    Material m_material;
    const MaterialLibrary *m_library = nullptr;
    QString m_libMaterialName;

    uint64_t m_id;
    uint64_t m_revision = 0;
    uint64_t m_geometryRevision = 0;
    int m_updateDepth = 0;     // used on the top node only
    bool m_pendingChange = false;
};

// A copy: draws its master's geometry and children again with its own
// placement, material of the master. The master's own visibility does not
// matter to the copy (a hidden master can serve as a template); the
// visibility of the master's children does. Copies of copies work; a copy
// that would draw itself (its master is an ancestor being drawn) is skipped.
class ProxyNode : public SceneNode
{
public:
    explicit ProxyNode(SceneNode *parent = nullptr, SceneNode *master = nullptr);
    ~ProxyNode() override;

    // Null once the master has been deleted.
    SceneNode *masterObject() const { return m_master; }
    void setMasterObject(SceneNode *master);
    // When set, the master's own placement is applied inside the copy's:
    // the copy's position adds to the master's, and so on. When clear
    // (default) the copy's placement replaces the master's.
    bool keepsSourcePlacement() const { return m_keepPlacement; }
    void setKeepsSourcePlacement(bool keep);

private:
    friend class SceneNode;
    SceneNode *m_master = nullptr;
    bool m_keepPlacement = false;
};

// The top of a scene: reports changes of its tree through onChange, once
// per change outside an update and once per outermost update with changes.
class SceneRoot : public SceneNode
{
public:
    SceneRoot() : SceneNode(nullptr) {}
    std::function<void()> onChange;
    // How many changes have been reported so far.
    uint64_t changeReports() const { return m_reports; }

protected:
    void treeChanged() override;

private:
    uint64_t m_reports = 0;
};

// ---------------------------------------------------------------- draw list

// One object to draw: the node whose geometry it is (for a copy, the
// master's), where it goes, and with which material.
struct DrawItem {
    const SceneNode *geometry = nullptr;
    QMatrix4x4 world;
    const Material *material = nullptr;
};

// Everything visible under root, in tree order, with world matrices
// (relative to root's parent frame: root's own placement included).
std::vector<DrawItem> collectDrawItems(const SceneNode &root);
