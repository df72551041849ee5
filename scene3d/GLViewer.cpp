#include "scene3d/GLViewer.h"

#include "scene3d/GLScene.h"

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

GLenum glMode(TPrimitive mode)
{
    switch (mode) {
    case TPrimitive::Triangles: return GL_TRIANGLES;
    case TPrimitive::TriangleStrip: return GL_TRIANGLE_STRIP;
    case TPrimitive::TriangleFan: return GL_TRIANGLE_FAN;
    case TPrimitive::Lines: return GL_LINES;
    case TPrimitive::LineStrip: return GL_LINE_STRIP;
    }
    return GL_TRIANGLES;
}

QColor bgrColor(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

} // namespace

TGLViewer::TGLViewer(QWidget *parent) : QOpenGLWidget(parent)
{
    QSurfaceFormat f = format();
    f.setSamples(4);
    f.setDepthBufferSize(24);
    setFormat(f);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(false);
}

TGLViewer::~TGLViewer()
{
    SetScene(nullptr);
    if (context()) {
        // The context dies in the base destructor, after this object's
        // members: it must not call back into them.
        disconnect(context(), nullptr, this, nullptr);
        makeCurrent();
        ReleaseGL();
        doneCurrent();
    }
}

bool TGLViewer::OpenGLAvailable()
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

void TGLViewer::SetBackgroundColor(quint32 bgr)
{
    m_background = bgr & 0x00FFFFFF;
    update();
}

void TGLViewer::SetScene(TGLScene *scene)
{
    if (m_scene)
        m_scene->Objects.OnChange = nullptr;
    m_scene = scene;
    if (m_scene)
        m_scene->Objects.OnChange = [this] { update(); };
    update();
}

void TGLViewer::initializeGL()
{
    initializeOpenGLFunctions();
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
        makeCurrent();
        ReleaseGL();
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

void TGLViewer::ReleaseGL()
{
    m_meshes.clear();
    m_vao.reset();
    m_program.reset();
}

TGLViewer::GpuMesh *TGLViewer::MeshFor(const TSceneNode &node)
{
    auto &slot = m_meshes[node.Id()];
    if (slot && slot->revision == node.GeometryRevision()) {
        slot->used = true;
        return slot.get();
    }
    if (!slot)
        slot = std::make_unique<GpuMesh>();
    TMesh mesh;
    node.BuildMesh(mesh);
    std::vector<float> data;
    data.reserve(size_t(mesh.VertexCount()) * 6);
    slot->parts.clear();
    int first = 0;
    for (const TMeshPart &part : mesh.Parts) {
        const bool hasNormals = part.Normals.size() == part.Vertices.size();
        for (size_t i = 0; i < part.Vertices.size(); ++i) {
            const QVector3D &v = part.Vertices[i];
            const QVector3D n = hasNormals ? part.Normals[i] : QVector3D();
            data.insert(data.end(), {v.x(), v.y(), v.z(), n.x(), n.y(), n.z()});
        }
        const int count = int(part.Vertices.size());
        if (count > 0)
            slot->parts.push_back(GpuPart{part.Mode, first, count});
        first += count;
    }
    if (!slot->buffer.isCreated()) {
        slot->buffer.create();
        slot->buffer.setUsagePattern(QOpenGLBuffer::DynamicDraw);
    }
    slot->buffer.bind();
    slot->buffer.allocate(data.data(), int(data.size() * sizeof(float)));
    slot->buffer.release();
    mesh.Parts.clear();
    slot->style = std::move(mesh);
    slot->revision = node.GeometryRevision();
    slot->used = true;
    return slot.get();
}

void TGLViewer::DrawItem(const TDrawItem &item, GpuMesh &mesh, const QMatrix4x4 &view,
                         const QMatrix4x4 &projection)
{
    if (mesh.parts.empty())
        return;
    const QMatrix4x4 modelView = view * item.World;
    m_program->setUniformValue("uMvp", projection * modelView);
    m_program->setUniformValue("uModelView", modelView);
    m_program->setUniformValue("uNormalMatrix", modelView.normalMatrix());
    const TMesh &style = mesh.style;
    m_program->setUniformValue("uLit", style.Lit ? 1 : 0);
    if (style.Lit) {
        const TMaterial &m = *item.Material;
        m_program->setUniformValue("uAmbient", m.Ambient);
        m_program->setUniformValue("uDiffuse", m.Diffuse);
        m_program->setUniformValue("uEmission", m.Emission);
        m_program->setUniformValue("uSpecular", m.Specular);
        m_program->setUniformValue("uShininess", m.Shininess);
    } else {
        m_program->setUniformValue("uColor", style.Color);
        if (!m_core)
            glLineWidth(std::max(style.LineWidth, 1.0f));
        if (style.Antialiased && !m_core && !context()->isOpenGLES())
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

    if (!style.Lit && style.Antialiased && !m_core && !context()->isOpenGLES())
        glDisable(GL_LINE_SMOOTH);
}

void TGLViewer::paintGL()
{
    glGetIntegerv(GL_SAMPLES, &m_samples);
    const QColor bg = bgrColor(m_background);
    glClearColor(float(bg.redF()), float(bg.greenF()), float(bg.blueF()), 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!m_error.isEmpty()) {
        PaintMessage(m_error);
        return;
    }
    if (!m_scene || !m_program)
        return;

    const TGLCamera &camera = *m_scene->GLCamera;
    const QMatrix4x4 view = camera.ViewMatrix();
    const QMatrix4x4 projection = camera.ProjectionMatrix(float(width()), float(height()));
    std::vector<TDrawItem> items = CollectDrawItems(m_scene->Objects);

    // Opaque first in scene order; translucent after them, farthest first,
    // without writing depth so they do not hide each other.
    std::vector<std::pair<float, const TDrawItem *>> blended;
    std::vector<const TDrawItem *> opaque;
    for (const TDrawItem &item : items) {
        if (item.Material && item.Material->IsBlended())
            blended.emplace_back((view * item.World).map(QVector3D()).z(), &item);
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
    const TLightSource &light = *m_scene->GLLightSource1;
    m_program->setUniformValue("uGlobalAmbient", m_scene->GlobalAmbient);
    m_program->setUniformValue("uLightAmbient", light.Ambient);
    m_program->setUniformValue("uLightDiffuse", light.Diffuse);
    m_program->setUniformValue("uLightSpecular", light.Specular);
    m_program->setUniformValue("uLightPos", view.map(light.AbsolutePosition()));
    m_program->setUniformValue("uAttenuation", QVector3D(light.ConstAttenuation, light.LinearAttenuation,
                                                         light.QuadraticAttenuation));

    for (auto &entry : m_meshes)
        entry.second->used = false;
    glDepthMask(GL_TRUE);
    for (const TDrawItem *item : opaque)
        if (GpuMesh *mesh = MeshFor(*item->Geometry))
            DrawItem(*item, *mesh, view, projection);
    glDepthMask(GL_FALSE);
    for (const auto &entry : blended)
        if (GpuMesh *mesh = MeshFor(*entry.second->Geometry))
            DrawItem(*entry.second, *mesh, view, projection);
    glDepthMask(GL_TRUE);

    m_program->release();
    if (m_vao)
        m_vao->release();
    // Meshes of deleted or hidden objects go.
    for (auto it = m_meshes.begin(); it != m_meshes.end();)
        it = it->second->used ? std::next(it) : m_meshes.erase(it);
    ++m_frames;
}

void TGLViewer::PaintMessage(const QString &text)
{
    QPainter p(this);
    p.setPen(bgrColor(m_background).lightness() > 128 ? Qt::black : Qt::white);
    p.drawText(rect().adjusted(10, 10, -10, -10), Qt::AlignCenter | Qt::TextWordWrap, text);
}

// ---------------------------------------------------------------- input

void TGLViewer::mousePressEvent(QMouseEvent *event)
{
    emit MouseDown(event->button(), event->position());
    event->accept();
}

void TGLViewer::mouseMoveEvent(QMouseEvent *event)
{
    emit MouseMove(event->buttons(), event->position());
    event->accept();
}

void TGLViewer::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
    event->accept();
}

void TGLViewer::wheelEvent(QWheelEvent *event)
{
    emit MouseWheel(event->angleDelta().y());
    event->accept();
}
