#pragma once
// The 3D scene graph: nodes with a placement (position, pitch, roll, turn,
// scale, visibility) and ordered children, materials, and copies that draw
// another node's geometry again. Shapes describe their geometry as plain
// vertex lists (TMesh), so the whole graph can be built, moved and checked
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
// They are applied roll first, then pitch, then turn (LocalMatrix), so a
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

enum class TPrimitive { Triangles, TriangleStrip, TriangleFan, Lines, LineStrip };

// One run of vertices drawn with one primitive. Lit parts carry one normal
// per vertex; line parts carry none.
struct TMeshPart {
    TPrimitive Mode = TPrimitive::Triangles;
    std::vector<QVector3D> Vertices;
    std::vector<QVector3D> Normals;

    void Add(const QVector3D &normal, const QVector3D &vertex)
    {
        Normals.push_back(normal);
        Vertices.push_back(vertex);
    }
};

// What a shape draws, in its own coordinates. Triangles are wound
// counter-clockwise seen from the side their normals point to.
struct TMesh {
    std::vector<TMeshPart> Parts;
    // Unlit meshes (lines) are drawn in Color and ignore the material.
    bool Lit = true;
    QVector4D Color{0.0f, 0.0f, 0.0f, 1.0f};
    float LineWidth = 1.0f;
    bool Antialiased = false;

    TMeshPart &AddPart(TPrimitive mode)
    {
        Parts.push_back(TMeshPart{mode, {}, {}});
        return Parts.back();
    }
    int VertexCount() const;
};

// ---------------------------------------------------------------- materials

enum class TBlending { Opaque, Transparency };

// Colours as (red, green, blue, alpha). The defaults are the library's
// defaults; the alpha of Diffuse is the alpha of the drawn surface.
struct TMaterial {
    QVector4D Ambient{0.2f, 0.2f, 0.2f, 1.0f};
    QVector4D Diffuse{0.8f, 0.8f, 0.8f, 1.0f};
    QVector4D Emission{0.0f, 0.0f, 0.0f, 1.0f};
    QVector4D Specular{0.0f, 0.0f, 0.0f, 1.0f};
    float Shininess = 0.0f;
    TBlending Blending = TBlending::Opaque;

    bool IsBlended() const { return Blending != TBlending::Opaque; }
    bool operator==(const TMaterial &) const = default;
};

// Named materials shared by many objects. Entries are never removed, so a
// reference to one stays valid as long as the library.
class TMaterialLibrary
{
public:
    // The material of that name, created with the defaults if it is new.
    TMaterial &Add(const QString &name);
    TMaterial *Find(const QString &name);
    const TMaterial *Find(const QString &name) const;
    QStringList Names() const;
    int Count() const { return int(m_items.size()); }

private:
    std::vector<std::pair<QString, std::unique_ptr<TMaterial>>> m_items;
};

// ---------------------------------------------------------------- nodes

class TProxyNode;

// A group node: placement, visibility, material and ordered children. It
// owns its children; deleting a node deletes its subtree. Shapes derive from
// it and describe their geometry through BuildMesh.
class TSceneNode
{
public:
    // The node is appended to parent's children when parent is given.
    explicit TSceneNode(TSceneNode *parent = nullptr);
    virtual ~TSceneNode();
    TSceneNode(const TSceneNode &) = delete;
    TSceneNode &operator=(const TSceneNode &) = delete;

    // ---- tree
    TSceneNode *Parent() const { return m_parent; }
    int Count() const { return int(m_children.size()); }
    // The child at index, or null when out of range.
    TSceneNode *Child(int index) const;
    int IndexOf(const TSceneNode *child) const;
    // Creates a T (constructed as T(this, args...)) as the last child.
    template <class T, class... Args>
    T *AddNewChild(Args &&...args)
    {
        return new T(this, std::forward<Args>(args)...);
    }
    // Deletes every child (and its subtree); copies of deleted nodes go blank.
    void DeleteChildren();
    // The ancestor without a parent (this node when it has none).
    TSceneNode *TopNode();
    QString Name;

    // ---- placement, relative to the parent
    QVector3D Position() const { return m_position; }
    float X() const { return m_position.x(); }
    float Y() const { return m_position.y(); }
    float Z() const { return m_position.z(); }
    void SetPosition(const QVector3D &p);
    void SetPosition(float x, float y, float z) { SetPosition(QVector3D(x, y, z)); }
    void SetX(float x) { SetPosition(QVector3D(x, m_position.y(), m_position.z())); }
    void SetY(float y) { SetPosition(QVector3D(m_position.x(), y, m_position.z())); }
    void SetZ(float z) { SetPosition(QVector3D(m_position.x(), m_position.y(), z)); }
    float PitchAngle() const { return m_pitch; }
    void SetPitchAngle(float degrees);
    float RollAngle() const { return m_roll; }
    void SetRollAngle(float degrees);
    float TurnAngle() const { return m_turn; }
    void SetTurnAngle(float degrees);
    QVector3D Scale() const { return m_scale; }
    void SetScale(const QVector3D &s);
    void SetScale(float x, float y, float z) { SetScale(QVector3D(x, y, z)); }
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);

    // Rotation alone (turn x pitch x roll).
    QMatrix4x4 RotationMatrix() const;
    // Translation x rotation x scale: node coordinates to the parent's.
    QMatrix4x4 LocalMatrix() const;
    // Node coordinates to the top node's.
    QMatrix4x4 AbsoluteMatrix() const;
    QVector3D AbsolutePosition() const;
    // The node's facing (+z) and up (+y) axes in its parent's coordinates.
    QVector3D Direction() const;
    QVector3D Up() const;

    // ---- material
    // The node's own material; it stops using a library material.
    void SetMaterial(const TMaterial &material);
    const TMaterial &Material() const { return m_material; }
    // Uses the library's material of that name (looked up when drawn, so
    // the library may gain the name later). The library must outlive the
    // node or be replaced before it goes.
    void SetLibMaterial(const TMaterialLibrary *library, const QString &name);
    QString LibMaterialName() const { return m_libMaterialName; }
    // The library's material when one is named and found, else the own one.
    const TMaterial &EffectiveMaterial() const;

    // ---- geometry (shapes)
    virtual bool HasGeometry() const { return false; }
    // Fills mesh with the shape in node coordinates.
    virtual void BuildMesh(TMesh &mesh) const { (void)mesh; }
    // Raised whenever the mesh would come out differently.
    uint64_t GeometryRevision() const { return m_geometryRevision; }

    // ---- change tracking
    // Unique for the lifetime of the program (never reused).
    uint64_t Id() const { return m_id; }
    // Raised by every change of this node (placement, material, geometry,
    // its list of children).
    uint64_t Revision() const { return m_revision; }
    // Brackets a batch of changes anywhere in this node's tree: the tree
    // reports one change at the outermost EndUpdate instead of one per edit.
    void BeginUpdate();
    void EndUpdate();
    bool InUpdate();

protected:
    // Marks the node changed and tells the tree.
    void Changed();
    // Marks the geometry changed (and the node).
    void GeometryChanged();
    // Stores value in member; a different value is a change (of the
    // geometry for SetGeometryField).
    template <class T>
    void SetField(T &member, const T &value)
    {
        if (member == value)
            return;
        member = value;
        Changed();
    }
    template <class T>
    void SetGeometryField(T &member, const T &value)
    {
        if (member == value)
            return;
        member = value;
        GeometryChanged();
    }
    // Called on the top node when its tree changed, outside any update.
    virtual void TreeChanged() {}

private:
    friend class TProxyNode;
    void ReportChange();

    TSceneNode *m_parent = nullptr;
    std::vector<TSceneNode *> m_children;
    std::vector<TProxyNode *> m_proxies; // copies that draw this node
    bool m_deleting = false;

    QVector3D m_position{0.0f, 0.0f, 0.0f};
    float m_pitch = 0.0f, m_roll = 0.0f, m_turn = 0.0f;
    QVector3D m_scale{1.0f, 1.0f, 1.0f};
    bool m_visible = true;

    TMaterial m_material;
    const TMaterialLibrary *m_library = nullptr;
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
class TProxyNode : public TSceneNode
{
public:
    explicit TProxyNode(TSceneNode *parent = nullptr, TSceneNode *master = nullptr);
    ~TProxyNode() override;

    // Null once the master has been deleted.
    TSceneNode *MasterObject() const { return m_master; }
    void SetMasterObject(TSceneNode *master);
    // When set, the master's own placement is applied inside the copy's:
    // the copy's position adds to the master's, and so on. When clear
    // (default) the copy's placement replaces the master's.
    bool KeepsSourcePlacement() const { return m_keepPlacement; }
    void SetKeepsSourcePlacement(bool keep);

private:
    friend class TSceneNode;
    TSceneNode *m_master = nullptr;
    bool m_keepPlacement = false;
};

// The top of a scene: reports changes of its tree through OnChange, once
// per change outside an update and once per outermost update with changes.
class TSceneRoot : public TSceneNode
{
public:
    TSceneRoot() : TSceneNode(nullptr) {}
    std::function<void()> OnChange;
    // How many changes have been reported so far.
    uint64_t ChangeReports() const { return m_reports; }

protected:
    void TreeChanged() override;

private:
    uint64_t m_reports = 0;
};

// ---------------------------------------------------------------- draw list

// One object to draw: the node whose geometry it is (for a copy, the
// master's), where it goes, and with which material.
struct TDrawItem {
    const TSceneNode *Geometry = nullptr;
    QMatrix4x4 World;
    const TMaterial *Material = nullptr;
};

// Everything visible under root, in tree order, with world matrices
// (relative to root's parent frame: root's own placement included).
std::vector<TDrawItem> CollectDrawItems(const TSceneNode &root);
