// The page browser and its glue: which model a page opens, the special
// links, page colour and text size, Copy, history, and what is refused.
#include "TestSupport.h"

#include "app/BigPic.h"
#include "app/EmbeddedBrowser.h"
#include "app/PageLinks.h"
#include "app/SimulationRegistry.h"
#include "app/Splash.h"
#include "app/uWaveMain.h"
#include "sim/framework/SimulationForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace TestSupport;

namespace {

class CommandWindow : public TSimulationForm
{
public:
    void HandlePageCommand(const QString &t) override { commands << t; }
    QStringList commands;
};

// A small course: an index, pages of two models, a page of no model, a page
// with its own background, a picture, and special links.
class Course
{
public:
    Course()
    {
        QDir root(m_dir.path());
        root.mkpath(QStringLiteral("HTML/images"));
        write("HTML/index.htm", "<html><head><title>Course index</title></head><body>"
                                "<a href=\"YDS.HTM#fringes\">slits</a></body></html>");
        write("HTML/YDS.HTM", "<html><head><title>Two slits</title></head><body><p>Top</p>"
                              "<p style=\"margin-top:2000px\"><a name=\"fringes\">Fringes</a></p></body></html>");
        write("HTML/SUPERWAVE.HTM", "<html><head><title>Adding waves</title></head><body>"
                                    "<p>Sum of <b>waves</b>.</p></body></html>");
        write("HTML/DAMPSHM.HTM", "<html><head><title>Damping</title></head><body>"
                                  "<img src=\"images/Spring.png\"><p>Spring text</p>"
                                  "<a href=\"+CD\">critical</a> <a href=\"$Spring.png\">big</a>"
                                  " <a href=\"640,480,0,0,clip.flv\">film</a></body></html>");
        write("HTML/notes.htm", "<html><head><title>Notes</title></head><body><p>Plain notes.</p></body></html>");
        write("HTML/Pink.htm", "<html><head><title>Own colour</title></head>"
                               "<body bgcolor=\"#FFE0E0\"><p>Pink page.</p></body></html>");
        QImage img(120, 80, QImage::Format_ARGB32);
        img.fill(Qt::blue);
        img.save(m_dir.path() + QStringLiteral("/HTML/images/Spring.png"));
        m_exe = std::make_unique<ScopedExeFolder>(m_dir.path());
    }
    QString Page(const QString &name) const { return m_dir.path() + QStringLiteral("/HTML/") + name; }

private:
    void write(const char *rel, const char *text)
    {
        QFile f(m_dir.path() + '/' + QLatin1String(rel));
        f.open(QIODevice::WriteOnly);
        f.write(text);
    }
    QTemporaryDir m_dir;
    std::unique_ptr<ScopedExeFolder> m_exe;
};

ScreenInfoProvider screen()
{
    return [] {
        ScreenInfo s;
        s.size = QSize(1600, 1000);
        s.workArea = QRect(0, 0, 1600, 960);
        return s;
    };
}

QString fileName(const QUrl &url) { return QFileInfo(url.toLocalFile()).fileName(); }

} // namespace

class TestBrowser : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void linkHelpers_data();
    void linkHelpers();
    void anchorPageSelectsKindOnce();
    void unknownPagesLeaveThePane();
    void specialLinksKeepThePage();
    void pageColourCarriesOver();
    void textSizeSurvivesPagesAndRestart();
    void copyTakesTheWholePage();
    void historySwitchesModels();
    void onlyLocalFiles();
    void pictureContextMenu();

private:
    std::unique_ptr<ScopedSettings> m_settings;
    std::unique_ptr<ScopedDialogAnswers> m_answers;
    std::unique_ptr<Course> m_course;
};

void TestBrowser::init()
{
    m_settings = std::make_unique<ScopedSettings>();
    m_answers = std::make_unique<ScopedDialogAnswers>(true);
    m_course = std::make_unique<Course>();
    KindInfo shm = *FindKind(skDampedSHM);
    shm.createWindow = [] { return new CommandWindow; };
    OverrideKindForTesting(shm);
    ActiveKind = 0;
}

void TestBrowser::cleanup()
{
    RestoreKindsForTesting();
    m_course.reset();
    m_answers.reset();
    m_settings.reset();
}

void TestBrowser::linkHelpers_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("kind, anchor") << "kind" << "YDS.HTM#fringes" << "1";
    QTest::newRow("kind, path and case") << "kind" << "/c:\\course\\html\\dampshm.htm" << "9";
    QTest::newRow("kind, unknown keeps active") << "kind" << "notes.htm" << "5";
    QTest::newRow("kind, empty keeps active") << "kind" << "" << "5";
    QTest::newRow("segment, slash") << "segment" << "file:///a/b/640,480,0,0,x.flv" << "640,480,0,0,x.flv";
    QTest::newRow("segment, backslash") << "segment" << "c:\\a\\$pic.png" << "$pic.png";
    QTest::newRow("segment, none") << "segment" << "+CD" << "+CD";
#ifndef Q_OS_WIN
    QTest::newRow("path") << "path" << "file:///home/u/My%20Course/images/a.png" << "/home/u/My Course/images/a.png";
#endif
}

void TestBrowser::linkHelpers()
{
    QFETCH(QString, function);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    ActiveKind = 5;
    if (function == "kind")
        QCOMPARE(QString::number(KindOfPage(input)), expected);
    else if (function == "segment")
        QCOMPARE(LastUrlSegment(input), expected);
    else
        QCOMPARE(UrlToFilePath(input), expected);
    ActiveKind = 0;
}

void TestBrowser::anchorPageSelectsKindOnce()
{
    TWaveMainFrm w(screen());
    QCOMPARE(fileName(w.EWB->CurrentUrl()), QStringLiteral("index.htm"));
    QVERIFY(!w.IndexBtn->isEnabled()); // the location name says "index"
    emit w.EWB->anchorClicked(QUrl(QStringLiteral("YDS.HTM#fringes")));
    QCOMPARE(ActiveKind, 1);
    QCOMPARE(fileName(w.EWB->CurrentUrl()), QStringLiteral("YDS.HTM"));
    QVERIFY(w.IndexBtn->isEnabled());
    QVERIFY(w.BackBtn->isEnabled());
    TSimulationForm *first = w.ActiveSimulationWindow();
    QVERIFY(first);
    w.EWB->Navigate(QUrl(QStringLiteral("YDS.HTM")));
    QCOMPARE(w.ActiveSimulationWindow(), first); // same kind: the window keeps its state
}

void TestBrowser::unknownPagesLeaveThePane()
{
    QDir().mkpath(QFileInfo(m_course->Page("images/Splash.png")).path());
    QImage(64, 32, QImage::Format_ARGB32).save(m_course->Page("images/Splash.png"));
    TWaveMainFrm w(screen());
    QVERIFY(w.SplashImage);
    w.EWB->Navigate(QUrl(QStringLiteral("notes.htm")));
    w.IndexBtnClick();
    QCOMPARE(fileName(w.EWB->CurrentUrl()), QStringLiteral("index.htm"));
    QCOMPARE(ActiveKind, 0);
    QVERIFY(w.SplashImage);
    // A missing page is shown as such; nothing breaks.
    w.EWB->Navigate(QUrl(QStringLiteral("lost.htm")));
    QVERIFY(w.EWB->toPlainText().contains(QStringLiteral("Page not found")));
    QCOMPARE(ActiveKind, 0);
}

void TestBrowser::specialLinksKeepThePage()
{
    TWaveMainFrm w(screen());
    w.EWB->Navigate(QUrl(QStringLiteral("DAMPSHM.HTM")));
    QCOMPARE(ActiveKind, 9);
    auto *sim = dynamic_cast<CommandWindow *>(w.ActiveSimulationWindow());
    QVERIFY(sim);
    const QUrl page = w.EWB->CurrentUrl();

    w.EWB->Navigate(QUrl(QStringLiteral("+CD")));
    QCOMPARE(sim->commands, QStringList{QStringLiteral("+CD")});
    QCOMPARE(w.EWB->CurrentUrl(), page);

    // The picture opens in the magnifier at its own size.
    QSize shownSize;
    QTimer::singleShot(0, [&] {
        auto *mag = qobject_cast<TBigPicFrm *>(QApplication::activeModalWidget());
        QVERIFY(mag);
        shownSize = mag->MagPic->pixmap().size();
        mag->accept();
    });
    w.EWB->Navigate(QUrl(QStringLiteral("$Spring.png")));
    QCOMPARE(shownSize, QSize(120, 80));
    QCOMPARE(w.EWB->CurrentUrl(), page);

    w.EWB->Navigate(QUrl(QStringLiteral("640,480,0,0,clip.flv")));
    QCOMPARE(w.EWB->CurrentUrl(), page);
    QCOMPARE(w.EWB->CanGoForward(), false);
    QCOMPARE(ActiveKind, 9);
}

void TestBrowser::pageColourCarriesOver()
{
    TWaveMainFrm w(screen());
    w.White2Click(w.Blue2);
    QCOMPARE(w.TextBackground, QStringLiteral("#D9EAFF"));
    QCOMPARE(w.EWB->DocumentBackground(), QColor(0xD9EAFF));
    w.EWB->Navigate(QUrl(QStringLiteral("notes.htm")));
    QCOMPARE(w.EWB->DocumentBackground(), QColor(0xD9EAFF));
    w.TextBackColorBtnClick();
    QVERIFY(w.Blue2->isChecked() && !w.White2->isChecked());

    w.White2Click(w.White2);
    QCOMPARE(w.EWB->DocumentBackground(), QColor(Qt::white));
    w.EWB->Navigate(QUrl(QStringLiteral("Pink.htm")));
    QCOMPARE(w.EWB->DocumentBackground(), QColor(0xFFE0E0)); // its own again
}

void TestBrowser::textSizeSurvivesPagesAndRestart()
{
    qreal medium = 0, largest = 0;
    {
        TWaveMainFrm w(screen());
        medium = w.EWB->font().pointSizeF();
        w.N10PointClick(w.Size4);
        largest = w.EWB->font().pointSizeF();
        QVERIFY(largest > medium * 1.3);
        w.EWB->Navigate(QUrl(QStringLiteral("notes.htm")));
        QCOMPARE(w.EWB->TextSize(), 4);
        QCOMPARE(w.EWB->font().pointSizeF(), largest);
        w.FontBtnClick();
        QVERIFY(w.Size4->isChecked() && !w.Size2->isChecked());
        w.SaveSettings();
    }
    TWaveMainFrm w(screen());
    QCOMPARE(w.TextSize, 4);
    QCOMPARE(w.EWB->TextSize(), 4);
    QCOMPARE(w.EWB->font().pointSizeF(), largest);
}

void TestBrowser::copyTakesTheWholePage()
{
    TWaveMainFrm w(screen());
    w.EWB->Navigate(QUrl(QStringLiteral("SUPERWAVE.HTM")));
    QTextCursor c = w.EWB->textCursor();
    c.setPosition(0);
    c.setPosition(3, QTextCursor::KeepAnchor);
    w.EWB->setTextCursor(c);
    w.CopyHTML1Click();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Sum of waves."));
    QVERIFY(!w.EWB->textCursor().hasSelection());
}

void TestBrowser::historySwitchesModels()
{
    TWaveMainFrm w(screen());
    w.EWB->Navigate(QUrl(QStringLiteral("YDS.HTM")));
    w.EWB->Navigate(QUrl(QStringLiteral("DAMPSHM.HTM")));
    QCOMPARE(ActiveKind, 9);
    QVERIFY(w.BackBtn->isEnabled() && !w.FwdBtn->isEnabled());
    w.BackBtn->trigger();
    QCOMPARE(ActiveKind, 1);
    QCOMPARE(fileName(w.EWB->CurrentUrl()), QStringLiteral("YDS.HTM"));
    QVERIFY(w.FwdBtn->isEnabled());
    w.FwdBtn->trigger();
    QCOMPARE(ActiveKind, 9);
    // The browser's own back key takes the same road.
    w.EWB->backward();
    QCOMPARE(ActiveKind, 1);
    w.BackBtn->trigger();
    QCOMPARE(fileName(w.EWB->CurrentUrl()), QStringLiteral("index.htm"));
    QVERIFY(!w.BackBtn->isEnabled());
    QCOMPARE(ActiveKind, 1); // the index names no model
}

void TestBrowser::onlyLocalFiles()
{
    TWaveMainFrm w(screen());
    const QUrl before = w.EWB->CurrentUrl();
    for (const char *address : {"http://example.com/YDS.HTM", "mailto:someone@example.com",
                                "ftp://example.com/DAMPSHM.HTM", "javascript:alert(1)"}) {
        w.EWB->Navigate(QString::fromLatin1(address));
        QCOMPARE(w.EWB->CurrentUrl(), before);
        QCOMPARE(ActiveKind, 0);
    }
    // Pictures a page asks for from elsewhere are not fetched either.
    QVERIFY(w.EWB->loadResource(QTextDocument::ImageResource, QUrl("http://example.com/a.png")).isNull());
}

void TestBrowser::pictureContextMenu()
{
    TWaveMainFrm w(screen());
    w.resize(1200, 800);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.EWB->Navigate(QUrl(QStringLiteral("DAMPSHM.HTM")));
    QCoreApplication::processEvents();
    // The picture stands at the top-left of the page.
    const QString source = w.EWB->PictureSourceAt(QPoint(20, 20));
    QVERIFY(source.endsWith(QStringLiteral("images/Spring.png")));
    QVERIFY(w.EWB->PictureSourceAt(QPoint(20, 400)).isEmpty());

    bool handled = false;
    w.EWBShowContextMenu(TEmbeddedBrowser::mkPicture, source, QPoint(10, 10), handled);
    QVERIFY(handled);
    QVERIFY(w.PicturePath.endsWith(QStringLiteral("Spring.png")));
    w.PicPopUp->hide();
    w.CopyImage1Click();
    QCOMPARE(QApplication::clipboard()->image().size(), QSize(120, 80));

    // A missing picture gives no menu; selected text gets the browser's own.
    w.EWBShowContextMenu(TEmbeddedBrowser::mkPicture, source + "x", QPoint(10, 10), handled);
    QVERIFY(handled);
    QVERIFY(w.PicturePath.isEmpty());
    w.EWBShowContextMenu(TEmbeddedBrowser::mkSelectedText, QString(), QPoint(10, 10), handled);
    QVERIFY(!handled);
    w.EWBShowContextMenu(TEmbeddedBrowser::mkDefault, QString(), QPoint(10, 10), handled);
    QVERIFY(handled);
}

QTEST_MAIN(TestBrowser)
#include "tst_browser.moc"
