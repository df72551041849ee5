// The help window: loaded on the first request, it shows the collection's
// contents, finds keywords in its index and words in its pages.
#include "app/HelpViewer.h"
#include "core/PluginLoader.h"

#include <QDir>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <memory>

namespace {

bool helpLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6Help.so");
}

std::unique_ptr<HelpViewer> openHelp(const QString &collection)
{
    auto *factory = PluginLoader::instance<HelpViewerFactory>(QStringLiteral("orvanta_helpviewer"));
    return std::unique_ptr<HelpViewer>(factory ? factory->createHelpViewer(collection, nullptr) : nullptr);
}

QString pageText(HelpViewer &help)
{
    auto *page = help.window()->findChild<QTextBrowser *>(QStringLiteral("HelpPage"));
    return page ? page->toPlainText() : QString();
}

} // namespace

class TestHelpWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void helpLoadsOnFirstUse();
    void contentsShowTheFirstPage();
    void indexFindsAKeyword();
    void searchFindsAWordOfAPage();
    void unreadableCollection();
    void theProgramsHelpFindsItsWords();

private:
    QTemporaryDir m_dir; // a writable copy, so the search index goes there
    QString m_collection;
};

void TestHelpWindow::initTestCase()
{
#ifndef ORVANTA_TEST_HELP
    QSKIP("qhelpgenerator was not found: no help collection to test with");
#else
    QVERIFY(m_dir.isValid());
    for (const char *name : {"fixture.qhc", "fixture.qch"})
        QVERIFY(QFile::copy(QStringLiteral(ORVANTA_TEST_HELP "/") + QLatin1String(name), m_dir.filePath(QLatin1String(name))));
    m_collection = m_dir.filePath(QStringLiteral("fixture.qhc"));
#endif
}

void TestHelpWindow::helpLoadsOnFirstUse()
{
    if (!QFile::exists(QStringLiteral("/proc/self/maps")))
        QSKIP("needs /proc to see which libraries are loaded");
    QVERIFY(!helpLoaded());
    auto help = openHelp(m_collection);
    QVERIFY(help);
    QVERIFY(helpLoaded());
    QVERIFY(help->isValid());
}

void TestHelpWindow::contentsShowTheFirstPage()
{
    auto help = openHelp(m_collection);
    help->showContents();
    QVERIFY(help->window()->isVisible());
    QTRY_VERIFY(help->currentPage().toString().endsWith(QLatin1String("/start.html")));
    QCOMPARE(help->currentPage().scheme(), QStringLiteral("qthelp"));
    QVERIFY(pageText(*help).contains(QLatin1String("The first page.")));
}

void TestHelpWindow::indexFindsAKeyword()
{
    auto help = openHelp(m_collection);
    help->showIndex(QString());
    auto *lookFor = help->window()->findChild<QLineEdit *>(QStringLiteral("IndexFilter"));
    QVERIFY(lookFor->hasFocus() || !QApplication::focusWindow());
    QVERIFY(lookFor && lookFor->text().isEmpty());
    QTest::keyClicks(lookFor, QStringLiteral("zeb"));
    QTest::keyClick(lookFor, Qt::Key_Return);
    QTRY_VERIFY(help->currentPage().toString().endsWith(QLatin1String("/second.html")));
    QVERIFY(pageText(*help).contains(QLatin1String("quagga")));
}

void TestHelpWindow::searchFindsAWordOfAPage()
{
    auto help = openHelp(m_collection);
    help->search(QStringLiteral("quagga"));
    QTRY_VERIFY_WITH_TIMEOUT(!help->isSearching(), 20000);
    const QList<QUrl> found = help->searchResults();
    QCOMPARE(found.size(), 1);
    QVERIFY(found.first().toString().endsWith(QLatin1String("/second.html")));
    help->search(QStringLiteral("nowhere"));
    QTRY_VERIFY_WITH_TIMEOUT(!help->isSearching(), 20000);
    QVERIFY(help->searchResults().isEmpty());
}

void TestHelpWindow::unreadableCollection()
{
    QTemporaryDir dir;
    const QString junk = dir.filePath(QStringLiteral("junk.qhc"));
    QFile f(junk);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("this is not a help collection");
    f.close();
    auto help = openHelp(junk);
    QVERIFY(help);
    QVERIFY(!help->isValid());
    help->showContents();
    help->search(QStringLiteral("quagga"));
    QVERIFY(!help->isSearching());
    QVERIFY(pageText(*help).contains(QLatin1String("cannot be read")));
}

void TestHelpWindow::theProgramsHelpFindsItsWords()
{
    // The collection built beside the program, used from a copy so the
    // search index is written there.
    const QString built = QCoreApplication::applicationDirPath() + QStringLiteral("/Help/");
    if (!QFile::exists(built + QStringLiteral("Tessel.qhc")))
        QSKIP("the program's help collection was not built (no qhelpgenerator)");
    QTemporaryDir dir;
    for (const char *name : {"Tessel.qhc", "Tessel.qch"})
        QVERIFY(QFile::copy(built + QLatin1String(name), dir.filePath(QLatin1String(name))));
    auto help = openHelp(dir.filePath(QStringLiteral("Tessel.qhc")));
    QVERIFY(help && help->isValid());
    help->showContents();
    QTRY_VERIFY(help->currentPage().toString().endsWith(QLatin1String("/index.html")));
    help->search(QStringLiteral("Malus"));
    QTRY_VERIFY_WITH_TIMEOUT(!help->isSearching(), 30000);
    QStringList found;
    for (const QUrl &url : help->searchResults())
        found << url.fileName();
    QVERIFY2(found.contains(QStringLiteral("polarisation.html")), qPrintable(found.join(QLatin1Char(' '))));
    // The index lives beside the collection it belongs to.
    QVERIFY(QDir(dir.filePath(QStringLiteral(".Tessel"))).exists());
}

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
