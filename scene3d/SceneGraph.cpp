#include "scene3d/SceneGraph.h"

#include <algorithm>
#include <atomic>

namespace {
std::atomic<uint64_t> g_nextId{1};
}

int TMesh::VertexCount() const
{
    int n = 0;
    for (const TMeshPart &p : Parts)
        n += int(p.Vertices.size());
    return n;
}

// ---------------------------------------------------------------- library

TMaterial &TMaterialLibrary::Add(const QString &name)
{
    if (TMaterial *m = Find(name))
        return *m;
    m_items.emplace_back(name, std::make_unique<TMaterial>());
    return *m_items.back().second;
}

TMaterial *TMaterialLibrary::Find(const QString &name)
{
    for (auto &item : m_items)
        if (item.first.compare(name, Qt::CaseInsensitive) == 0)
            return item.second.get();
    return nullptr;
}

const TMaterial *TMaterialLibrary::Find(const QString &name) const
{
    return const_cast<TMaterialLibrary *>(this)->Find(name);
}

QStringList TMaterialLibrary::Names() const
{
    QStringList names;
    for (const auto &item : m_items)
        names << item.first;
    return names;
}

// ---------------------------------------------------------------- node

TSceneNode::TSceneNode(TSceneNode *parent) : m_parent(parent), m_id(g_nextId++)
{
    if (m_parent) {
        m_parent->m_children.push_back(this);
        m_parent->Changed();
    }
}

TSceneNode::~TSceneNode()
{
    m_deleting = true;
    for (TProxyNode *p : m_proxies)
        p->m_master = nullptr;
    m_proxies.clear();
    // Children go last to first, so none of them looks for a sibling that
    // is already gone.
    while (!m_children.empty()) {
        TSceneNode *c = m_children.back();
        m_children.pop_back();
        c->m_parent = nullptr;
        delete c;
    }
    if (m_parent && !m_parent->m_deleting) {
        auto &siblings = m_parent->m_children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        m_parent->Changed();
    }
}

TSceneNode *TSceneNode::Child(int index) const
{
    if (index < 0 || index >= int(m_children.size()))
        return nullptr;
    return m_children[size_t(index)];
}

int TSceneNode::IndexOf(const TSceneNode *child) const
{
    const auto it = std::find(m_children.begin(), m_children.end(), child);
    return it == m_children.end() ? -1 : int(it - m_children.begin());
}

void TSceneNode::DeleteChildren()
{
    if (m_children.empty())
        return;
    BeginUpdate();
    while (!m_children.empty())
        delete m_children.back(); // unlinks itself
    EndUpdate();
}

TSceneNode *TSceneNode::TopNode()
{
    TSceneNode *n = this;
    while (n->m_parent)
        n = n->m_parent;
    return n;
}

void TSceneNode::SetPosition(const QVector3D &p)
{
    SetField(m_position, p);
}

void TSceneNode::SetPitchAngle(float degrees)
{
    SetField(m_pitch, degrees);
}

void TSceneNode::SetRollAngle(float degrees)
{
    SetField(m_roll, degrees);
}

void TSceneNode::SetTurnAngle(float degrees)
{
    SetField(m_turn, degrees);
}

void TSceneNode::SetScale(const QVector3D &s)
{
    SetField(m_scale, s);
}

void TSceneNode::SetVisible(bool visible)
{
    SetField(m_visible, visible);
}

QMatrix4x4 TSceneNode::RotationMatrix() const
{
    QMatrix4x4 m;
    if (m_turn != 0.0f)
        m.rotate(m_turn, 0.0f, 1.0f, 0.0f);
    // Positive pitch lifts +z towards +y: a right-handed turn about -x.
    if (m_pitch != 0.0f)
        m.rotate(-m_pitch, 1.0f, 0.0f, 0.0f);
    if (m_roll != 0.0f)
        m.rotate(m_roll, 0.0f, 0.0f, 1.0f);
    return m;
}

QMatrix4x4 TSceneNode::LocalMatrix() const
{
    QMatrix4x4 m;
    m.translate(m_position);
    m *= RotationMatrix();
    if (m_scale != QVector3D(1.0f, 1.0f, 1.0f))
        m.scale(m_scale);
    return m;
}

QMatrix4x4 TSceneNode::AbsoluteMatrix() const
{
    QMatrix4x4 m = LocalMatrix();
    for (const TSceneNode *p = m_parent; p; p = p->m_parent)
        m = p->LocalMatrix() * m;
    return m;
}

QVector3D TSceneNode::AbsolutePosition() const
{
    return AbsoluteMatrix().map(QVector3D(0.0f, 0.0f, 0.0f));
}

QVector3D TSceneNode::Direction() const
{
    return RotationMatrix().mapVector(QVector3D(0.0f, 0.0f, 1.0f));
}

QVector3D TSceneNode::Up() const
{
    return RotationMatrix().mapVector(QVector3D(0.0f, 1.0f, 0.0f));
}

void TSceneNode::SetMaterial(const TMaterial &material)
{
    if (material == m_material && !m_library)
        return;
    m_material = material;
    m_library = nullptr;
    m_libMaterialName.clear();
    Changed();
}

void TSceneNode::SetLibMaterial(const TMaterialLibrary *library, const QString &name)
{
    m_library = library;
    m_libMaterialName = library ? name : QString();
    Changed();
}

const TMaterial &TSceneNode::EffectiveMaterial() const
{
    if (m_library && !m_libMaterialName.isEmpty())
        if (const TMaterial *m = m_library->Find(m_libMaterialName))
            return *m;
    return m_material;
}

void TSceneNode::BeginUpdate()
{
    ++TopNode()->m_updateDepth;
}

void TSceneNode::EndUpdate()
{
    TSceneNode *top = TopNode();
    if (top->m_updateDepth <= 0)
        return; // unbalanced: nothing to end
    if (--top->m_updateDepth == 0 && top->m_pendingChange) {
        top->m_pendingChange = false;
        top->TreeChanged();
    }
}

bool TSceneNode::InUpdate()
{
    return TopNode()->m_updateDepth > 0;
}

void TSceneNode::Changed()
{
    ++m_revision;
    ReportChange();
}

void TSceneNode::GeometryChanged()
{
    ++m_geometryRevision;
    Changed();
}

void TSceneNode::ReportChange()
{
    TSceneNode *top = TopNode();
    if (top->m_deleting)
        return;
    if (top->m_updateDepth > 0)
        top->m_pendingChange = true;
    else
        top->TreeChanged();
}

// ---------------------------------------------------------------- proxy

TProxyNode::TProxyNode(TSceneNode *parent, TSceneNode *master) : TSceneNode(parent)
{
    SetMasterObject(master);
}

TProxyNode::~TProxyNode()
{
    SetMasterObject(nullptr);
}

void TProxyNode::SetMasterObject(TSceneNode *master)
{
    if (master == m_master)
        return;
    if (m_master) {
        auto &list = m_master->m_proxies;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    m_master = master;
    if (m_master)
        m_master->m_proxies.push_back(this);
    Changed();
}

void TProxyNode::SetKeepsSourcePlacement(bool keep)
{
    SetField(m_keepPlacement, keep);
}

// ---------------------------------------------------------------- root

void TSceneRoot::TreeChanged()
{
    ++m_reports;
    if (OnChange)
        OnChange();
}

// ---------------------------------------------------------------- draw list

namespace {

// Nodes whose subtree is being drawn through a copy; a copy of one of them
// would draw itself without end.
using Chain = std::vector<const TSceneNode *>;

void collectSubtree(const TSceneNode &node, const QMatrix4x4 &world, Chain &chain,
                    std::vector<TDrawItem> &items);

void collectNode(const TSceneNode &node, const QMatrix4x4 &parentWorld, Chain &chain,
                 std::vector<TDrawItem> &items)
{
    if (!node.Visible())
        return;
    collectSubtree(node, parentWorld * node.LocalMatrix(), chain, items);
}

// The node's own drawing and its children, the node placed by world.
void collectSubtree(const TSceneNode &node, const QMatrix4x4 &world, Chain &chain,
                    std::vector<TDrawItem> &items)
{
    if (auto *proxy = dynamic_cast<const TProxyNode *>(&node)) {
        const TSceneNode *master = proxy->MasterObject();
        if (master && std::find(chain.begin(), chain.end(), master) == chain.end()) {
            chain.push_back(master);
            collectSubtree(*master, proxy->KeepsSourcePlacement() ? world * master->LocalMatrix() : world,
                           chain, items);
            chain.pop_back();
        }
    } else if (node.HasGeometry()) {
        items.push_back(TDrawItem{&node, world, &node.EffectiveMaterial()});
    }
    chain.push_back(&node);
    for (int i = 0; i < node.Count(); ++i)
        collectNode(*node.Child(i), world, chain, items);
    chain.pop_back();
}

} // namespace

std::vector<TDrawItem> CollectDrawItems(const TSceneNode &root)
{
    std::vector<TDrawItem> items;
    Chain chain;
    collectNode(root, QMatrix4x4(), chain, items);
    return items;
}
