#include "scene3d/SceneGraph.h"

#include <algorithm>
#include <atomic>

namespace {
std::atomic<uint64_t> g_nextId{1};
}

int Mesh::vertexCount() const
{
    int n = 0;
    for (const MeshPart &p : parts)
        n += int(p.vertices.size());
    return n;
}

// ---------------------------------------------------------------- library

Material &MaterialLibrary::add(const QString &name)
{
    if (Material *m = find(name))
        return *m;
    m_items.emplace_back(name, std::make_unique<Material>());
    return *m_items.back().second;
}

Material *MaterialLibrary::find(const QString &name)
{
    for (auto &item : m_items)
        if (item.first.compare(name, Qt::CaseInsensitive) == 0)
            return item.second.get();
    return nullptr;
}

const Material *MaterialLibrary::find(const QString &name) const
{
    return const_cast<MaterialLibrary *>(this)->find(name);
}

QStringList MaterialLibrary::names() const
{
    QStringList names;
    for (const auto &item : m_items)
        names << item.first;
    return names;
}

// ---------------------------------------------------------------- node

SceneNode::SceneNode(SceneNode *parent) : m_parent(parent), m_id(g_nextId++)
{
    if (m_parent) {
        m_parent->m_children.push_back(this);
        m_parent->changed();
    }
}

SceneNode::~SceneNode()
{
    m_deleting = true;
    for (ProxyNode *p : m_proxies)
        p->m_master = nullptr;
    m_proxies.clear();
    // Children go last to first, so none of them looks for a sibling that
    // is already gone.
    while (!m_children.empty()) {
        SceneNode *c = m_children.back();
        m_children.pop_back();
        c->m_parent = nullptr;
        delete c;
    }
    if (m_parent && !m_parent->m_deleting) {
        auto &siblings = m_parent->m_children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        m_parent->changed();
    }
}

SceneNode *SceneNode::child(int index) const
{
    if (index < 0 || index >= int(m_children.size()))
        return nullptr;
    return m_children[size_t(index)];
}

int SceneNode::indexOf(const SceneNode *child) const
{
    const auto it = std::find(m_children.begin(), m_children.end(), child);
    return it == m_children.end() ? -1 : int(it - m_children.begin());
}

void SceneNode::deleteChildren()
{
    if (m_children.empty())
        return;
    beginUpdate();
    while (!m_children.empty())
        delete m_children.back(); // unlinks itself
    endUpdate();
}

SceneNode *SceneNode::topNode()
{
    SceneNode *n = this;
    while (n->m_parent)
        n = n->m_parent;
    return n;
}

void SceneNode::setPosition(const QVector3D &p)
{
    setField(m_position, p);
}

void SceneNode::setPitchAngle(float degrees)
{
    setField(m_pitch, degrees);
}

void SceneNode::setRollAngle(float degrees)
{
    setField(m_roll, degrees);
}

void SceneNode::setTurnAngle(float degrees)
{
    setField(m_turn, degrees);
}

void SceneNode::setScale(const QVector3D &s)
{
    setField(m_scale, s);
}

void SceneNode::setVisible(bool visible)
{
    setField(m_visible, visible);
}

QMatrix4x4 SceneNode::rotationMatrix() const
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

QMatrix4x4 SceneNode::localMatrix() const
{
    QMatrix4x4 m;
    m.translate(m_position);
    m *= rotationMatrix();
    if (m_scale != QVector3D(1.0f, 1.0f, 1.0f))
        m.scale(m_scale);
    return m;
}

QMatrix4x4 SceneNode::absoluteMatrix() const
{
    QMatrix4x4 m = localMatrix();
    for (const SceneNode *p = m_parent; p; p = p->m_parent)
        m = p->localMatrix() * m;
    return m;
}

QVector3D SceneNode::absolutePosition() const
{
    return absoluteMatrix().map(QVector3D(0.0f, 0.0f, 0.0f));
}

QVector3D SceneNode::direction() const
{
    return rotationMatrix().mapVector(QVector3D(0.0f, 0.0f, 1.0f));
}

QVector3D SceneNode::up() const
{
    return rotationMatrix().mapVector(QVector3D(0.0f, 1.0f, 0.0f));
}

void SceneNode::setMaterial(const Material &material)
{
    if (material == m_material && !m_library)
        return;
    m_material = material;
    m_library = nullptr;
    m_libMaterialName.clear();
    changed();
}

void SceneNode::setLibraryMaterial(const MaterialLibrary *library, const QString &name)
{
    m_library = library;
    m_libMaterialName = library ? name : QString();
    changed();
}

const Material &SceneNode::effectiveMaterial() const
{
    if (m_library && !m_libMaterialName.isEmpty())
        if (const Material *m = m_library->find(m_libMaterialName))
            return *m;
    return m_material;
}

void SceneNode::beginUpdate()
{
    ++topNode()->m_updateDepth;
}

void SceneNode::endUpdate()
{
    SceneNode *top = topNode();
    if (top->m_updateDepth <= 0)
        return; // unbalanced: nothing to end
    if (--top->m_updateDepth == 0 && top->m_pendingChange) {
        top->m_pendingChange = false;
        top->treeChanged();
    }
}

bool SceneNode::inUpdate()
{
    return topNode()->m_updateDepth > 0;
}

void SceneNode::changed()
{
    ++m_revision;
    reportChange();
}

void SceneNode::geometryChanged()
{
    ++m_geometryRevision;
    changed();
}

void SceneNode::reportChange()
{
    SceneNode *top = topNode();
    if (top->m_deleting)
        return;
    if (top->m_updateDepth > 0)
        top->m_pendingChange = true;
    else
        top->treeChanged();
}

// ---------------------------------------------------------------- proxy

ProxyNode::ProxyNode(SceneNode *parent, SceneNode *master) : SceneNode(parent)
{
    setMasterObject(master);
}

ProxyNode::~ProxyNode()
{
    setMasterObject(nullptr);
}

void ProxyNode::setMasterObject(SceneNode *master)
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
    changed();
}

void ProxyNode::setKeepsSourcePlacement(bool keep)
{
    setField(m_keepPlacement, keep);
}

// ---------------------------------------------------------------- root

void SceneRoot::treeChanged()
{
    ++m_reports;
    if (onChange)
        onChange();
}

// ---------------------------------------------------------------- draw list

namespace {

// Nodes whose subtree is being drawn through a copy; a copy of one of them
// would draw itself without end.
using Chain = std::vector<const SceneNode *>;

void collectSubtree(const SceneNode &node, const QMatrix4x4 &world, Chain &chain,
                    std::vector<DrawItem> &items);

void collectNode(const SceneNode &node, const QMatrix4x4 &parentWorld, Chain &chain,
                 std::vector<DrawItem> &items)
{
    if (!node.visible())
        return;
    collectSubtree(node, parentWorld * node.localMatrix(), chain, items);
}

// The node's own drawing and its children, the node placed by world.
void collectSubtree(const SceneNode &node, const QMatrix4x4 &world, Chain &chain,
                    std::vector<DrawItem> &items)
{
    if (auto *proxy = dynamic_cast<const ProxyNode *>(&node)) {
        const SceneNode *master = proxy->masterObject();
        if (master && std::find(chain.begin(), chain.end(), master) == chain.end()) {
            chain.push_back(master);
            collectSubtree(*master, proxy->keepsSourcePlacement() ? world * master->localMatrix() : world,
                           chain, items);
            chain.pop_back();
        }
    } else if (node.hasGeometry()) {
        items.push_back(DrawItem{&node, world, &node.effectiveMaterial()});
    }
    chain.push_back(&node);
    for (int i = 0; i < node.count(); ++i)
        collectNode(*node.child(i), world, chain, items);
    chain.pop_back();
}

} // namespace

std::vector<DrawItem> collectDrawItems(const SceneNode &root)
{
    std::vector<DrawItem> items;
    Chain chain;
    collectNode(root, QMatrix4x4(), chain, items);
    return items;
}
