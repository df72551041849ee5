// The course pages beside the program: every page is reached from the
// contents, every link leads somewhere the browser can go (a page, a picture
// for the magnifier, a command the page's own model understands, a video
// link it can read, an anchor that exists), every picture loads and carries
// a description, each model page selects its model, and every diagram is
// readable and described.
#include "app/PageBrowser.h"
#include "core/FileLookup.h"
#include "app/PageLinks.h"
#include "core/SimulationKind.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>

namespace {

// Inline pictures must fit a pane half a small screen wide.
constexpr int kMaxInlinePictureWidth = 480;

struct VideoLink {
    bool ok = false;
    int width = 0, height = 0;
    QString fullscreen, loop, file;
};

// The video link form: width, height, fullscreen flag, loop flag, file name,
// read the way the program reads it (spaces skipped, an empty token leaves
// its slot for the next one). The course always writes all five parts.
VideoLink parseVideoLink(const QString &segment)
{
    QString fields[4];
    QString buffer;
    for (QChar c : segment) {
        if (c == ' ')
            continue;
        if (c == ',') {
            for (QString &s : fields) {
                if (s.isEmpty()) {
                    s = buffer;
                    break;
                }
            }
            buffer.clear();
            continue;
        }
        buffer += c;
    }
    VideoLink v;
    bool wOk = false, hOk = false;
    v.width = fields[0].toInt(&wOk);
    v.height = fields[1].toInt(&hOk);
    v.fullscreen = fields[2];
    v.loop = fields[3];
    v.file = buffer;
    const QStringList flags{QStringLiteral("0"), QStringLiteral("1")};
    v.ok = wOk && hOk && v.width > 0 && v.height > 0 && flags.contains(v.fullscreen)
        && flags.contains(v.loop) && v.file.endsWith(QLatin1String(".flv"), Qt::CaseInsensitive)
        && v.file.size() > 4 && !v.file.contains('/') && !v.file.contains('\\');
    return v;
}

struct PageLinksFound {
    QString title;
    QStringList hrefs;
    QStringList pictures;
    QStringList anchors;              // names a link can jump to (name and id)
    QStringList undescribedPictures;  // inline pictures without alt text
    QStringList undescribedDiagrams;  // "$" links without a title to describe them
    bool ownBackground = false;
};

// Reads a page the way the topic browser's engine does and lists its links
// and pictures.
PageLinksFound readPage(const QString &file)
{
    PageLinksFound found;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return found;
    QTextDocument doc;
    doc.setHtml(QString::fromUtf8(f.readAll()));
    found.title = doc.metaInformation(QTextDocument::DocumentTitle);
    found.ownBackground = doc.rootFrame()->frameFormat().background().style() != Qt::NoBrush;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat fmt = it.fragment().charFormat();
            if (fmt.isAnchor() && !fmt.anchorHref().isEmpty() && !found.hrefs.contains(fmt.anchorHref()))
                found.hrefs << fmt.anchorHref();
            found.anchors << fmt.anchorNames();
            // The magnifier's description of a diagram is the link's title.
            if (fmt.isAnchor() && fmt.anchorHref().startsWith('$') && fmt.toolTip().trimmed().isEmpty())
                found.undescribedDiagrams << fmt.anchorHref();
            if (fmt.isImageFormat()) {
                const QTextImageFormat img = fmt.toImageFormat();
                found.pictures << img.name();
                if (img.property(QTextFormat::ImageAltText).toString().trimmed().isEmpty())
                    found.undescribedPictures << img.name();
            }
        }
    }
    return found;
}

// What is wrong with one link of a page, as the topic browser would meet it;
// empty when nothing is. `target` receives the resolved page file of an
// ordinary link.
QString checkLink(const QString &htmlFolder, const QString &pageFile, const QString &href,
                  QString *target = nullptr)
{
    if (href.contains(QLatin1String("://")) || href.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return QStringLiteral("leaves the course: ") + href;
    const QString seg = lastUrlSegment(href);
    const QString ext = QFileInfo(seg).suffix().toUpper();

    if (seg.contains('$')) {
        const QString picture = FileLookup::resolve(FileLookup::join(htmlFolder, "images/" + seg.mid(1)));
        if (picture.isEmpty())
            return QStringLiteral("magnifier picture missing: ") + href;
        if (QImage(picture).isNull())
            return QStringLiteral("magnifier picture does not load: ") + href;
        return {};
    }
    if (seg.contains('+')) {
        // Only the damped oscillator and the superposition window take
        // page commands, and only the exact texts they know.
        const int kind = pageKind(QFileInfo(pageFile).fileName());
        const bool known = (kind == DampedOscillatorKind && seg == QLatin1String("+CD"))
            || (kind == SuperpositionKind && (seg == QLatin1String("+beats") || seg == QLatin1String("+am")));
        return known ? QString() : QStringLiteral("command not understood by this page's model: ") + href;
    }
    if (ext == QLatin1String("FLV")) {
        return parseVideoLink(seg).ok ? QString()
                                      : QStringLiteral("video link is not width,height,fullscreen,loop,file: ") + href;
    }
    QString path = href;
    const int hash = path.indexOf('#');
    if (hash >= 0)
        path.truncate(hash);
    if (path.isEmpty()) {
        if (target)
            *target = pageFile;
        return {};
    }
    const QString resolved = FileLookup::resolve(FileLookup::join(QFileInfo(pageFile).absolutePath(), path));
    if (resolved.isEmpty() || !QFileInfo(resolved).isFile())
        return QStringLiteral("page missing: ") + href;
    if (target)
        *target = QFileInfo(resolved).absoluteFilePath();
    return {};
}

} // namespace

class TestCourse : public QObject
{
    Q_OBJECT

    QString m_html;
    QString m_index;
    QMap<QString, PageLinksFound> m_pages; // absolute file -> what it holds
    QStringList m_problems;

private slots:
    void initTestCase();
    void linkChecker_data();
    void linkChecker();
    void everyLinkLeadsSomewhere();
    void everyPictureLoads();
    void everyModelHasItsPage();
    void everyPageIsListedInTheContents();
    void titlesAndWayBack();
    void everyPageWearsTheCourseStyle();
    void everyAnchorLinkLands();
    void everyPageDeclaresDoctypeAndLanguage();
    void everyPictureIsDescribed();
    void everyDiagramIsReadableAndDescribed();
};

void TestCourse::initTestCase()
{
    m_html = FileLookup::resolve(TestSupport::builtProgramFolder() + "HTML");
    QVERIFY2(!m_html.isEmpty(), "no HTML folder beside the program");
    m_index = FileLookup::resolve(m_html + "/index.htm");
    QVERIFY2(!m_index.isEmpty(), "no index.htm");
    m_index = QFileInfo(m_index).absoluteFilePath();

    // Walk the pages from the contents, as a reader following links would.
    QStringList queue{m_index};
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        if (m_pages.contains(page))
            continue;
        const PageLinksFound found = readPage(page);
        m_pages.insert(page, found);
        for (const QString &href : found.hrefs) {
            QString target;
            const QString problem = checkLink(m_html, page, href, &target);
            if (!problem.isEmpty())
                m_problems << QFileInfo(page).fileName() + ": " + problem;
            else if (!target.isEmpty() && QFileInfo(target).suffix().startsWith(QLatin1String("htm"), Qt::CaseInsensitive))
                queue << target;
        }
    }
}

void TestCourse::linkChecker_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("href");
    QTest::addColumn<bool>("good");

    QTest::newRow("page, other case") << "index.htm" << "dampshm.htm" << true;
    QTest::newRow("page with anchor") << "index.htm" << "YDS.HTM#top" << true;
    QTest::newRow("missing page") << "index.htm" << "NOSUCH.HTM" << false;
    QTest::newRow("outside address") << "index.htm" << "http://example.org/x.htm" << false;
    QTest::newRow("magnifier") << "DAMPSHM.HTM" << "$damping_curves.png" << true;
    QTest::newRow("magnifier, missing") << "DAMPSHM.HTM" << "$no_such_picture.png" << false;
    QTest::newRow("command on its page") << "DAMPSHM.HTM" << "+CD" << true;
    QTest::newRow("command, wrong page") << "SUPERWAVE.HTM" << "+CD" << false;
    QTest::newRow("command, wrong case") << "SUPERWAVE.HTM" << "+Beats" << false;
    QTest::newRow("beats") << "SUPERWAVE.HTM" << "+beats" << true;
    QTest::newRow("modulation") << "SUPERWAVE.HTM" << "+am" << true;
    QTest::newRow("video") << "RIPPLE.HTM" << "640,480,0,0,ripples.flv" << true;
    QTest::newRow("video, spaces") << "RIPPLE.HTM" << "640, 480, 1, 0, ripples.flv" << true;
    QTest::newRow("video, name only") << "RIPPLE.HTM" << "ripples.flv" << false;
    QTest::newRow("video, bad size") << "RIPPLE.HTM" << "wide,480,0,0,ripples.flv" << false;
    QTest::newRow("video, bad flag") << "RIPPLE.HTM" << "640,480,yes,0,ripples.flv" << false;
}

// The checker itself must tell good links from bad ones, or the walk below
// proves nothing.
void TestCourse::linkChecker()
{
    QFETCH(QString, page);
    QFETCH(QString, href);
    QFETCH(bool, good);
    const QString problem = checkLink(m_html, m_html + "/" + page, href);
    QCOMPARE(problem.isEmpty(), good);
}

void TestCourse::everyLinkLeadsSomewhere()
{
    QVERIFY2(m_problems.isEmpty(), qPrintable(m_problems.join('\n')));
    // The pages use each special link form at least once.
    QSet<QString> forms;
    for (const PageLinksFound &p : m_pages) {
        for (const QString &href : p.hrefs) {
            if (href.startsWith('$'))
                forms << "picture";
            else if (href.startsWith('+'))
                forms << href;
            else if (href.endsWith(QLatin1String(".flv"), Qt::CaseInsensitive))
                forms << "video";
        }
    }
    for (const char *form : {"picture", "+CD", "+beats", "+am", "video"})
        QVERIFY2(forms.contains(QLatin1String(form)), form);
}

void TestCourse::everyPictureLoads()
{
    QStringList problems;
    for (auto it = m_pages.cbegin(); it != m_pages.cend(); ++it) {
        const QString page = QFileInfo(it.key()).fileName();
        for (const QString &src : it->pictures) {
            const QString file = FileLookup::resolve(FileLookup::join(QFileInfo(it.key()).absolutePath(), src));
            const QImage img(file);
            if (file.isEmpty() || img.isNull())
                problems << page + ": picture does not load: " + src;
            else if (img.width() > kMaxInlinePictureWidth)
                problems << page + ": picture too wide for the pane: " + src;
        }
        if (it->ownBackground)
            problems << page + ": sets a page background of its own";
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
}

void TestCourse::everyModelHasItsPage()
{
    // Each of the 17 models is opened by exactly one page of the course.
    QMap<int, QStringList> pagesOfKind;
    for (const QString &page : m_pages.keys())
        pagesOfKind[pageKind(QFileInfo(page).fileName())] << QFileInfo(page).fileName();
    for (int kind = 1; kind < kKindCount; ++kind) {
        QVERIFY2(pagesOfKind.value(kind).size() == 1,
                 qPrintable(QStringLiteral("kind %1 opened by: %2").arg(kind).arg(pagesOfKind.value(kind).join(", "))));
    }
}

void TestCourse::everyPageIsListedInTheContents()
{
    // Every page file in the folder is reached, and straight from the contents.
    QSet<QString> listed;
    for (const QString &href : m_pages.value(m_index).hrefs) {
        QString target;
        if (checkLink(m_html, m_index, href, &target).isEmpty() && !target.isEmpty())
            listed << target;
    }
    const QFileInfoList files = QDir(m_html).entryInfoList({"*.htm", "*.html", "*.HTM", "*.HTML"}, QDir::Files);
    QVERIFY(files.size() >= 18);
    for (const QFileInfo &fi : files) {
        const QString file = fi.absoluteFilePath();
        QVERIFY2(m_pages.contains(file), qPrintable(fi.fileName() + " is not reachable from the contents"));
        if (file != m_index)
            QVERIFY2(listed.contains(file), qPrintable(fi.fileName() + " is not listed in the contents"));
    }
}

void TestCourse::titlesAndWayBack()
{
    // The Index button is disabled exactly while the page title contains
    // "index", so only the contents may say it; every other page leads back.
    QVERIFY(m_pages.value(m_index).title.contains(QLatin1String("index")));
    for (auto it = m_pages.cbegin(); it != m_pages.cend(); ++it) {
        if (it.key() == m_index)
            continue;
        const QString page = QFileInfo(it.key()).fileName();
        QVERIFY2(!it->title.isEmpty(), qPrintable(page + " has no title"));
        QVERIFY2(!it->title.contains(QLatin1String("index")), qPrintable(page + ": " + it->title));
        bool back = false;
        for (const QString &href : it->hrefs)
            back = back || href.compare(QLatin1String("index.htm"), Qt::CaseInsensitive) == 0;
        QVERIFY2(back, qPrintable(page + " has no link back to the contents"));
    }
}

void TestCourse::everyPageWearsTheCourseStyle()
{
    // The pages share one style sheet; a page that lost it (or a browser
    // that stopped loading it) shows black headings.
    const QColor heading(0x12, 0x3C, 0x69);
    PageBrowser b;
    for (auto it = m_pages.cbegin(); it != m_pages.cend(); ++it) {
        const QString page = QFileInfo(it.key()).fileName();
        QVERIFY2(b.navigate(it.key()), qPrintable(page));
        QVERIFY(QTest::qWaitFor([&b] { return !b.isBusy(); }, 5000));
        QColor seen;
        for (QTextBlock blk = b.document()->begin(); blk.isValid() && !seen.isValid(); blk = blk.next())
            if (blk.blockFormat().headingLevel() == 1 && blk.begin() != blk.end())
                seen = blk.begin().fragment().charFormat().foreground().color();
        QVERIFY2(seen == heading, qPrintable(page + ": heading colour " + seen.name()));
    }
}

void TestCourse::everyAnchorLinkLands()
{
    // Questions link to their answers further down the page and back; a
    // misspelt anchor leaves the reader where they were.
    QStringList problems;
    int anchorLinks = 0;
    for (auto it = m_pages.cbegin(); it != m_pages.cend(); ++it) {
        const QString page = QFileInfo(it.key()).fileName();
        for (const QString &href : it->hrefs) {
            const int hash = href.indexOf('#');
            if (hash < 0)
                continue;
            QString target;
            if (!checkLink(m_html, it.key(), href, &target).isEmpty() || target.isEmpty())
                continue; // reported by everyLinkLeadsSomewhere
            ++anchorLinks;
            const QString name = href.mid(hash + 1);
            if (!m_pages.value(target).anchors.contains(name))
                problems << page + ": no anchor \"" + name + "\" in " + QFileInfo(target).fileName();
        }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    QVERIFY2(anchorLinks > 0, "the pages link to no answers");
}

void TestCourse::everyPageDeclaresDoctypeAndLanguage()
{
    // The text engine ignores both, but screen readers, spelling and any
    // other browser that opens the pages need them.
    static const QRegularExpression doctype(QStringLiteral("^\\s*<!DOCTYPE html>"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression lang(QStringLiteral("<html[^>]*\\slang=\"[A-Za-z-]+\""),
                                         QRegularExpression::CaseInsensitiveOption);
    QStringList problems;
    for (const QString &file : m_pages.keys()) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        const QString page = QFileInfo(file).fileName();
        if (!doctype.match(text).hasMatch())
            problems << page + ": no doctype";
        if (!lang.match(text).hasMatch())
            problems << page + ": no lang on <html>";
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
}

void TestCourse::everyPictureIsDescribed()
{
    QStringList problems;
    for (auto it = m_pages.cbegin(); it != m_pages.cend(); ++it) {
        const QString page = QFileInfo(it.key()).fileName();
        for (const QString &src : it->undescribedPictures)
            problems << page + ": picture without alt text: " + src;
        for (const QString &href : it->undescribedDiagrams)
            problems << page + ": diagram link without a title: " + href;
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
}

namespace {

// WCAG relative luminance of an sRGB colour.
double Luminance(const QColor &c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// What is wrong with one diagram's source: a missing title or description,
// text smaller than 12 px, or text too pale to read on the diagram's white
// ground (contrast below 4.5 : 1).
QStringList CheckDiagram(const QString &file)
{
    QStringList problems;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("cannot be read")};
    QXmlStreamReader xml(&f);
    QString title, desc;
    int depth = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            --depth;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        ++depth;
        const QStringView name = xml.name();
        if (depth == 2 && name == QLatin1String("title")) {
            title = xml.readElementText();
            --depth;
        } else if (depth == 2 && name == QLatin1String("desc")) {
            desc = xml.readElementText();
            --depth;
        } else if (name == QLatin1String("text")) {
            const QXmlStreamAttributes a = xml.attributes();
            const double size = a.value(QLatin1String("font-size")).toDouble();
            const QColor fill = QColor::fromString(a.value(QLatin1String("fill")).toString());
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            --depth;
            if (size < 12)
                problems << QStringLiteral("text of %1 px: %2").arg(size).arg(text);
            if (fill.isValid() && fill != QColor(Qt::white)) {
                const double contrast = 1.05 / (Luminance(fill) + 0.05);
                if (contrast < 4.5)
                    problems << QStringLiteral("contrast %1 : 1: %2").arg(contrast, 0, 'f', 2).arg(text);
            }
        }
    }
    if (xml.hasError())
        problems << xml.errorString();
    if (title.trimmed().isEmpty())
        problems << QStringLiteral("no title");
    if (desc.trimmed().isEmpty())
        problems << QStringLiteral("no description");
    return problems;
}

} // namespace

void TestCourse::everyDiagramIsReadableAndDescribed()
{
    // The checker must see the faults it is there for.
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.svg"));
    {
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\"><title>t</title>"
                "<text font-size=\"11\" fill=\"#000000\">small</text>"
                "<text font-size=\"14\" fill=\"#00A0C0\">pale</text></svg>");
    }
    QCOMPARE(CheckDiagram(bad).size(), 3); // small text, pale text, no description

    const QFileInfoList files = QDir(m_html + "/images").entryInfoList({"*.svg"}, QDir::Files);
    QVERIFY(!files.isEmpty());
    QStringList problems;
    for (const QFileInfo &fi : files) {
        for (const QString &p : CheckDiagram(fi.absoluteFilePath()))
            problems << fi.fileName() + ": " + p;
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
}

QTEST_MAIN(TestCourse)
#include "tst_course.moc"
