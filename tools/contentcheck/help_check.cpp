// Opens a help collection the way the program does and prints what a user
// would find: the namespaces, the contents tree, the index keywords and the
// full-text hits for a word. Exits 1 when the contents are empty or the word
// is not found.
//
//   help_check COLLECTION.qhc WORD
#include <QApplication>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexModel>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQuery>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>

static void printTree(QHelpContentItem *item, int depth)
{
    for (int i = 0; i < item->childCount(); ++i) {
        QHelpContentItem *c = item->child(i);
        std::printf("%*s%s  <%s>\n", depth * 2, "", qPrintable(c->title()), qPrintable(c->url().toString()));
        printTree(c, depth + 1);
    }
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: help_check COLLECTION.qhc WORD\n");
        return 2;
    }
    QHelpEngine engine(QString::fromLocal8Bit(argv[1]));
    engine.setReadOnly(true);
    if (!engine.setupData()) {
        std::fprintf(stderr, "setupData failed: %s\n", qPrintable(engine.error()));
        return 1;
    }
    std::printf("namespaces: %s\n", qPrintable(engine.registeredDocumentations().join(", ")));
    for (const QString &ns : engine.registeredDocumentations())
        std::printf("  %s -> %s\n", qPrintable(ns), qPrintable(engine.documentationFileName(ns)));

    QEventLoop loop;
    QObject::connect(engine.contentModel(), &QHelpContentModel::contentsCreated, &loop, &QEventLoop::quit);
    engine.contentModel()->createContents(QString());
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    QHelpContentModel *cm = engine.contentModel();
    int top = cm->rowCount();
    std::printf("contents (%d top-level):\n", top);
    for (int i = 0; i < top; ++i) {
        QHelpContentItem *it = cm->contentItemAt(cm->index(i, 0));
        std::printf("%s  <%s>\n", qPrintable(it->title()), qPrintable(it->url().toString()));
        printTree(it, 1);
    }

    QObject::connect(engine.indexModel(), &QHelpIndexModel::indexCreated, &loop, &QEventLoop::quit);
    engine.indexModel()->createIndex(QString());
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    QStringList keys;
    for (int i = 0; i < engine.indexModel()->rowCount(); ++i)
        keys << engine.indexModel()->data(engine.indexModel()->index(i, 0)).toString();
    std::printf("index (%d keywords): %s\n", int(keys.size()), qPrintable(keys.join(" | ")));

    QHelpSearchEngine *search = engine.searchEngine();
    QObject::connect(search, &QHelpSearchEngine::indexingFinished, &loop, &QEventLoop::quit);
    search->reindexDocumentation();
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::connect(search, &QHelpSearchEngine::searchingFinished, &loop, &QEventLoop::quit);
    search->search(QString::fromLocal8Bit(argv[2]));
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    const int hits = search->searchResultCount();
    std::printf("search \"%s\": %d hit(s)\n", argv[2], hits);
    for (const QHelpSearchResult &r : search->searchResults(0, hits))
        std::printf("  %s  <%s>\n", qPrintable(r.title()), qPrintable(r.url().toString()));

    const QList<QHelpLink> links = engine.documentsForKeyword(QStringLiteral("Keyboard shortcuts"));
    std::printf("keyword \"Keyboard shortcuts\": %d document(s)\n", int(links.size()));
    return (top > 0 && hits > 0) ? 0 : 1;
}
