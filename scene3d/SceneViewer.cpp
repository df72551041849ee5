#include "scene3d/SceneViewer.h"

#include "scene3d/Scene3D.h"

#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLShaderProgram>
#include <QOpenGLVertexArrayObject>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace {

// Lighting of the classic fixed pipeline for one point light, evaluated per
// fragment; back faces are lit as front faces turned round, so flat shapes
// show both sides.
const char *kVertexShader = R"(
IN vec3 aPos;
IN vec3 aNormal;
uniform mat4 uMvp;
uniform mat4 uModelView;
uniform mat3 uNormalMatrix;
OUT vec3 vEyePos;
OUT vec3 vNormal;
void main()
{
    vec4 p = uModelView * vec4(aPos, 1.0);
    vEyePos = p.xyz;
    vNormal = uNormalMatrix * aNormal;
    gl_Position = uMvp * vec4(aPos, 1.0);
}
)";

const char *kFragmentShader = R"(
IN vec3 vEyePos;
IN vec3 vNormal;
uniform int uLit;
uniform vec4 uColor;
uniform vec4 uAmbient;
uniform vec4 uDiffuse;
uniform vec4 uEmission;
uniform vec4 uSpecular;
uniform float uShininess;
uniform vec4 uGlobalAmbient;
uniform vec4 uLightAmbient;
uniform vec4 uLightDiffuse;
uniform vec4 uLightSpecular;
uniform vec3 uLightPos;
uniform vec3 uAttenuation;
void main()
{
    if (uLit == 0) {
        FRAG_COLOR = uColor;
        return;
    }
    vec3 n = vNormal;
    float len = length(n);
    n = len > 0.0 ? n / len : vec3(0.0, 0.0, 1.0);
    if (!gl_FrontFacing)
        n = -n;
    vec3 toLight = uLightPos - vEyePos;
    float dist = length(toLight);
    vec3 l = dist > 0.0 ? toLight / dist : vec3(0.0, 0.0, 1.0);
    float att = 1.0 / max(uAttenuation.x + uAttenuation.y * dist + uAttenuation.z * dist * dist, 1e-6);
    float nl = max(dot(n, l), 0.0);
    float highlight = 0.0;
    if (nl > 0.0) {
        vec3 h = normalize(l + normalize(-vEyePos));
        highlight = uShininess > 0.0 ? pow(max(dot(n, h), 0.0), uShininess) : 1.0;
    }
    vec3 c = uEmission.rgb + uAmbient.rgb * uGlobalAmbient.rgb
           + att * (uAmbient.rgb * uLightAmbient.rgb + nl * uDiffuse.rgb * uLightDiffuse.rgb
                    + highlight * uSpecular.rgb * uLightSpecular.rgb);
    FRAG_COLOR = vec4(clamp(c, 0.0, 1.0), uDiffuse.a);
}
)";

GLenum glMode(Primitive mode)
{
    switch (mode) {
    case Primitive::Triangles: return GL_TRIANGLES;
    case Primitive::TriangleStrip: return GL_TRIANGLE_STRIP;
    case Primitive::TriangleFan: return GL_TRIANGLE_FAN;
    case Primitive::Lines: return GL_LINES;
    case Primitive::LineStrip: return GL_LINE_STRIP;
    }
    return GL_TRIANGLES;
}

QColor bgrColor(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

} // namespace

SceneViewer::SceneViewer(QWidget *parent) : QOpenGLWidget(parent)
{
    QSurfaceFormat f = format();
    f.setSamples(4);
    f.setDepthBufferSize(24);
    setFormat(f);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(false);
}

SceneViewer::~SceneViewer()
{
    setScene(nullptr);
    if (context()) {
        // The context dies in the base destructor, after this object's
        // members: it must not call back into them.
        disconnect(context(), nullptr, this, nullptr);
        makeCurrent();
        releaseGl();
        doneCurrent();
    }
}

bool SceneViewer::isOpenGLAvailable()
{
    static const bool available = [] {
        QOpenGLContext ctx;
        if (!ctx.create())
            return false;
        QOffscreenSurface surface;
        surface.setFormat(ctx.format());
        surface.create();
        if (!surface.isValid() || !ctx.makeCurrent(&surface))
            return false;
        ctx.doneCurrent();
        return true;
    }();
    return available;
}

void SceneViewer::setBackgroundColor(quint32 bgr)
{
    m_background = bgr & 0x00FFFFFF;
    update();
}

void SceneViewer::setScene(Scene3D *scene)
{
    if (m_scene)
        m_scene->root().onChange = nullptr;
    m_scene = scene;
    if (m_scene)
        m_scene->root().onChange = [this] { update(); };
    update();
}

void SceneViewer::initializeGL()
{
    initializeOpenGLFunctions();
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
        makeCurrent();
        releaseGl();
        doneCurrent();
    });
    m_core = context()->format().profile() == QSurfaceFormat::CoreProfile;
    const bool es = context()->isOpenGLES();
    QByteArray vsHead, fsHead;
    if (es) {
        vsHead = "#define IN attribute\n#define OUT varying\n";
        fsHead = "precision mediump float;\n#define IN varying\n#define FRAG_COLOR gl_FragColor\n";
    } else if (m_core) {
        vsHead = "#version 150 core\n#define IN in\n#define OUT out\n";
        fsHead = "#version 150 core\n#define IN in\nout vec4 fragColor;\n#define FRAG_COLOR fragColor\n";
    } else {
        vsHead = "#version 120\n#define IN attribute\n#define OUT varying\n";
        fsHead = "#version 120\n#define IN varying\n#define FRAG_COLOR gl_FragColor\n";
    }
    m_program = std::make_unique<QOpenGLShaderProgram>();
    const bool ok = m_program->addShaderFromSourceCode(QOpenGLShader::Vertex, vsHead + kVertexShader)
                    && m_program->addShaderFromSourceCode(QOpenGLShader::Fragment, fsHead + kFragmentShader)
                    && (m_program->bindAttributeLocation("aPos", 0),
                        m_program->bindAttributeLocation("aNormal", 1), m_program->link());
    if (!ok) {
        m_error = tr("The 3D view cannot be drawn: the graphics driver rejected its shaders.");
        qWarning("3D view: %s", qPrintable(m_program->log()));
        m_program.reset();
        return;
    }
    m_vao = std::make_unique<QOpenGLVertexArrayObject>();
    if (!m_vao->create())
        m_vao.reset(); // fine outside the core profile
}

void SceneViewer::releaseGl()
{
    m_meshes.clear();
    m_vao.reset();
    m_program.reset();
}

SceneViewer::GpuMesh *SceneViewer::meshFor(const SceneNode &node)
{
    auto &slot = m_meshes[node.id()];
    if (slot && slot->revision == node.geometryRevision()) {
        slot->used = true;
        return slot.get();
    }
    if (!slot)
        slot = std::make_unique<GpuMesh>();
    Mesh mesh;
    node.buildMesh(mesh);
    std::vector<float> data;
    data.reserve(size_t(mesh.vertexCount()) * 6);
    slot->parts.clear();
    int first = 0;
    for (const MeshPart &part : mesh.parts) {
        const bool hasNormals = part.normals.size() == part.vertices.size();
        for (size_t i = 0; i < part.vertices.size(); ++i) {
            const QVector3D &v = part.vertices[i];
            const QVector3D n = hasNormals ? part.normals[i] : QVector3D();
            data.insert(data.end(), {v.x(), v.y(), v.z(), n.x(), n.y(), n.z()});
        }
        const int count = int(part.vertices.size());
        if (count > 0)
            slot->parts.push_back(GpuPart{part.mode, first, count});
        first += count;
    }
    if (!slot->buffer.isCreated()) {
        slot->buffer.create();
        slot->buffer.setUsagePattern(QOpenGLBuffer::DynamicDraw);
    }
    slot->buffer.bind();
    slot->buffer.allocate(data.data(), int(data.size() * sizeof(float)));
    slot->buffer.release();
    mesh.parts.clear();
    slot->style = std::move(mesh);
    slot->revision = node.geometryRevision();
    slot->used = true;
    return slot.get();
}

void SceneViewer::drawItem(const DrawItem &item, GpuMesh &mesh, const QMatrix4x4 &view,
                         const QMatrix4x4 &projection)
{
    if (mesh.parts.empty())
        return;
    const QMatrix4x4 modelView = view * item.world;
    m_program->setUniformValue("uMvp", projection * modelView);
    m_program->setUniformValue("uModelView", modelView);
    m_program->setUniformValue("uNormalMatrix", modelView.normalMatrix());
    const Mesh &style = mesh.style;
    m_program->setUniformValue("uLit", style.lit ? 1 : 0);
    if (style.lit) {
        const Material &m = *item.material;
        m_program->setUniformValue("uAmbient", m.ambient);
        m_program->setUniformValue("uDiffuse", m.diffuse);
        m_program->setUniformValue("uEmission", m.emission);
        m_program->setUniformValue("uSpecular", m.specular);
        m_program->setUniformValue("uShininess", m.shininess);
    } else {
        m_program->setUniformValue("uColor", style.color);
        if (!m_core)
            glLineWidth(std::max(style.lineWidth, 1.0f));
        if (style.antialiased && !m_core && !context()->isOpenGLES())
            glEnable(GL_LINE_SMOOTH);
    }

    mesh.buffer.bind();
    m_program->enableAttributeArray(0);
    m_program->enableAttributeArray(1);
    m_program->setAttributeBuffer(0, GL_FLOAT, 0, 3, 6 * sizeof(float));
    m_program->setAttributeBuffer(1, GL_FLOAT, 3 * sizeof(float), 3, 6 * sizeof(float));
    for (const GpuPart &p : mesh.parts)
        glDrawArrays(glMode(p.mode), p.first, p.count);
    mesh.buffer.release();

    if (!style.lit && style.antialiased && !m_core && !context()->isOpenGLES())
        glDisable(GL_LINE_SMOOTH);
}

void SceneViewer::paintGL()
{
    glGetIntegerv(GL_SAMPLES, &m_samples);
    const QColor bg = bgrColor(m_background);
    glClearColor(float(bg.redF()), float(bg.greenF()), float(bg.blueF()), 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!m_error.isEmpty()) {
        paintMessage(m_error);
        return;
    }
    if (!m_scene || !m_program)
        return;

    const Camera &camera = *m_scene->camera();
    const QMatrix4x4 view = camera.viewMatrix();
    const QMatrix4x4 projection = camera.projectionMatrix(float(width()), float(height()));
    std::vector<DrawItem> items = collectDrawItems(m_scene->root());

    // Opaque first in scene order; translucent after them, farthest first,
    // without writing depth so they do not hide each other.
    std::vector<std::pair<float, const DrawItem *>> blended;
    std::vector<const DrawItem *> opaque;
    for (const DrawItem &item : items) {
        if (item.material && item.material->isBlended())
            blended.emplace_back((view * item.world).map(QVector3D()).z(), &item);
        else
            opaque.push_back(&item);
    }
    std::stable_sort(blended.begin(), blended.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });

    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    if (m_vao)
        m_vao->bind();
    m_program->bind();
    const LightSource &light = *m_scene->light();
    m_program->setUniformValue("uGlobalAmbient", m_scene->globalAmbient());
    m_program->setUniformValue("uLightAmbient", light.ambient);
    m_program->setUniformValue("uLightDiffuse", light.diffuse);
    m_program->setUniformValue("uLightSpecular", light.specular);
    m_program->setUniformValue("uLightPos", view.map(light.absolutePosition()));
    m_program->setUniformValue("uAttenuation", QVector3D(light.constAttenuation, light.linearAttenuation,
                                                         light.quadraticAttenuation));

    for (auto &entry : m_meshes)
        entry.second->used = false;
    glDepthMask(GL_TRUE);
    for (const DrawItem *item : opaque)
        if (GpuMesh *mesh = meshFor(*item->geometry))
            drawItem(*item, *mesh, view, projection);
    glDepthMask(GL_FALSE);
    for (const auto &entry : blended)
        if (GpuMesh *mesh = meshFor(*entry.second->geometry))
            drawItem(*entry.second, *mesh, view, projection);
    glDepthMask(GL_TRUE);

    m_program->release();
    if (m_vao)
        m_vao->release();
    // Meshes of deleted or hidden objects go.
    for (auto it = m_meshes.begin(); it != m_meshes.end();)
        it = it->second->used ? std::next(it) : m_meshes.erase(it);
    ++m_frames;
}

void SceneViewer::paintMessage(const QString &text)
{
    QPainter p(this);
    p.setPen(bgrColor(m_background).lightness() > 128 ? Qt::black : Qt::white);
    p.drawText(rect().adjusted(10, 10, -10, -10), Qt::AlignCenter | Qt::TextWordWrap, text);
}

// ---------------------------------------------------------------- input

void SceneViewer::mousePressEvent(QMouseEvent *event)
{
    emit mousePressed(event->button(), event->position());
    event->accept();
}

void SceneViewer::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event->buttons(), event->position());
    event->accept();
}

void SceneViewer::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    event->accept();
}

void SceneViewer::wheelEvent(QWheelEvent *event)
{
    emit wheelTurned(event->angleDelta().y());
    event->accept();
}
