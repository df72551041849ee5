// The topic browser: the browser facility over the text engine (navigation,
// history, before-navigate, background, text size, context menu) and the
// main window's glue (links to models, pictures, commands and videos, the
// page toolbar, the Edit menu, settings).
#include "AppTestSupport.h"
#include "app/StartPicture.h"
#include "app/CoursePane.h"
#include "app/SimulationHost.h"
#include "core/SimulationKind.h"

#include "app/PictureMagnifier.h"
#include "sim/framework/Dialogs.h"
#include "app/PageBrowser.h"
#include "core/FileLookup.h"
#include "app/PageLinks.h"
#include "app/KindsTable.h"
#include "app/SplashScreen.h"
#include "app/MainWindow.h"
#include "sim/framework/SimulationWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QLabel>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolTip>
#include <QWheelEvent>

using namespace TestSupport;

namespace {

QString fixtureFolder()
{
    // The test data folder is the tests' source folder.
    return QFINDTESTDATA("app/fixtures/browser");
}

QString fixturePage(const QString &name)
{
    return fixtureFolder() + QStringLiteral("/HTML/") + name;
}

bool waitLoaded(PageBrowser *b)
{
    return QTest::qWaitFor([b] { return !b->isBusy(); }, 5000);
}

bool open(PageBrowser &b, const char *page)
{
    return b.navigate(fixturePage(QLatin1String(page))) && waitLoaded(&b);
}

// Where the first link with this href is drawn, in viewport coordinates
// (scrolling it into view first); null when the page has no such link.
QPoint linkPosition(PageBrowser *b, const QString &href)
{
    QTextDocument *doc = b->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.charFormat().isAnchor() || f.charFormat().anchorHref() != href)
                continue;
            QTextCursor c(doc);
            c.setPosition(f.position() + qMax(1, f.length() / 2));
            b->setTextCursor(c);
            b->ensureCursorVisible();
            b->setTextCursor(QTextCursor(doc)); // no selection left behind
            return b->cursorRect(c).center();
        }
    }
    return {};
}

// The title attribute of the first link with this href.
QString linkTitle(PageBrowser *b, const QString &href)
{
    for (QTextBlock block = b->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isAnchor() && f.anchorHref() == href)
                return f.toolTip();
        }
    return {};
}

// Clicks a link as the reader does.
bool clickLink(PageBrowser *b, const QString &href)
{
    const QPoint at = linkPosition(b, href);
    if (at.isNull())
        return false;
    QTest::mouseClick(b->viewport(), Qt::LeftButton, {}, at);
    return true;
}

// A point over the first picture of the page, in viewport coordinates.
QPoint picturePosition(PageBrowser *b, const QString &name)
{
    for (int y = 0; y < qMin(200, b->viewport()->height()); y += 2)
        for (int x = 0; x < qMin(300, b->viewport()->width()); x += 2)
            if (b->document()->documentLayout()->imageAt(QPointF(x, y) + QPointF(0, b->verticalScrollBar()->value()))
                == name)
                return {x, y};
    return {};
}

QColor shownBackground(PageBrowser *b)
{
    // Bottom right corner of the viewport: below and beside any text.
    const QImage shot = b->viewport()->grab().toImage();
    return shot.pixelColor(shot.width() - 3, shot.height() - 3);
}

QString fileOf(const QUrl &url)
{
    return url.adjusted(QUrl::RemoveFragment).fileName();
}

// The browser alone, with its events recorded.
struct Recorder {
    QList<QUrl> seen;                       // before-navigate addresses
    std::function<bool(const QUrl &)> cancel; // answer to before-navigate
    int completes = 0;
    QList<QPair<int, bool>> states;
    QList<int> menuKinds;
    QStringList pictureSources;

    void attach(PageBrowser &b)
    {
        b.onBeforeNavigate = [this](const QUrl &u, bool &c) {
            seen << u;
            c = cancel && cancel(u);
        };
        b.onDocumentComplete = [this] { ++completes; };
        b.onCommandStateChange = [this](int command, bool on) { states << qMakePair(command, on); };
        b.onShowContextMenu = [this](int kind, const QString &src, const QPoint &, bool &) {
            menuKinds << kind;
            pictureSources << src;
        };
    }
};

// The browser alone, shown, with its events recorded.
struct Shown {
    PageBrowser b;
    Recorder r;
    Shown()
    {
        b.resize(600, 400);
        b.show();
        r.attach(b);
    }
};

// A window kind that records the page commands routed to it.
class CommandWindow : public SimulationWindow
{
public:
    CommandWindow() { ++created; }
    void handlePageCommand(const QString &t) override { commands << t; }
    QStringList commands;
    static inline int created = 0;
};

} // namespace

class TestCoursePane : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    // page links
    void linkHelpers_data();
    void linkHelpers();

    // the browser facility
    void everyNavigationIsAnnounced();
    void cancelledNavigationChangesNothing();
    void onlyLocalFilesAreFollowed_data();
    void onlyLocalFilesAreFollowed();
    void missingPageSaysSo();
    void pagesInOlderEncodings();
    void backRestoresScrollPosition();
    void locationNameIsTitleOrAddress();
    void textSizeClampsAndGrows();
    void documentBackground();
    void contextMenuKinds();

    // the main window's glue
    void startsAtIndexWithStartPicture();
    void modelPagesSwitchTheModel();
    void pagesOfNoModelLeaveThePane();
    void specialLinksKeepThePage_data();
    void specialLinksKeepThePage();
    void commandLinkReachesTheWindow();
    void backAndForwardSwitchTheModel();
    void indexButton();
    void backgroundColourCarriesToLaterPages();
    void colourNeedsADocument();
    void dropDownsShowTheChoice();
    void largestSurvivesPagesAndRestart();
    void storedBackgroundAppliesToFirstPage();
    void copyCopiesTheWholePage();
    void longTitlesWrapInTheirTooltip();
    void editShortcutsReachTheMenuFromThePage();
    void pictureContextMenu();

private:
    struct Main {
        ScopedSettings settings;
        ScopedDialogAnswers answers{false};
        std::unique_ptr<ScopedExeFolder> exe;
        std::unique_ptr<MainWindow> w;
    };
    std::unique_ptr<Main> openMain(const QString &exeFolder = {});
    QList<QPair<LinkAction, QString>> m_links;
    QList<QSize> m_magnified; // picture sizes the magnifier was opened with
    QStringList m_captions;   // and the descriptions under them
};

void TestCoursePane::initTestCase()
{
    QVERIFY2(!fixtureFolder().isEmpty(), "fixture folder not found");
}

void TestCoursePane::init()
{
    setActiveKind(0);
    m_links.clear();
    setPageLinkObserver([this](LinkAction a, const QString &arg) { m_links << qMakePair(a, arg); });
    m_magnified.clear();
    m_captions.clear();
    Dialogs::setModalHandler([this](QDialog &d) {
        if (auto *mag = qobject_cast<PictureMagnifier *>(&d)) {
            m_magnified << mag->pictureLabel()->pixmap().size();
            m_captions << mag->captionLabel()->text();
        }
        return int(QDialog::Rejected);
    });
    for (int k : {DoubleSlitKind, DampedOscillatorKind}) {
        KindEntry info = *findKind(k);
        info.createWindow = [] { return new CommandWindow; };
        overrideKindForTesting(info);
    }
    CommandWindow::created = 0;
}

void TestCoursePane::cleanup()
{
    setPageLinkObserver({});
    Dialogs::setModalHandler({});
    restoreKindsForTesting();
    setActiveKind(0);
}

std::unique_ptr<TestCoursePane::Main> TestCoursePane::openMain(const QString &exeFolder)
{
    auto m = std::make_unique<Main>();
    m->exe = std::make_unique<ScopedExeFolder>(exeFolder.isEmpty() ? fixtureFolder() : exeFolder);
    m->w = std::make_unique<MainWindow>(fixedScreen());
    m->w->show();
    waitLoaded(m->w->coursePane()->browser());
    return m;
}

// ======================================================================
// Page links
// ======================================================================

// Each helper against a table of addresses: the helper's result as text.
static QString applyHelper(const QString &helper, const QString &input)
{
    if (helper == QLatin1String("KindOfPage"))
        return QString::number(kindOfPage(input));
    if (helper == QLatin1String("LastUrlSegment"))
        return lastUrlSegment(input);
    if (helper == QLatin1String("UrlToFilePath"))
        return urlToFilePath(input);
    static const char *actions[] = {"page", "picture", "command", "video"};
    return QLatin1String(actions[int(classifyLink(input))]);
}

void TestCoursePane::linkHelpers_data()
{
    QTest::addColumn<QString>("helper");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    auto row = [](const char *helper, const char *name, const QString &input, const QString &expected) {
        QTest::addRow("%s: %s", helper, name) << QString::fromLatin1(helper) << input << expected;
    };
    // activeKind() is 5 during these cases: names of no model return it.
    row("KindOfPage", "empty", "", "5");
    row("KindOfPage", "table", "YDS.HTM", "1");
    row("KindOfPage", "lower case", "dampshm.htm", "9");
    row("KindOfPage", "anchor", "YDS.HTM#fringes", "1");
    row("KindOfPage", "leading slash", "/POLARIZATION.HTM", "16");
    row("KindOfPage", "windows path", "C:\\Course\\HTML\\lcd.htm", "17");
    row("KindOfPage", "after colon", "file:GAMMA.HTM", "10");
    row("KindOfPage", "underscore", "Em_Waves.htm", "15");
    row("KindOfPage", "index", "index.htm", "5");
    row("KindOfPage", "other extension", "YDS.HTML", "5");
    row("KindOfPage", "prefix only", "XYDS.HTM", "5");

    row("LastUrlSegment", "address", "file:///C:/Course/HTML/YDS.HTM#fringes", "YDS.HTM#fringes");
    row("LastUrlSegment", "posix address", "file:///opt/course/HTML/+CD", "+CD");
    row("LastUrlSegment", "trailing slash", "file:///opt/course/", "");
    row("LastUrlSegment", "backslashes", "C:\\Course\\HTML\\$pic.png", "$pic.png");
    row("LastUrlSegment", "drive only", "c:index.htm", "index.htm");
    row("LastUrlSegment", "bare", "640,480,1,0,clip.flv", "640,480,1,0,clip.flv");

    row("UrlToFilePath", "windows address", "file:///C:/Course/HTML/images/my%20pic.png",
        "C:\\Course\\HTML\\images\\my pic.png");
    row("UrlToFilePath", "prefix in capitals", "FILE:///D:/a/b.png", "D:\\a\\b.png");
    row("UrlToFilePath", "windows path", "C:/Course/pic.png", "C:\\Course\\pic.png");
#ifdef Q_OS_WIN
    row("UrlToFilePath", "rooted address", "file:///opt/course/a%20b.png", "opt\\course\\a b.png");
#else
    // The address's third slash is the root of a POSIX path.
    row("UrlToFilePath", "rooted address", "file:///opt/course/a%20b.png", "/opt/course/a b.png");
    row("UrlToFilePath", "rooted path", "/opt/course/pic.png", "/opt/course/pic.png");
    row("UrlToFilePath", "not a file", "http://example.com/pic.png", "http://example.com/pic.png");
#endif

    row("ClassifyLink", "picture", "$pic.png", "picture");
    row("ClassifyLink", "picture before command", "$a+b.png", "picture");
    row("ClassifyLink", "command", "+CD", "command");
    row("ClassifyLink", "command before video", "a+b.flv", "command");
    row("ClassifyLink", "video", "640,480,1,0,clip.FLV", "video");
    row("ClassifyLink", "video lower case", "clip.flv", "video");
    row("ClassifyLink", "page", "YDS.HTM#fringes", "page");
    row("ClassifyLink", "no extension", "flv", "page");
    row("ClassifyLink", "flv inside", "clip.flv.htm", "page");
}

void TestCoursePane::linkHelpers()
{
    QFETCH(QString, helper);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    setActiveKind(5);
    QCOMPARE(applyHelper(helper, input), expected);
}

// ======================================================================
// The browser facility
// ======================================================================

void TestCoursePane::everyNavigationIsAnnounced()
{
    Shown s;
    PageBrowser &b = s.b;
    Recorder &r = s.r;

    // A navigate call.
    QVERIFY(b.navigate(fixturePage("index.htm")));
    QVERIFY(b.isBusy());
    QVERIFY(waitLoaded(&b));
    QCOMPARE(r.seen.size(), 1);
    QCOMPARE(fileOf(r.seen.last()), QStringLiteral("index.htm"));
    QCOMPARE(r.completes, 1);
    QVERIFY(!b.canGoBack() && !b.canGoForward());

    // A link, written in other letter case than the file on disk.
    QVERIFY(clickLink(&b, "yds.htm"));
    QVERIFY(waitLoaded(&b));
    QCOMPARE(r.seen.size(), 2);
    QCOMPARE(fileOf(r.seen.last()), QStringLiteral("yds.htm"));
    QCOMPARE(b.locationName(), QStringLiteral("Young's double slit"));
    QVERIFY(b.canGoBack());

    // An anchor on the same page (through the engine's own setSource).
    const int top = b.verticalScrollBar()->value();
    b.setSource(QUrl(QStringLiteral("#fringes")));
    QVERIFY(waitLoaded(&b));
    QCOMPARE(r.seen.size(), 3);
    QCOMPARE(r.seen.last().fragment(), QStringLiteral("fringes"));
    QVERIFY(b.verticalScrollBar()->value() > top);

    // Back with the toolbar's operation, forward with the engine's key.
    QVERIFY(b.goBack());
    QVERIFY(waitLoaded(&b));
    QCOMPARE(r.seen.size(), 4);
    QVERIFY(!r.seen.last().hasFragment());
    QTest::keyClick(&b, Qt::Key_Right, Qt::AltModifier);
    QVERIFY(waitLoaded(&b));
    QCOMPARE(r.seen.size(), 5);
    QCOMPARE(r.seen.last().fragment(), QStringLiteral("fringes"));
    QTest::keyClick(&b, Qt::Key_Left, Qt::AltModifier);
    QVERIFY(waitLoaded(&b));
    QCOMPARE(r.seen.size(), 6);

    // After every completed navigation both history commands are reported.
    QCOMPARE(r.completes, 6);
    QCOMPARE(r.states.size(), 12);
    QCOMPARE(r.states.mid(10), (QList<QPair<int, bool>>{{1, true}, {2, true}}));

    // The mouse's back button, the engine's home key and reload.
    QTest::mouseClick(b.viewport(), Qt::BackButton, {}, QPoint(10, 10));
    QVERIFY(waitLoaded(&b));
    QCOMPARE(r.seen.size(), 7);
    QCOMPARE(b.locationName(), QStringLiteral("Course index"));
    QVERIFY(!b.canGoBack());
    QTest::mouseClick(b.viewport(), Qt::ForwardButton, {}, QPoint(10, 10));
    QVERIFY(waitLoaded(&b));
    QTest::keyClick(&b, Qt::Key_Up, Qt::AltModifier);
    QVERIFY(waitLoaded(&b));
    QCOMPARE(r.seen.size(), 9);
    QCOMPARE(b.locationName(), QStringLiteral("Course index"));
    QVERIFY(b.canGoBack() && !b.canGoForward()); // home is a new step
    b.reload();
    QVERIFY(waitLoaded(&b));
    QCOMPARE(r.seen.size(), 10);
    QCOMPARE(r.completes, 10);
    QVERIFY(b.canGoBack() && !b.canGoForward());
}

void TestCoursePane::cancelledNavigationChangesNothing()
{
    Shown s;
    PageBrowser &b = s.b;
    Recorder &r = s.r;
    QVERIFY(open(b, "index.htm"));
    QVERIFY(open(b, "other.htm"));
    QVERIFY(b.goBack());
    QVERIFY(waitLoaded(&b));
    QVERIFY(b.canGoForward() && !b.canGoBack());
    const QUrl here = b.locationUrl();
    const QString text = b.toPlainText();
    const int completes = r.completes, states = r.states.size();

    r.cancel = [](const QUrl &) { return true; };
    QVERIFY(!b.navigate(fixturePage("YDS.HTM")));
    QVERIFY(clickLink(&b, "DAMPSHM.HTM"));
    QVERIFY(!b.goForward());
    QTest::keyClick(&b, Qt::Key_Right, Qt::AltModifier);
    QVERIFY(!b.isBusy());
    QTest::qWait(50);
    QCOMPARE(r.seen.size(), 7); // three loads, then four refusals, all announced
    QCOMPARE(b.locationUrl(), here);
    QCOMPARE(b.toPlainText(), text);
    QVERIFY(b.canGoForward() && !b.canGoBack());
    QCOMPARE(r.completes, completes);
    QCOMPARE(r.states.size(), states);

    // Once allowed, forward still leads where it led before.
    r.cancel = {};
    QVERIFY(b.goForward());
    QVERIFY(waitLoaded(&b));
    QCOMPARE(fileOf(b.locationUrl()), QStringLiteral("other.htm"));
    QVERIFY(!b.canGoForward() && b.canGoBack());
}

void TestCoursePane::onlyLocalFilesAreFollowed_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("web") << "http://example.com/remote.htm";
    QTest::newRow("secure web") << "https://example.com/YDS.HTM";
    QTest::newRow("mail") << "mailto:someone@example.com";
    QTest::newRow("remote file") << "file://server/share/YDS.HTM";
    QTest::newRow("nothing") << "";
}

void TestCoursePane::onlyLocalFilesAreFollowed()
{
    QFETCH(QString, address);
    Shown s;
    PageBrowser &b = s.b;
    Recorder &r = s.r;
    QVERIFY(open(b, "index.htm"));
    const QUrl here = b.locationUrl();

    QVERIFY(!b.navigate(address));
    QVERIFY(!b.navigate(QUrl(address)));
    QVERIFY(!b.isBusy());
    QCOMPARE(r.seen.size(), 1); // refused before it became a navigation
    QCOMPARE(b.locationUrl(), here);
    QVERIFY(!b.canGoBack());
}

void TestCoursePane::missingPageSaysSo()
{
    Shown s;
    PageBrowser &b = s.b;
    Recorder &r = s.r;
    QVERIFY(open(b, "index.htm"));
    QVERIFY(clickLink(&b, "missing.htm"));
    QVERIFY(waitLoaded(&b));
    QVERIFY(b.toPlainText().contains(QStringLiteral("This page cannot be shown")));
    QVERIFY(b.toPlainText().contains(QStringLiteral("missing.htm")));
    QCOMPARE(fileOf(b.locationUrl()), QStringLiteral("missing.htm"));
    QVERIFY(b.hasDocument());
    QCOMPARE(r.completes, 2); // the message is a page like any other
    QVERIFY(b.goBack());
    QVERIFY(waitLoaded(&b));
    QCOMPARE(b.locationName(), QStringLiteral("Course index"));
}

void TestCoursePane::pagesInOlderEncodings()
{
    // A page that says nothing of its encoding and is not UTF-8 is read as
    // Latin-1; a declared or valid UTF-8 page as UTF-8.
    QTemporaryDir dir;
    auto write = [&dir](const char *name, const QByteArray &bytes) {
        QFile f(dir.path() + '/' + QLatin1String(name));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    QVERIFY(write("latin.htm", QByteArray("<html><body><p>caf\xe9 \xb0" "C</p></body></html>")));
    QVERIFY(write("utf8.htm", QByteArray("<html><body><p>caf\xc3\xa9 \xc2\xb0" "C</p></body></html>")));
    QVERIFY(write("declared.htm", QByteArray("<html><head><meta http-equiv=\"Content-Type\" "
                                              "content=\"text/html; charset=utf-8\"></head>"
                                              "<body><p>caf\xc3\xa9 \xc2\xb0" "C</p></body></html>")));
    PageBrowser b;
    for (const char *name : {"latin.htm", "utf8.htm", "declared.htm"}) {
        QVERIFY(b.navigate(dir.path() + '/' + QLatin1String(name)));
        QVERIFY(waitLoaded(&b));
        QCOMPARE(b.toPlainText().trimmed(), QStringLiteral("caf\u00e9 \u00b0C"));
    }
}

void TestCoursePane::backRestoresScrollPosition()
{
    PageBrowser b;
    b.resize(600, 300);
    b.show();
    QVERIFY(open(b, "YDS.HTM"));
    QScrollBar *v = b.verticalScrollBar();
    QTRY_VERIFY(v->maximum() > 1000);
    v->setValue(1000);
    QVERIFY(b.navigate(QStringLiteral("other.htm")));
    QVERIFY(waitLoaded(&b));
    QCOMPARE(v->value(), 0);
    QVERIFY(b.goBack());
    QVERIFY(waitLoaded(&b));
    QCOMPARE(b.locationName(), QStringLiteral("Young's double slit"));
    QCOMPARE(v->value(), 1000); // where the reader left it
    QVERIFY(b.goForward());
    QVERIFY(waitLoaded(&b));
    QCOMPARE(v->value(), 0);
}

void TestCoursePane::locationNameIsTitleOrAddress()
{
    PageBrowser b;
    QCOMPARE(b.locationName(), QString());
    QVERIFY(!b.hasDocument());
    QVERIFY(open(b, "other.htm"));
    QCOMPARE(b.locationName(), b.locationUrl().toString());
    QVERIFY(b.locationName().endsWith(QStringLiteral("/HTML/other.htm")));
    QVERIFY(open(b, "DAMPSHM.HTM"));
    QCOMPARE(b.locationName(), QStringLiteral("Damped oscillations"));
}

void TestCoursePane::textSizeClampsAndGrows()
{
    PageBrowser b;
    b.resize(600, 400);
    b.show();
    QCOMPARE(b.textSize(), 2);
    QVERIFY(open(b, "other.htm"));
    b.setTextSize(-3);
    QCOMPARE(b.textSize(), 0);
    b.setTextSize(9);
    QCOMPARE(b.textSize(), 4);

    // Each step draws the page's text larger than the one before.
    qreal previous = 0;
    for (int size = 0; size <= 4; ++size) {
        b.setTextSize(size);
        QCOMPARE(b.font().pointSizeF(), PageBrowser::pointSizeForTextSize(size));
        const qreal height = b.document()->documentLayout()->documentSize().height();
        QVERIFY2(height > previous, qPrintable(QStringLiteral("size %1").arg(size)));
        previous = height;
    }
    QCOMPARE(PageBrowser::pointSizeForTextSize(2), 12.0);

    // The engine's own zoom (Ctrl+wheel, Ctrl++) would leave the five sizes.
    b.setTextSize(2);
    QWheelEvent wheel(QPointF(50, 50), b.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(b.viewport(), &wheel);
    QTest::keyClick(&b, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(&b, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(b.font().pointSizeF(), PageBrowser::pointSizeForTextSize(2));
}

void TestCoursePane::documentBackground()
{
    PageBrowser b;
    b.resize(600, 400);
    b.show();
    QVERIFY(!b.setDocumentBackground(QStringLiteral("#D9EAFF"))); // no document yet

    QVERIFY(open(b, "DAMPSHM.HTM"));
    QCOMPARE(b.documentBackground(), QStringLiteral("#FFEECC")); // the page's own
    QCOMPARE(shownBackground(&b), QColor(0xFFEECC));

    QVERIFY(b.setDocumentBackground(QStringLiteral("#D9EAFF")));
    QCOMPARE(b.documentBackground(), QStringLiteral("#D9EAFF"));
    QTRY_COMPARE(shownBackground(&b), QColor(0xD9EAFF));
    QVERIFY(!b.setDocumentBackground(QStringLiteral("#GGHHII")));
    QCOMPARE(b.documentBackground(), QStringLiteral("#D9EAFF"));

    // A page without a colour of its own is white, whatever the theme says.
    QPalette dark = QApplication::palette();
    dark.setColor(QPalette::Base, QColor(0x303030));
    QApplication::setPalette(dark);
    QVERIFY(open(b, "other.htm"));
    QCOMPARE(b.documentBackground(), QString());
    QTRY_COMPARE(shownBackground(&b), QColor(Qt::white));
    QApplication::setPalette(QPalette());
}

void TestCoursePane::contextMenuKinds()
{
    PageBrowser b;
    b.resize(600, 400);
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    Recorder r;
    r.attach(b);
    QVERIFY(open(b, "DAMPSHM.HTM"));

    // A picture: kind 1 with the picture's address taken from the page.
    const QPoint pic = picturePosition(&b, QStringLiteral("images/pic.png"));
    QVERIFY(!pic.isNull());
    PageBrowser::HitInfo hit = b.hitTest(pic);
    QCOMPARE(hit.menuKind, int(PageBrowser::kMenuPicture));
    QCOMPARE(QUrl(hit.pictureSource).toLocalFile(),
             QFileInfo(fixturePage("images/pic.png")).absoluteFilePath());

    // A link, plain text, then the same text selected.
    QCOMPARE(b.hitTest(linkPosition(&b, "+CD")).menuKind, int(PageBrowser::kMenuAnchor));
    const QPoint words = linkPosition(&b, "+CD") - QPoint(150, 0);
    QCOMPARE(b.hitTest(words).menuKind, int(PageBrowser::kMenuDefault));
    b.selectAll();
    QCOMPARE(b.hitTest(words).menuKind, int(PageBrowser::kMenuTextSelection));

    // The engine's own menu comes only for the selection, with only
    // copying and selecting in it.
    QContextMenuEvent onSelection(QContextMenuEvent::Mouse, words, b.viewport()->mapToGlobal(words));
    QApplication::sendEvent(b.viewport(), &onSelection);
    QCOMPARE(r.menuKinds, QList<int>{PageBrowser::kMenuTextSelection});
    auto *menu = b.findChild<QMenu *>(QStringLiteral("selectionMenu"));
    QVERIFY(menu);
    QStringList names;
    for (QAction *a : menu->actions())
        names << a->objectName();
    QCOMPARE(names, (QStringList{"edit-copy", "select-all"}));
    menu->close();
    QTRY_VERIFY(!b.findChild<QMenu *>(QStringLiteral("selectionMenu")));

    b.clearSelection();
    QContextMenuEvent onPicture(QContextMenuEvent::Mouse, pic, b.viewport()->mapToGlobal(pic));
    QApplication::sendEvent(b.viewport(), &onPicture);
    QCOMPARE(r.menuKinds.last(), int(PageBrowser::kMenuPicture));
    QVERIFY(r.pictureSources.last().startsWith(QStringLiteral("file:///")));
    QVERIFY(!b.findChild<QMenu *>(QStringLiteral("selectionMenu")));
}

// ======================================================================
// The main window's glue
// ======================================================================

void TestCoursePane::startsAtIndexWithStartPicture()
{
    auto m = openMain();
    MainWindow &w = *m->w;
    QCOMPARE(w.coursePane()->browser()->locationName(), QStringLiteral("Course index"));
    QCOMPARE(activeKind(), 0);
    QVERIFY(w.host()->startPicture());
    QVERIFY(!w.coursePane()->indexAction()->isEnabled()); // the title says "index"
    QVERIFY(!w.coursePane()->backAction()->isEnabled() && !w.coursePane()->forwardAction()->isEnabled());
    QCOMPARE(w.coursePane()->browser()->documentBackground(), QString());
}

void TestCoursePane::modelPagesSwitchTheModel()
{
    auto m = openMain();
    MainWindow &w = *m->w;

    // The model switches before the page has loaded.
    QVERIFY(clickLink(w.coursePane()->browser(), "YDS.HTM#fringes"));
    QCOMPARE(activeKind(), int(DoubleSlitKind));
    QVERIFY(w.coursePane()->browser()->isBusy());
    QVERIFY(!w.host()->startPicture());
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    QCOMPARE(CommandWindow::created, 1);
    QPointer<SimulationWindow> first = w.host()->activeWindow();
    QVERIFY(first);
    QVERIFY(w.coursePane()->indexAction()->isEnabled());
    QVERIFY(w.coursePane()->backAction()->isEnabled());

    // The same page again, with another spelling: the window stays.
    QVERIFY(w.coursePane()->browser()->navigate(fixturePage("yds.htm")));
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(CommandWindow::created, 1);
    QCOMPARE(w.host()->activeWindow(), first.data());

    // Another model page replaces it, and the menus follow the kind.
    QVERIFY(clickLink(w.coursePane()->browser(), "DAMPSHM.HTM"));
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    QCOMPARE(activeKind(), int(DampedOscillatorKind));
    QVERIFY(w.host()->graphMenu()->menuAction()->isVisible());
    QCOMPARE(CommandWindow::created, 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);
}

void TestCoursePane::pagesOfNoModelLeaveThePane()
{
    auto m = openMain();
    MainWindow &w = *m->w;
    // A page of no model, then the index from there, then a missing page:
    // the start picture stays.
    for (const char *href : {"other.htm", "index.htm", "missing.htm"}) {
        QVERIFY2(clickLink(w.coursePane()->browser(), href), href);
        QVERIFY(waitLoaded(w.coursePane()->browser()));
        QVERIFY(w.coursePane()->browser()->locationUrl().toString().endsWith(QLatin1String(href)));
        QCOMPARE(activeKind(), 0);
        QVERIFY(w.host()->startPicture());
        QVERIFY(w.host()->startPicture()->isVisible());
        QVERIFY(!w.host()->graphMenu()->menuAction()->isVisible());
    }
}

void TestCoursePane::specialLinksKeepThePage_data()
{
    QTest::addColumn<QString>("href");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("argument");
    QTest::newRow("picture") << "$PIC.png" << int(LinkAction::Picture)
                             << QFileInfo(fixturePage("images/pic.png")).absoluteFilePath();
    QTest::newRow("command") << "+CD" << int(LinkAction::Command) << "+CD";
    QTest::newRow("video") << "640,480,1,0,clip.flv" << int(LinkAction::Video) << "640,480,1,0,clip.flv";
    QTest::newRow("web") << "http://example.com/remote.htm" << -1 << "";
}

void TestCoursePane::specialLinksKeepThePage()
{
    QFETCH(QString, href);
    QFETCH(int, action);
    QFETCH(QString, argument);
    auto m = openMain();
    MainWindow &w = *m->w;
    const QString start = QStringLiteral("Young's double slit");
    QVERIFY(w.coursePane()->browser()->navigate(fixturePage(href.startsWith("http") ? "index.htm" : "yds.htm")));
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    const QUrl here = w.coursePane()->browser()->locationUrl();
    const int kind = activeKind();
    const bool back = w.coursePane()->backAction()->isEnabled(), fwd = w.coursePane()->forwardAction()->isEnabled();
    m_links.clear();

    QVERIFY(clickLink(w.coursePane()->browser(), href));
    QVERIFY(!w.coursePane()->browser()->isBusy());
    QTest::qWait(20);
    QCOMPARE(w.coursePane()->browser()->locationUrl(), here);
    QCOMPARE(activeKind(), kind);
    QCOMPARE(w.coursePane()->backAction()->isEnabled(), back);
    QCOMPARE(w.coursePane()->forwardAction()->isEnabled(), fwd);
    if (action < 0) {
        QVERIFY(m_links.isEmpty());
    } else {
        QCOMPARE(m_links.size(), 1);
        QCOMPARE(int(m_links[0].first), action);
        QCOMPARE(m_links[0].second, argument);
        QCOMPARE(w.coursePane()->browser()->locationName(), start);
    }
    // Only the picture link opens the magnifier, with the picture in it
    // and the link's description of it under it.
    if (action == int(LinkAction::Picture)) {
        QCOMPARE(m_magnified.size(), 1);
        QVERIFY(!QImage(argument).isNull());
        QCOMPARE(m_magnified[0], QImage(argument).size());
        QVERIFY(m_captions[0].startsWith(QLatin1String("A blue test picture forty pixels wide")));
        QCOMPARE(m_captions[0], linkTitle(w.coursePane()->browser(), href));
    } else {
        QVERIFY(m_magnified.isEmpty());
    }
}

void TestCoursePane::commandLinkReachesTheWindow()
{
    auto m = openMain();
    MainWindow &w = *m->w;
    QVERIFY(w.coursePane()->browser()->navigate(fixturePage("DAMPSHM.HTM")));
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    auto *window = dynamic_cast<CommandWindow *>(w.host()->activeWindow());
    QVERIFY(window);
    QVERIFY(clickLink(w.coursePane()->browser(), "+CD"));
    QCOMPARE(window->commands, QStringList{"+CD"});
    QCOMPARE(w.coursePane()->browser()->locationName(), QStringLiteral("Damped oscillations"));

    // The double slit window takes no commands: nothing reaches it.
    QVERIFY(w.coursePane()->browser()->navigate(fixturePage("YDS.HTM")));
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    auto *young = dynamic_cast<CommandWindow *>(w.host()->activeWindow());
    QVERIFY(young && young != window);
    QVERIFY(clickLink(w.coursePane()->browser(), "+CD"));
    QVERIFY(young->commands.isEmpty());
}

void TestCoursePane::backAndForwardSwitchTheModel()
{
    auto m = openMain();
    MainWindow &w = *m->w;
    QVERIFY(clickLink(w.coursePane()->browser(), "yds.htm"));
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    QVERIFY(clickLink(w.coursePane()->browser(), "DAMPSHM.HTM"));
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    QCOMPARE(activeKind(), int(DampedOscillatorKind));
    QVERIFY(w.coursePane()->backAction()->isEnabled() && !w.coursePane()->forwardAction()->isEnabled());

    w.coursePane()->backAction()->trigger();
    QCOMPARE(activeKind(), int(DoubleSlitKind)); // before the page has loaded
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    QCOMPARE(w.coursePane()->browser()->locationName(), QStringLiteral("Young's double slit"));
    QVERIFY(w.coursePane()->backAction()->isEnabled() && w.coursePane()->forwardAction()->isEnabled());

    w.coursePane()->forwardAction()->trigger();
    QCOMPARE(activeKind(), int(DampedOscillatorKind));
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    QVERIFY(!w.coursePane()->forwardAction()->isEnabled());

    // Back to the index: no model there, the last one stays.
    w.coursePane()->backAction()->trigger();
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    w.coursePane()->backAction()->trigger();
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    QCOMPARE(w.coursePane()->browser()->locationName(), QStringLiteral("Course index"));
    QCOMPARE(activeKind(), int(DoubleSlitKind));
    QVERIFY(!w.coursePane()->backAction()->isEnabled() && w.coursePane()->forwardAction()->isEnabled());
    QVERIFY(!w.coursePane()->indexAction()->isEnabled());
}

void TestCoursePane::indexButton()
{
    {
        auto m = openMain();
        MainWindow &w = *m->w;
        QVERIFY(w.coursePane()->browser()->navigate(fixturePage("other.htm")));
        QVERIFY(waitLoaded(w.coursePane()->browser()));
        QVERIFY(w.coursePane()->indexAction()->isEnabled());
        w.coursePane()->indexAction()->trigger();
        QVERIFY(waitLoaded(w.coursePane()->browser()));
        QCOMPARE(w.coursePane()->browser()->locationName(), QStringLiteral("Course index"));
        QVERIFY(!w.coursePane()->indexAction()->isEnabled());
    }
    // Without an index page the browser stays empty and Index does nothing.
    QTemporaryDir empty;
    auto m = openMain(empty.path());
    MainWindow &w = *m->w;
    QVERIFY(!w.coursePane()->browser()->hasDocument());
    w.coursePane()->showIndex();
    QVERIFY(!w.coursePane()->browser()->isBusy());
    QVERIFY(!w.coursePane()->browser()->hasDocument());
}

void TestCoursePane::backgroundColourCarriesToLaterPages()
{
    auto m = openMain();
    MainWindow &w = *m->w;
    w.coursePane()->paleBlueAction()->trigger();
    QCOMPARE(w.coursePane()->pageBackground(), QStringLiteral("#D9EAFF"));
    QCOMPARE(w.coursePane()->browser()->documentBackground(), QStringLiteral("#D9EAFF"));

    // The next page is drawn pale blue too, over its own colour.
    QVERIFY(clickLink(w.coursePane()->browser(), "DAMPSHM.HTM"));
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    QCOMPARE(w.coursePane()->browser()->documentBackground(), QStringLiteral("#D9EAFF"));
    QTRY_COMPARE(shownBackground(w.coursePane()->browser()), QColor(0xD9EAFF));

    // White: the current page turns white, later pages keep their own.
    w.coursePane()->whiteAction()->trigger();
    QCOMPARE(w.coursePane()->pageBackground(), QStringLiteral("#FFFFFF"));
    QCOMPARE(w.coursePane()->browser()->documentBackground(), QStringLiteral("#FFFFFF"));
    QVERIFY(clickLink(w.coursePane()->browser(), "other.htm"));
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    QCOMPARE(w.coursePane()->browser()->documentBackground(), QString());
    QVERIFY(clickLink(w.coursePane()->browser(), "DAMPSHM.HTM"));
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    QCOMPARE(w.coursePane()->browser()->documentBackground(), QStringLiteral("#FFEECC"));

    w.coursePane()->paleYellowAction()->trigger();
    QCOMPARE(w.coursePane()->pageBackground(), QStringLiteral("#FFFFE0"));
    QTRY_COMPARE(shownBackground(w.coursePane()->browser()), QColor(0xFFFFE0));
}

void TestCoursePane::colourNeedsADocument()
{
    QTemporaryDir empty;
    auto m = openMain(empty.path());
    MainWindow &w = *m->w;
    w.coursePane()->paleBlueAction()->trigger();
    QCOMPARE(w.coursePane()->pageBackground(), QStringLiteral("#FFFFFF"));
}

void TestCoursePane::dropDownsShowTheChoice()
{
    auto m = openMain();
    MainWindow &w = *m->w;
    w.coursePane()->textSizeAction(3)->trigger();
    w.coursePane()->textSizeAction(1)->setChecked(true); // a stale mark from an earlier opening
    emit w.coursePane()->fontMenu()->aboutToShow();
    for (QAction *a : {w.coursePane()->textSizeAction(0), w.coursePane()->textSizeAction(1), w.coursePane()->textSizeAction(2), w.coursePane()->textSizeAction(3), w.coursePane()->textSizeAction(4)})
        QCOMPARE(a->isChecked(), a == w.coursePane()->textSizeAction(3));

    w.coursePane()->paleBlueAction()->trigger();
    w.coursePane()->whiteAction()->setChecked(true);
    emit w.coursePane()->colourMenu()->aboutToShow();
    for (QAction *a : {w.coursePane()->whiteAction(), w.coursePane()->paleBlueAction(), w.coursePane()->paleYellowAction()})
        QCOMPARE(a->isChecked(), a == w.coursePane()->paleBlueAction());
}

void TestCoursePane::largestSurvivesPagesAndRestart()
{
    ScopedSettings settings;
    ScopedDialogAnswers answers(false);
    ScopedExeFolder exe(fixtureFolder());
    {
        MainWindow w(fixedScreen());
        w.show();
        QVERIFY(waitLoaded(w.coursePane()->browser()));
        w.coursePane()->textSizeAction(4)->trigger();
        QCOMPARE(w.coursePane()->textSize(), 4);
        QCOMPARE(w.coursePane()->browser()->textSize(), 4);
        for (const char *href : {"yds.htm", "other.htm", "DAMPSHM.HTM"}) {
            QVERIFY(clickLink(w.coursePane()->browser(), href));
            QVERIFY(waitLoaded(w.coursePane()->browser()));
            QCOMPARE(w.coursePane()->browser()->textSize(), 4);
        }
        // Were the engine's size changed behind our back, the next page puts it right.
        w.coursePane()->browser()->setTextSize(1);
        QVERIFY(clickLink(w.coursePane()->browser(), "index.htm"));
        QVERIFY(waitLoaded(w.coursePane()->browser()));
        QCOMPARE(w.coursePane()->browser()->textSize(), 4);
        w.saveSettings();
    }
    QCOMPARE(QSettings(QStringLiteral("Quillon"), QStringLiteral("Orvanta")).value("zoom").toInt(), 4);
    MainWindow w(fixedScreen());
    QCOMPARE(w.coursePane()->textSize(), 4);
    QCOMPARE(w.coursePane()->browser()->textSize(), 4);
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    QCOMPARE(w.coursePane()->browser()->textSize(), 4);
    QCOMPARE(w.coursePane()->browser()->font().pointSizeF(), PageBrowser::pointSizeForTextSize(4));
}

void TestCoursePane::storedBackgroundAppliesToFirstPage()
{
    ScopedSettings settings;
    ScopedDialogAnswers answers(false);
    ScopedExeFolder exe(fixtureFolder());
    QSettings(QStringLiteral("Quillon"), QStringLiteral("Orvanta")).setValue("textbgnd", "#FFFFE0");
    MainWindow w(fixedScreen());
    QCOMPARE(w.coursePane()->pageBackground(), QStringLiteral("#FFFFE0"));
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    QCOMPARE(w.coursePane()->browser()->locationName(), QStringLiteral("Course index"));
    QCOMPARE(w.coursePane()->browser()->documentBackground(), QStringLiteral("#FFFFE0"));
}

// Copy puts the whole page on the clipboard whatever was selected; neither
// Copy nor Select all moves the page, and the reader's selection survives
// the copy.
void TestCoursePane::copyCopiesTheWholePage()
{
    auto m = openMain();
    MainWindow &w = *m->w;
    PageBrowser *b = w.coursePane()->browser();
    QVERIFY(b->navigate(fixturePage("YDS.HTM")));
    QVERIFY(waitLoaded(b));
    QScrollBar *bar = b->verticalScrollBar();
    QVERIFY(bar->maximum() > 200);

    // The reader selected a word half-way down, then scrolled on a little.
    const int at = b->toPlainText().indexOf(QStringLiteral("Fringes"));
    QVERIFY(at > 0);
    QTextCursor part(b->document());
    part.setPosition(at);
    part.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
    b->setTextCursor(part);
    const int place = bar->maximum() / 3;
    bar->setValue(place);

    QApplication::clipboard()->clear();
    w.coursePane()->copyPageAction()->trigger();
    QCoreApplication::processEvents();
    const QString copied = QApplication::clipboard()->text();
    QVERIFY(copied.startsWith(QStringLiteral("Young's double slit")));
    QCOMPARE(copied.trimmed(), b->toPlainText().trimmed());
    QCOMPARE(bar->value(), place);
    QCOMPARE(b->textCursor().selectedText(), QStringLiteral("Fringes"));
    QCOMPARE(b->textCursor().selectionStart(), at);

    w.coursePane()->selectAllAction()->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(b->textCursor().selectedText().size(), b->toPlainText().size());
    QCOMPARE(bar->value(), place);
}

// A link's long title shows as a tooltip wrapped to a readable width on the
// screen, not as one line running off it.
void TestCoursePane::longTitlesWrapInTheirTooltip()
{
    auto m = openMain();
    MainWindow &w = *m->w;
    PageBrowser *b = w.coursePane()->browser();
    QVERIFY(b->navigate(fixturePage("YDS.HTM")));
    QVERIFY(waitLoaded(b));
    const QString title = linkTitle(b, "$PIC.png");
    QVERIFY(title.size() > 300);
    const QPoint at = linkPosition(b, "$PIC.png");
    QVERIFY(!at.isNull());
    QCOMPARE(b->titleAt(at), title);

    QHelpEvent hover(QEvent::ToolTip, at, b->viewport()->mapToGlobal(at));
    QApplication::sendEvent(b->viewport(), &hover);
    QLabel *tip = nullptr;
    QTRY_VERIFY((tip = [] {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("qtooltip_label") && top->isVisible())
                return qobject_cast<QLabel *>(top);
        return static_cast<QLabel *>(nullptr);
    }()));
    QVERIFY(tip->text().contains(QLatin1String("A blue test picture")));
    QVERIFY(tip->wordWrap());
    const QRect screen = b->screen()->geometry();
    QVERIFY2(tip->width() <= screen.width() / 2, qPrintable(QString::number(tip->width())));
    QVERIFY(tip->height() > 3 * tip->fontMetrics().height()); // several lines
    QVERIFY(screen.contains(tip->geometry()));
    QToolTip::hideText();
}

void TestCoursePane::editShortcutsReachTheMenuFromThePage()
{
    auto m = openMain();
    MainWindow &w = *m->w;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(w.coursePane()->browser()->navigate(fixturePage("other.htm")));
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    w.coursePane()->browser()->setFocus();
    QTRY_VERIFY(w.coursePane()->browser()->hasFocus());

    QSignalSpy selectAll(w.coursePane()->selectAllAction(), &QAction::triggered);
    QSignalSpy copy(w.coursePane()->copyPageAction(), &QAction::triggered);
    QTest::keyClick(w.coursePane()->browser(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(selectAll.size(), 1);

    QTextCursor part(w.coursePane()->browser()->document());
    part.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
    w.coursePane()->browser()->setTextCursor(part);
    QApplication::clipboard()->clear();
    QTest::keyClick(w.coursePane()->browser(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(copy.size(), 1);
    QCOMPARE(QApplication::clipboard()->text().trimmed(), w.coursePane()->browser()->toPlainText().trimmed());

    // The page toolbar's own keys work from the page as well; Ctrl+N opens nothing.
    QVERIFY(w.coursePane()->backAction()->isEnabled());
    QTest::keyClick(w.coursePane()->browser(), Qt::Key_B, Qt::ControlModifier);
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    QCOMPARE(w.coursePane()->browser()->locationName(), QStringLiteral("Course index"));
    const int windows = QApplication::topLevelWidgets().size();
    QTest::keyClick(w.coursePane()->browser(), Qt::Key_N, Qt::ControlModifier);
    QTest::qWait(20);
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    QVERIFY(!w.coursePane()->browser()->isBusy());
}

void TestCoursePane::pictureContextMenu()
{
    auto m = openMain();
    MainWindow &w = *m->w;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.coursePane()->browser()->navigate(fixturePage("DAMPSHM.HTM")));
    QVERIFY(waitLoaded(w.coursePane()->browser()));
    QWidget *view = w.coursePane()->browser()->viewport();
    auto rightClick = [view](QPoint at) {
        QContextMenuEvent e(QContextMenuEvent::Mouse, at, view->mapToGlobal(at));
        QApplication::sendEvent(view, &e);
    };

    // A picture that is there: the menu opens and copies it.
    const QPoint pic = picturePosition(w.coursePane()->browser(), QStringLiteral("images/pic.png"));
    QVERIFY(!pic.isNull());
    rightClick(pic);
    QTRY_VERIFY(w.coursePane()->pictureMenu()->isVisible());
    QCOMPARE(QFileInfo(w.coursePane()->picturePath()).canonicalFilePath(),
             QFileInfo(fixturePage("images/pic.png")).canonicalFilePath());
    w.coursePane()->pictureMenu()->close();
    QApplication::clipboard()->clear();
    w.coursePane()->copyPictureAction()->trigger();
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(40, 30));
    QCOMPARE(copied.pixelColor(5, 5), QColor(0x3366CC));

    // A picture whose file is missing: no menu at all.
    const QPoint none = picturePosition(w.coursePane()->browser(), QStringLiteral("images/none.png"));
    QVERIFY(!none.isNull());
    rightClick(none);
    QTest::qWait(20);
    QVERIFY(!w.coursePane()->pictureMenu()->isVisible());
    QCOMPARE(w.coursePane()->picturePath(), QString());
    QApplication::clipboard()->clear();
    w.coursePane()->copyPicture();
    QVERIFY(QApplication::clipboard()->image().isNull());

    // Plain text: no menu; selected text: the reduced menu of the engine.
    rightClick(pic);
    QTRY_VERIFY(w.coursePane()->pictureMenu()->isVisible());
    w.coursePane()->pictureMenu()->close();
    const QPoint words = linkPosition(w.coursePane()->browser(), "+CD") - QPoint(150, 0);
    rightClick(words);
    QCOMPARE(w.coursePane()->picturePath(), QString());
    QVERIFY(!w.coursePane()->browser()->findChild<QMenu *>(QStringLiteral("selectionMenu")));
    w.coursePane()->selectAllAction()->trigger();
    rightClick(words);
    auto *menu = w.coursePane()->browser()->findChild<QMenu *>(QStringLiteral("selectionMenu"));
    QVERIFY(menu);
    menu->close();
}

QTEST_MAIN(TestCoursePane)
#include "tst_coursepane.moc"
