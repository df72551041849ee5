// The topic browser: the browser facility over the text engine (navigation,
// history, before-navigate, background, text size, context menu) and the
// main window's glue (links to models, pictures, commands and videos, the
// page toolbar, the Edit menu, settings).
#include "TestSupport.h"

#include "app/BigPic.h"
#include "app/Dialogs.h"
#include "app/EmbeddedBrowser.h"
#include "app/FileLookup.h"
#include "app/PageLinks.h"
#include "app/SimulationRegistry.h"
#include "app/Splash.h"
#include "app/uWaveMain.h"
#include "sim/framework/SimulationForm.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QLabel>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
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

bool waitLoaded(TEmbeddedBrowser *b)
{
    return QTest::qWaitFor([b] { return !b->Busy(); }, 5000);
}

bool open(TEmbeddedBrowser &b, const char *page)
{
    return b.Navigate(fixturePage(QLatin1String(page))) && waitLoaded(&b);
}

// Where the first link with this href is drawn, in viewport coordinates
// (scrolling it into view first); null when the page has no such link.
QPoint linkPosition(TEmbeddedBrowser *b, const QString &href)
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

// Clicks a link as the reader does.
bool clickLink(TEmbeddedBrowser *b, const QString &href)
{
    const QPoint at = linkPosition(b, href);
    if (at.isNull())
        return false;
    QTest::mouseClick(b->viewport(), Qt::LeftButton, {}, at);
    return true;
}

// A point over the first picture of the page, in viewport coordinates.
QPoint picturePosition(TEmbeddedBrowser *b, const QString &name)
{
    for (int y = 0; y < qMin(200, b->viewport()->height()); y += 2)
        for (int x = 0; x < qMin(300, b->viewport()->width()); x += 2)
            if (b->document()->documentLayout()->imageAt(QPointF(x, y) + QPointF(0, b->verticalScrollBar()->value()))
                == name)
                return {x, y};
    return {};
}

QColor shownBackground(TEmbeddedBrowser *b)
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

    void attach(TEmbeddedBrowser &b)
    {
        b.OnBeforeNavigate2 = [this](const QUrl &u, bool &c) {
            seen << u;
            c = cancel && cancel(u);
        };
        b.OnDocumentComplete = [this] { ++completes; };
        b.OnCommandStateChange = [this](int command, bool on) { states << qMakePair(command, on); };
        b.OnShowContextMenu = [this](int kind, const QString &src, const QPoint &, bool &) {
            menuKinds << kind;
            pictureSources << src;
        };
    }
};

// The browser alone, shown, with its events recorded.
struct Shown {
    TEmbeddedBrowser b;
    Recorder r;
    Shown()
    {
        b.resize(600, 400);
        b.show();
        r.attach(b);
    }
};

// A window kind that records the page commands routed to it.
class CommandWindow : public TSimulationForm
{
public:
    CommandWindow() { ++created; }
    void HandlePageCommand(const QString &t) override { commands << t; }
    QStringList commands;
    static inline int created = 0;
};

} // namespace

class TestBrowser : public QObject
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
    void editShortcutsReachTheMenuFromThePage();
    void pictureContextMenu();

private:
    struct Main {
        ScopedSettings settings;
        ScopedDialogAnswers answers{false};
        std::unique_ptr<ScopedExeFolder> exe;
        std::unique_ptr<TWaveMainFrm> w;
    };
    std::unique_ptr<Main> openMain(const QString &exeFolder = {});
    QList<QPair<LinkAction, QString>> m_links;
    QList<QSize> m_magnified; // picture sizes the magnifier was opened with
};

void TestBrowser::initTestCase()
{
    QVERIFY2(!fixtureFolder().isEmpty(), "fixture folder not found");
}

void TestBrowser::init()
{
    ActiveKind = 0;
    m_links.clear();
    SetPageLinkObserver([this](LinkAction a, const QString &arg) { m_links << qMakePair(a, arg); });
    m_magnified.clear();
    Dialogs::SetModalHandler([this](QDialog &d) {
        if (auto *mag = qobject_cast<TBigPicFrm *>(&d))
            m_magnified << mag->MagPic->pixmap().size();
        return int(QDialog::Rejected);
    });
    for (int k : {skYoungDoubleSlit, skDampedSHM}) {
        KindInfo info = *FindKind(k);
        info.createWindow = [] { return new CommandWindow; };
        OverrideKindForTesting(info);
    }
    CommandWindow::created = 0;
}

void TestBrowser::cleanup()
{
    SetPageLinkObserver({});
    Dialogs::SetModalHandler({});
    RestoreKindsForTesting();
    ActiveKind = 0;
}

std::unique_ptr<TestBrowser::Main> TestBrowser::openMain(const QString &exeFolder)
{
    auto m = std::make_unique<Main>();
    m->exe = std::make_unique<ScopedExeFolder>(exeFolder.isEmpty() ? fixtureFolder() : exeFolder);
    m->w = std::make_unique<TWaveMainFrm>(FixedScreen());
    m->w->show();
    waitLoaded(m->w->EWB);
    return m;
}

// ======================================================================
// Page links
// ======================================================================

// Each helper against a table of addresses: the helper's result as text.
static QString applyHelper(const QString &helper, const QString &input)
{
    if (helper == QLatin1String("KindOfPage"))
        return QString::number(KindOfPage(input));
    if (helper == QLatin1String("LastUrlSegment"))
        return LastUrlSegment(input);
    if (helper == QLatin1String("UrlToFilePath"))
        return UrlToFilePath(input);
    static const char *actions[] = {"page", "picture", "command", "video"};
    return QLatin1String(actions[int(ClassifyLink(input))]);
}

void TestBrowser::linkHelpers_data()
{
    QTest::addColumn<QString>("helper");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    auto row = [](const char *helper, const char *name, const QString &input, const QString &expected) {
        QTest::addRow("%s: %s", helper, name) << QString::fromLatin1(helper) << input << expected;
    };
    // ActiveKind is 5 during these cases: names of no model return it.
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

void TestBrowser::linkHelpers()
{
    QFETCH(QString, helper);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    ActiveKind = 5;
    QCOMPARE(applyHelper(helper, input), expected);
}

// ======================================================================
// The browser facility
// ======================================================================

void TestBrowser::everyNavigationIsAnnounced()
{
    Shown s;
    TEmbeddedBrowser &b = s.b;
    Recorder &r = s.r;

    // A navigate call.
    QVERIFY(b.Navigate(fixturePage("index.htm")));
    QVERIFY(b.Busy());
    QVERIFY(waitLoaded(&b));
    QCOMPARE(r.seen.size(), 1);
    QCOMPARE(fileOf(r.seen.last()), QStringLiteral("index.htm"));
    QCOMPARE(r.completes, 1);
    QVERIFY(!b.CanGoBack() && !b.CanGoForward());

    // A link, written in other letter case than the file on disk.
    QVERIFY(clickLink(&b, "yds.htm"));
    QVERIFY(waitLoaded(&b));
    QCOMPARE(r.seen.size(), 2);
    QCOMPARE(fileOf(r.seen.last()), QStringLiteral("yds.htm"));
    QCOMPARE(b.LocationName(), QStringLiteral("Young's double slit"));
    QVERIFY(b.CanGoBack());

    // An anchor on the same page (through the engine's own setSource).
    const int top = b.verticalScrollBar()->value();
    b.setSource(QUrl(QStringLiteral("#fringes")));
    QVERIFY(waitLoaded(&b));
    QCOMPARE(r.seen.size(), 3);
    QCOMPARE(r.seen.last().fragment(), QStringLiteral("fringes"));
    QVERIFY(b.verticalScrollBar()->value() > top);

    // Back with the toolbar's operation, forward with the engine's key.
    QVERIFY(b.GoBack());
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
    QCOMPARE(b.LocationName(), QStringLiteral("Course index"));
    QVERIFY(!b.CanGoBack());
    QTest::mouseClick(b.viewport(), Qt::ForwardButton, {}, QPoint(10, 10));
    QVERIFY(waitLoaded(&b));
    QTest::keyClick(&b, Qt::Key_Up, Qt::AltModifier);
    QVERIFY(waitLoaded(&b));
    QCOMPARE(r.seen.size(), 9);
    QCOMPARE(b.LocationName(), QStringLiteral("Course index"));
    QVERIFY(b.CanGoBack() && !b.CanGoForward()); // home is a new step
    b.reload();
    QVERIFY(waitLoaded(&b));
    QCOMPARE(r.seen.size(), 10);
    QCOMPARE(r.completes, 10);
    QVERIFY(b.CanGoBack() && !b.CanGoForward());
}

void TestBrowser::cancelledNavigationChangesNothing()
{
    Shown s;
    TEmbeddedBrowser &b = s.b;
    Recorder &r = s.r;
    QVERIFY(open(b, "index.htm"));
    QVERIFY(open(b, "other.htm"));
    QVERIFY(b.GoBack());
    QVERIFY(waitLoaded(&b));
    QVERIFY(b.CanGoForward() && !b.CanGoBack());
    const QUrl here = b.LocationUrl();
    const QString text = b.toPlainText();
    const int completes = r.completes, states = r.states.size();

    r.cancel = [](const QUrl &) { return true; };
    QVERIFY(!b.Navigate(fixturePage("YDS.HTM")));
    QVERIFY(clickLink(&b, "DAMPSHM.HTM"));
    QVERIFY(!b.GoForward());
    QTest::keyClick(&b, Qt::Key_Right, Qt::AltModifier);
    QVERIFY(!b.Busy());
    QTest::qWait(50);
    QCOMPARE(r.seen.size(), 7); // three loads, then four refusals, all announced
    QCOMPARE(b.LocationUrl(), here);
    QCOMPARE(b.toPlainText(), text);
    QVERIFY(b.CanGoForward() && !b.CanGoBack());
    QCOMPARE(r.completes, completes);
    QCOMPARE(r.states.size(), states);

    // Once allowed, forward still leads where it led before.
    r.cancel = {};
    QVERIFY(b.GoForward());
    QVERIFY(waitLoaded(&b));
    QCOMPARE(fileOf(b.LocationUrl()), QStringLiteral("other.htm"));
    QVERIFY(!b.CanGoForward() && b.CanGoBack());
}

void TestBrowser::onlyLocalFilesAreFollowed_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("web") << "http://example.com/remote.htm";
    QTest::newRow("secure web") << "https://example.com/YDS.HTM";
    QTest::newRow("mail") << "mailto:someone@example.com";
    QTest::newRow("remote file") << "file://server/share/YDS.HTM";
    QTest::newRow("nothing") << "";
}

void TestBrowser::onlyLocalFilesAreFollowed()
{
    QFETCH(QString, address);
    Shown s;
    TEmbeddedBrowser &b = s.b;
    Recorder &r = s.r;
    QVERIFY(open(b, "index.htm"));
    const QUrl here = b.LocationUrl();

    QVERIFY(!b.Navigate(address));
    QVERIFY(!b.Navigate(QUrl(address)));
    QVERIFY(!b.Busy());
    QCOMPARE(r.seen.size(), 1); // refused before it became a navigation
    QCOMPARE(b.LocationUrl(), here);
    QVERIFY(!b.CanGoBack());
}

void TestBrowser::missingPageSaysSo()
{
    Shown s;
    TEmbeddedBrowser &b = s.b;
    Recorder &r = s.r;
    QVERIFY(open(b, "index.htm"));
    QVERIFY(clickLink(&b, "missing.htm"));
    QVERIFY(waitLoaded(&b));
    QVERIFY(b.toPlainText().contains(QStringLiteral("This page cannot be shown")));
    QVERIFY(b.toPlainText().contains(QStringLiteral("missing.htm")));
    QCOMPARE(fileOf(b.LocationUrl()), QStringLiteral("missing.htm"));
    QVERIFY(b.HasDocument());
    QCOMPARE(r.completes, 2); // the message is a page like any other
    QVERIFY(b.GoBack());
    QVERIFY(waitLoaded(&b));
    QCOMPARE(b.LocationName(), QStringLiteral("Course index"));
}

void TestBrowser::pagesInOlderEncodings()
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
    TEmbeddedBrowser b;
    for (const char *name : {"latin.htm", "utf8.htm", "declared.htm"}) {
        QVERIFY(b.Navigate(dir.path() + '/' + QLatin1String(name)));
        QVERIFY(waitLoaded(&b));
        QCOMPARE(b.toPlainText().trimmed(), QStringLiteral("caf\u00e9 \u00b0C"));
    }
}

void TestBrowser::backRestoresScrollPosition()
{
    TEmbeddedBrowser b;
    b.resize(600, 300);
    b.show();
    QVERIFY(open(b, "YDS.HTM"));
    QScrollBar *v = b.verticalScrollBar();
    QTRY_VERIFY(v->maximum() > 1000);
    v->setValue(1000);
    QVERIFY(b.Navigate(QStringLiteral("other.htm")));
    QVERIFY(waitLoaded(&b));
    QCOMPARE(v->value(), 0);
    QVERIFY(b.GoBack());
    QVERIFY(waitLoaded(&b));
    QCOMPARE(b.LocationName(), QStringLiteral("Young's double slit"));
    QCOMPARE(v->value(), 1000); // where the reader left it
    QVERIFY(b.GoForward());
    QVERIFY(waitLoaded(&b));
    QCOMPARE(v->value(), 0);
}

void TestBrowser::locationNameIsTitleOrAddress()
{
    TEmbeddedBrowser b;
    QCOMPARE(b.LocationName(), QString());
    QVERIFY(!b.HasDocument());
    QVERIFY(open(b, "other.htm"));
    QCOMPARE(b.LocationName(), b.LocationUrl().toString());
    QVERIFY(b.LocationName().endsWith(QStringLiteral("/HTML/other.htm")));
    QVERIFY(open(b, "DAMPSHM.HTM"));
    QCOMPARE(b.LocationName(), QStringLiteral("Damped oscillations"));
}

void TestBrowser::textSizeClampsAndGrows()
{
    TEmbeddedBrowser b;
    b.resize(600, 400);
    b.show();
    QCOMPARE(b.TextSize(), 2);
    QVERIFY(open(b, "other.htm"));
    b.SetTextSize(-3);
    QCOMPARE(b.TextSize(), 0);
    b.SetTextSize(9);
    QCOMPARE(b.TextSize(), 4);

    // Each step draws the page's text larger than the one before.
    qreal previous = 0;
    for (int size = 0; size <= 4; ++size) {
        b.SetTextSize(size);
        QCOMPARE(b.font().pointSizeF(), TEmbeddedBrowser::FontPointSize(size));
        const qreal height = b.document()->documentLayout()->documentSize().height();
        QVERIFY2(height > previous, qPrintable(QStringLiteral("size %1").arg(size)));
        previous = height;
    }
    QCOMPARE(TEmbeddedBrowser::FontPointSize(2), 12.0);

    // The engine's own zoom (Ctrl+wheel, Ctrl++) would leave the five sizes.
    b.SetTextSize(2);
    QWheelEvent wheel(QPointF(50, 50), b.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(b.viewport(), &wheel);
    QTest::keyClick(&b, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(&b, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(b.font().pointSizeF(), TEmbeddedBrowser::FontPointSize(2));
}

void TestBrowser::documentBackground()
{
    TEmbeddedBrowser b;
    b.resize(600, 400);
    b.show();
    QVERIFY(!b.SetDocumentBackground(QStringLiteral("#D9EAFF"))); // no document yet

    QVERIFY(open(b, "DAMPSHM.HTM"));
    QCOMPARE(b.DocumentBackground(), QStringLiteral("#FFEECC")); // the page's own
    QCOMPARE(shownBackground(&b), QColor(0xFFEECC));

    QVERIFY(b.SetDocumentBackground(QStringLiteral("#D9EAFF")));
    QCOMPARE(b.DocumentBackground(), QStringLiteral("#D9EAFF"));
    QTRY_COMPARE(shownBackground(&b), QColor(0xD9EAFF));
    QVERIFY(!b.SetDocumentBackground(QStringLiteral("#GGHHII")));
    QCOMPARE(b.DocumentBackground(), QStringLiteral("#D9EAFF"));

    // A page without a colour of its own is white, whatever the theme says.
    QPalette dark = QApplication::palette();
    dark.setColor(QPalette::Base, QColor(0x303030));
    QApplication::setPalette(dark);
    QVERIFY(open(b, "other.htm"));
    QCOMPARE(b.DocumentBackground(), QString());
    QTRY_COMPARE(shownBackground(&b), QColor(Qt::white));
    QApplication::setPalette(QPalette());
}

void TestBrowser::contextMenuKinds()
{
    TEmbeddedBrowser b;
    b.resize(600, 400);
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    Recorder r;
    r.attach(b);
    QVERIFY(open(b, "DAMPSHM.HTM"));

    // A picture: kind 1 with the picture's address taken from the page.
    const QPoint pic = picturePosition(&b, QStringLiteral("images/pic.png"));
    QVERIFY(!pic.isNull());
    TEmbeddedBrowser::HitInfo hit = b.HitTest(pic);
    QCOMPARE(hit.menuKind, int(TEmbeddedBrowser::kMenuPicture));
    QCOMPARE(QUrl(hit.pictureSource).toLocalFile(),
             QFileInfo(fixturePage("images/pic.png")).absoluteFilePath());

    // A link, plain text, then the same text selected.
    QCOMPARE(b.HitTest(linkPosition(&b, "+CD")).menuKind, int(TEmbeddedBrowser::kMenuAnchor));
    const QPoint words = linkPosition(&b, "+CD") - QPoint(150, 0);
    QCOMPARE(b.HitTest(words).menuKind, int(TEmbeddedBrowser::kMenuDefault));
    b.SelectAll();
    QCOMPARE(b.HitTest(words).menuKind, int(TEmbeddedBrowser::kMenuTextSelection));

    // The engine's own menu comes only for the selection, with only
    // copying and selecting in it.
    QContextMenuEvent onSelection(QContextMenuEvent::Mouse, words, b.viewport()->mapToGlobal(words));
    QApplication::sendEvent(b.viewport(), &onSelection);
    QCOMPARE(r.menuKinds, QList<int>{TEmbeddedBrowser::kMenuTextSelection});
    auto *menu = b.findChild<QMenu *>(QStringLiteral("EWBSelectionMenu"));
    QVERIFY(menu);
    QStringList names;
    for (QAction *a : menu->actions())
        names << a->objectName();
    QCOMPARE(names, (QStringList{"edit-copy", "select-all"}));
    menu->close();
    QTRY_VERIFY(!b.findChild<QMenu *>(QStringLiteral("EWBSelectionMenu")));

    b.ClearSelection();
    QContextMenuEvent onPicture(QContextMenuEvent::Mouse, pic, b.viewport()->mapToGlobal(pic));
    QApplication::sendEvent(b.viewport(), &onPicture);
    QCOMPARE(r.menuKinds.last(), int(TEmbeddedBrowser::kMenuPicture));
    QVERIFY(r.pictureSources.last().startsWith(QStringLiteral("file:///")));
    QVERIFY(!b.findChild<QMenu *>(QStringLiteral("EWBSelectionMenu")));
}

// ======================================================================
// The main window's glue
// ======================================================================

void TestBrowser::startsAtIndexWithStartPicture()
{
    auto m = openMain();
    TWaveMainFrm &w = *m->w;
    QCOMPARE(w.EWB->LocationName(), QStringLiteral("Course index"));
    QCOMPARE(ActiveKind, 0);
    QVERIFY(w.SplashImage);
    QVERIFY(!w.IndexBtn->isEnabled()); // the title says "index"
    QVERIFY(!w.BackBtn->isEnabled() && !w.FwdBtn->isEnabled());
    QCOMPARE(w.EWB->DocumentBackground(), QString());
}

void TestBrowser::modelPagesSwitchTheModel()
{
    auto m = openMain();
    TWaveMainFrm &w = *m->w;

    // The model switches before the page has loaded.
    QVERIFY(clickLink(w.EWB, "YDS.HTM#fringes"));
    QCOMPARE(ActiveKind, int(skYoungDoubleSlit));
    QVERIFY(w.EWB->Busy());
    QVERIFY(!w.SplashImage);
    QVERIFY(waitLoaded(w.EWB));
    QCOMPARE(CommandWindow::created, 1);
    QPointer<TSimulationForm> first = w.ActiveSimulationWindow();
    QVERIFY(first);
    QVERIFY(w.IndexBtn->isEnabled());
    QVERIFY(w.BackBtn->isEnabled());

    // The same page again, with another spelling: the window stays.
    QVERIFY(w.EWB->Navigate(fixturePage("yds.htm")));
    QVERIFY(waitLoaded(w.EWB));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(CommandWindow::created, 1);
    QCOMPARE(w.ActiveSimulationWindow(), first.data());

    // Another model page replaces it, and the menus follow the kind.
    QVERIFY(clickLink(w.EWB, "DAMPSHM.HTM"));
    QVERIFY(waitLoaded(w.EWB));
    QCOMPARE(ActiveKind, int(skDampedSHM));
    QVERIFY(w.Graph1->menuAction()->isVisible());
    QCOMPARE(CommandWindow::created, 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);
}

void TestBrowser::pagesOfNoModelLeaveThePane()
{
    auto m = openMain();
    TWaveMainFrm &w = *m->w;
    // A page of no model, then the index from there, then a missing page:
    // the start picture stays.
    for (const char *href : {"other.htm", "index.htm", "missing.htm"}) {
        QVERIFY2(clickLink(w.EWB, href), href);
        QVERIFY(waitLoaded(w.EWB));
        QVERIFY(w.EWB->LocationUrl().toString().endsWith(QLatin1String(href)));
        QCOMPARE(ActiveKind, 0);
        QVERIFY(w.SplashImage);
        QVERIFY(w.SplashImage->isVisible());
        QVERIFY(!w.Graph1->menuAction()->isVisible());
    }
}

void TestBrowser::specialLinksKeepThePage_data()
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

void TestBrowser::specialLinksKeepThePage()
{
    QFETCH(QString, href);
    QFETCH(int, action);
    QFETCH(QString, argument);
    auto m = openMain();
    TWaveMainFrm &w = *m->w;
    const QString start = QStringLiteral("Young's double slit");
    QVERIFY(w.EWB->Navigate(fixturePage(href.startsWith("http") ? "index.htm" : "yds.htm")));
    QVERIFY(waitLoaded(w.EWB));
    const QUrl here = w.EWB->LocationUrl();
    const int kind = ActiveKind;
    const bool back = w.BackBtn->isEnabled(), fwd = w.FwdBtn->isEnabled();
    m_links.clear();

    QVERIFY(clickLink(w.EWB, href));
    QVERIFY(!w.EWB->Busy());
    QTest::qWait(20);
    QCOMPARE(w.EWB->LocationUrl(), here);
    QCOMPARE(ActiveKind, kind);
    QCOMPARE(w.BackBtn->isEnabled(), back);
    QCOMPARE(w.FwdBtn->isEnabled(), fwd);
    if (action < 0) {
        QVERIFY(m_links.isEmpty());
    } else {
        QCOMPARE(m_links.size(), 1);
        QCOMPARE(int(m_links[0].first), action);
        QCOMPARE(m_links[0].second, argument);
        QCOMPARE(w.EWB->LocationName(), start);
    }
    // Only the picture link opens the magnifier, with the picture in it.
    if (action == int(LinkAction::Picture)) {
        QCOMPARE(m_magnified.size(), 1);
        QVERIFY(!QImage(argument).isNull());
        QCOMPARE(m_magnified[0], QImage(argument).size());
    } else {
        QVERIFY(m_magnified.isEmpty());
    }
}

void TestBrowser::commandLinkReachesTheWindow()
{
    auto m = openMain();
    TWaveMainFrm &w = *m->w;
    QVERIFY(w.EWB->Navigate(fixturePage("DAMPSHM.HTM")));
    QVERIFY(waitLoaded(w.EWB));
    auto *window = dynamic_cast<CommandWindow *>(w.ActiveSimulationWindow());
    QVERIFY(window);
    QVERIFY(clickLink(w.EWB, "+CD"));
    QCOMPARE(window->commands, QStringList{"+CD"});
    QCOMPARE(w.EWB->LocationName(), QStringLiteral("Damped oscillations"));

    // The double slit window takes no commands: nothing reaches it.
    QVERIFY(w.EWB->Navigate(fixturePage("YDS.HTM")));
    QVERIFY(waitLoaded(w.EWB));
    auto *young = dynamic_cast<CommandWindow *>(w.ActiveSimulationWindow());
    QVERIFY(young && young != window);
    QVERIFY(clickLink(w.EWB, "+CD"));
    QVERIFY(young->commands.isEmpty());
}

void TestBrowser::backAndForwardSwitchTheModel()
{
    auto m = openMain();
    TWaveMainFrm &w = *m->w;
    QVERIFY(clickLink(w.EWB, "yds.htm"));
    QVERIFY(waitLoaded(w.EWB));
    QVERIFY(clickLink(w.EWB, "DAMPSHM.HTM"));
    QVERIFY(waitLoaded(w.EWB));
    QCOMPARE(ActiveKind, int(skDampedSHM));
    QVERIFY(w.BackBtn->isEnabled() && !w.FwdBtn->isEnabled());

    w.BackBtn->trigger();
    QCOMPARE(ActiveKind, int(skYoungDoubleSlit)); // before the page has loaded
    QVERIFY(waitLoaded(w.EWB));
    QCOMPARE(w.EWB->LocationName(), QStringLiteral("Young's double slit"));
    QVERIFY(w.BackBtn->isEnabled() && w.FwdBtn->isEnabled());

    w.FwdBtn->trigger();
    QCOMPARE(ActiveKind, int(skDampedSHM));
    QVERIFY(waitLoaded(w.EWB));
    QVERIFY(!w.FwdBtn->isEnabled());

    // Back to the index: no model there, the last one stays.
    w.BackBtn->trigger();
    QVERIFY(waitLoaded(w.EWB));
    w.BackBtn->trigger();
    QVERIFY(waitLoaded(w.EWB));
    QCOMPARE(w.EWB->LocationName(), QStringLiteral("Course index"));
    QCOMPARE(ActiveKind, int(skYoungDoubleSlit));
    QVERIFY(!w.BackBtn->isEnabled() && w.FwdBtn->isEnabled());
    QVERIFY(!w.IndexBtn->isEnabled());
}

void TestBrowser::indexButton()
{
    {
        auto m = openMain();
        TWaveMainFrm &w = *m->w;
        QVERIFY(w.EWB->Navigate(fixturePage("other.htm")));
        QVERIFY(waitLoaded(w.EWB));
        QVERIFY(w.IndexBtn->isEnabled());
        w.IndexBtn->trigger();
        QVERIFY(waitLoaded(w.EWB));
        QCOMPARE(w.EWB->LocationName(), QStringLiteral("Course index"));
        QVERIFY(!w.IndexBtn->isEnabled());
    }
    // Without an index page the browser stays empty and Index does nothing.
    QTemporaryDir empty;
    auto m = openMain(empty.path());
    TWaveMainFrm &w = *m->w;
    QVERIFY(!w.EWB->HasDocument());
    w.IndexBtnClick();
    QVERIFY(!w.EWB->Busy());
    QVERIFY(!w.EWB->HasDocument());
}

void TestBrowser::backgroundColourCarriesToLaterPages()
{
    auto m = openMain();
    TWaveMainFrm &w = *m->w;
    w.Blue2->trigger();
    QCOMPARE(w.TextBackground, QStringLiteral("#D9EAFF"));
    QCOMPARE(w.EWB->DocumentBackground(), QStringLiteral("#D9EAFF"));

    // The next page is drawn pale blue too, over its own colour.
    QVERIFY(clickLink(w.EWB, "DAMPSHM.HTM"));
    QVERIFY(waitLoaded(w.EWB));
    QCOMPARE(w.EWB->DocumentBackground(), QStringLiteral("#D9EAFF"));
    QTRY_COMPARE(shownBackground(w.EWB), QColor(0xD9EAFF));

    // White: the current page turns white, later pages keep their own.
    w.White2->trigger();
    QCOMPARE(w.TextBackground, QStringLiteral("#FFFFFF"));
    QCOMPARE(w.EWB->DocumentBackground(), QStringLiteral("#FFFFFF"));
    QVERIFY(clickLink(w.EWB, "other.htm"));
    QVERIFY(waitLoaded(w.EWB));
    QCOMPARE(w.EWB->DocumentBackground(), QString());
    QVERIFY(clickLink(w.EWB, "DAMPSHM.HTM"));
    QVERIFY(waitLoaded(w.EWB));
    QCOMPARE(w.EWB->DocumentBackground(), QStringLiteral("#FFEECC"));

    w.Yellow2->trigger();
    QCOMPARE(w.TextBackground, QStringLiteral("#FFFFE0"));
    QTRY_COMPARE(shownBackground(w.EWB), QColor(0xFFFFE0));
}

void TestBrowser::colourNeedsADocument()
{
    QTemporaryDir empty;
    auto m = openMain(empty.path());
    TWaveMainFrm &w = *m->w;
    w.Blue2->trigger();
    QCOMPARE(w.TextBackground, QStringLiteral("#FFFFFF"));
}

void TestBrowser::dropDownsShowTheChoice()
{
    auto m = openMain();
    TWaveMainFrm &w = *m->w;
    w.Size3->trigger();
    w.Size1->setChecked(true); // a stale mark from an earlier opening
    emit w.FontMenu->aboutToShow();
    for (QAction *a : {w.Size0, w.Size1, w.Size2, w.Size3, w.Size4})
        QCOMPARE(a->isChecked(), a == w.Size3);

    w.Blue2->trigger();
    w.White2->setChecked(true);
    emit w.ColourMenu->aboutToShow();
    for (QAction *a : {w.White2, w.Blue2, w.Yellow2})
        QCOMPARE(a->isChecked(), a == w.Blue2);
}

void TestBrowser::largestSurvivesPagesAndRestart()
{
    ScopedSettings settings;
    ScopedDialogAnswers answers(false);
    ScopedExeFolder exe(fixtureFolder());
    {
        TWaveMainFrm w(FixedScreen());
        w.show();
        QVERIFY(waitLoaded(w.EWB));
        w.Size4->trigger();
        QCOMPARE(w.TextSize, 4);
        QCOMPARE(w.EWB->TextSize(), 4);
        for (const char *href : {"yds.htm", "other.htm", "DAMPSHM.HTM"}) {
            QVERIFY(clickLink(w.EWB, href));
            QVERIFY(waitLoaded(w.EWB));
            QCOMPARE(w.EWB->TextSize(), 4);
        }
        // Were the engine's size changed behind our back, the next page puts it right.
        w.EWB->SetTextSize(1);
        QVERIFY(clickLink(w.EWB, "index.htm"));
        QVERIFY(waitLoaded(w.EWB));
        QCOMPARE(w.EWB->TextSize(), 4);
        w.SaveSettings();
    }
    QCOMPARE(QSettings(QStringLiteral("Quillon"), QStringLiteral("Orvanta")).value("zoom").toInt(), 4);
    TWaveMainFrm w(FixedScreen());
    QCOMPARE(w.TextSize, 4);
    QCOMPARE(w.EWB->TextSize(), 4);
    QVERIFY(waitLoaded(w.EWB));
    QCOMPARE(w.EWB->TextSize(), 4);
    QCOMPARE(w.EWB->font().pointSizeF(), TEmbeddedBrowser::FontPointSize(4));
}

void TestBrowser::storedBackgroundAppliesToFirstPage()
{
    ScopedSettings settings;
    ScopedDialogAnswers answers(false);
    ScopedExeFolder exe(fixtureFolder());
    QSettings(QStringLiteral("Quillon"), QStringLiteral("Orvanta")).setValue("textbgnd", "#FFFFE0");
    TWaveMainFrm w(FixedScreen());
    QCOMPARE(w.TextBackground, QStringLiteral("#FFFFE0"));
    QVERIFY(waitLoaded(w.EWB));
    QCOMPARE(w.EWB->LocationName(), QStringLiteral("Course index"));
    QCOMPARE(w.EWB->DocumentBackground(), QStringLiteral("#FFFFE0"));
}

void TestBrowser::copyCopiesTheWholePage()
{
    auto m = openMain();
    TWaveMainFrm &w = *m->w;
    QVERIFY(w.EWB->Navigate(fixturePage("other.htm")));
    QVERIFY(waitLoaded(w.EWB));
    QTextCursor part(w.EWB->document());
    part.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
    w.EWB->setTextCursor(part);
    QCOMPARE(w.EWB->textCursor().selectedText(), QStringLiteral("First "));

    QApplication::clipboard()->clear();
    w.CopyHTML1->trigger();
    const QString copied = QApplication::clipboard()->text();
    QVERIFY(copied.startsWith(QStringLiteral("First words of a page without a title.")));
    QVERIFY(copied.contains(QStringLiteral("Contents")));
    QCOMPARE(copied.trimmed(), w.EWB->toPlainText().trimmed());
    QVERIFY(!w.EWB->textCursor().hasSelection());

    w.SelectAll1->trigger();
    QCOMPARE(w.EWB->textCursor().selectedText().size(), w.EWB->toPlainText().size());
}

void TestBrowser::editShortcutsReachTheMenuFromThePage()
{
    auto m = openMain();
    TWaveMainFrm &w = *m->w;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(w.EWB->Navigate(fixturePage("other.htm")));
    QVERIFY(waitLoaded(w.EWB));
    w.EWB->setFocus();
    QTRY_VERIFY(w.EWB->hasFocus());

    QSignalSpy selectAll(w.SelectAll1, &QAction::triggered);
    QSignalSpy copy(w.CopyHTML1, &QAction::triggered);
    QTest::keyClick(w.EWB, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(selectAll.size(), 1);

    QTextCursor part(w.EWB->document());
    part.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
    w.EWB->setTextCursor(part);
    QApplication::clipboard()->clear();
    QTest::keyClick(w.EWB, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(copy.size(), 1);
    QCOMPARE(QApplication::clipboard()->text().trimmed(), w.EWB->toPlainText().trimmed());

    // The page toolbar's own keys work from the page as well; Ctrl+N opens nothing.
    QVERIFY(w.BackBtn->isEnabled());
    QTest::keyClick(w.EWB, Qt::Key_B, Qt::ControlModifier);
    QVERIFY(waitLoaded(w.EWB));
    QCOMPARE(w.EWB->LocationName(), QStringLiteral("Course index"));
    const int windows = QApplication::topLevelWidgets().size();
    QTest::keyClick(w.EWB, Qt::Key_N, Qt::ControlModifier);
    QTest::qWait(20);
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    QVERIFY(!w.EWB->Busy());
}

void TestBrowser::pictureContextMenu()
{
    auto m = openMain();
    TWaveMainFrm &w = *m->w;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.EWB->Navigate(fixturePage("DAMPSHM.HTM")));
    QVERIFY(waitLoaded(w.EWB));
    QWidget *view = w.EWB->viewport();
    auto rightClick = [view](QPoint at) {
        QContextMenuEvent e(QContextMenuEvent::Mouse, at, view->mapToGlobal(at));
        QApplication::sendEvent(view, &e);
    };

    // A picture that is there: the menu opens and copies it.
    const QPoint pic = picturePosition(w.EWB, QStringLiteral("images/pic.png"));
    QVERIFY(!pic.isNull());
    rightClick(pic);
    QTRY_VERIFY(w.PicPopUp->isVisible());
    QCOMPARE(QFileInfo(w.PicturePath).canonicalFilePath(),
             QFileInfo(fixturePage("images/pic.png")).canonicalFilePath());
    w.PicPopUp->close();
    QApplication::clipboard()->clear();
    w.CopyImage1->trigger();
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(40, 30));
    QCOMPARE(copied.pixelColor(5, 5), QColor(0x3366CC));

    // A picture whose file is missing: no menu at all.
    const QPoint none = picturePosition(w.EWB, QStringLiteral("images/none.png"));
    QVERIFY(!none.isNull());
    rightClick(none);
    QTest::qWait(20);
    QVERIFY(!w.PicPopUp->isVisible());
    QCOMPARE(w.PicturePath, QString());
    QApplication::clipboard()->clear();
    w.CopyImage1Click();
    QVERIFY(QApplication::clipboard()->image().isNull());

    // Plain text: no menu; selected text: the reduced menu of the engine.
    rightClick(pic);
    QTRY_VERIFY(w.PicPopUp->isVisible());
    w.PicPopUp->close();
    const QPoint words = linkPosition(w.EWB, "+CD") - QPoint(150, 0);
    rightClick(words);
    QCOMPARE(w.PicturePath, QString());
    QVERIFY(!w.EWB->findChild<QMenu *>(QStringLiteral("EWBSelectionMenu")));
    w.SelectAll1->trigger();
    rightClick(words);
    auto *menu = w.EWB->findChild<QMenu *>(QStringLiteral("EWBSelectionMenu"));
    QVERIFY(menu);
    menu->close();
}

QTEST_MAIN(TestBrowser)
#include "tst_browser.moc"
