#include "app/media/HelpWindow.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

// ---------------------------------------------------------------- browser

HelpBrowser::HelpBrowser(QHelpEngine *engine, QWidget *parent) : QTextBrowser(parent), m_engine(engine)
{
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    if (name.scheme() == QLatin1String("qthelp"))
        return m_engine->fileData(name);
    return QTextBrowser::loadResource(type, name);
}

void HelpBrowser::doSetSource(const QUrl &url, QTextDocument::ResourceType type)
{
    // Pages outside the collection are the web's: the desktop shows them.
    if (url.scheme() != QLatin1String("qthelp") && !url.isRelative()) {
        QDesktopServices::openUrl(url);
        return;
    }
    QTextBrowser::doSetSource(url, type);
}

// ---------------------------------------------------------------- window

QString HelpWindow::usableCollection(const QString &collectionFile)
{
    const QFileInfo source(collectionFile);
    if (QFileInfo(source.absolutePath()).isWritable())
        return source.absoluteFilePath();
    // The collection names its documentation files relative to itself, so
    // they travel together.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/help");
    if (!QDir().mkpath(cache))
        return source.absoluteFilePath();
    const QDir from(source.absolutePath());
    for (const QFileInfo &file : from.entryInfoList({QStringLiteral("*.qhc"), QStringLiteral("*.qch")}, QDir::Files)) {
        const QString target = cache + QLatin1Char('/') + file.fileName();
        const QFileInfo copy(target);
        if (copy.exists() && copy.size() == file.size() && copy.lastModified() >= file.lastModified())
            continue;
        QFile::remove(target);
        QFile::copy(file.absoluteFilePath(), target);
        QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    return cache + QLatin1Char('/') + source.fileName();
}

HelpWindow::HelpWindow(const QString &collectionFile, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("Help"));
    setObjectName(QStringLiteral("HelpWindow"));
    m_engine = new QHelpEngine(usableCollection(collectionFile), this);
    // The filter engine is what makes the index report documents (with
    // their titles) rather than bare links.
    m_engine->setUsesFilterEngine(true);
    m_valid = m_engine->setupData() && !m_engine->registeredDocumentations().isEmpty();

    auto *splitter = new QSplitter(this);
    m_tabs = new QTabWidget(splitter);
    m_browser = new HelpBrowser(m_engine, splitter);
    m_browser->setObjectName(QStringLiteral("HelpPage"));
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 3);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    resize(900, 650);

    // Contents.
    QHelpContentWidget *contents = m_engine->contentWidget();
    m_contentsTab = contents;
    m_tabs->addTab(contents, tr("Contents"));
    connect(contents, &QHelpContentWidget::linkActivated, m_browser, [this](const QUrl &url) { m_browser->setSource(url); });
    connect(m_engine->contentModel(), &QHelpContentModel::contentsCreated, this, [this, contents] {
        // The chapters show at once, not folded under the title.
        contents->expandToDepth(0);
        if (m_browser->source().isEmpty())
            showHomePage();
    });

    // Index, with a line to type the keyword into.
    m_indexTab = new QWidget;
    auto *indexLayout = new QVBoxLayout(m_indexTab);
    auto *lookFor = new QLabel(tr("&Look for:"), m_indexTab);
    m_indexFilter = new QLineEdit(m_indexTab);
    m_indexFilter->setObjectName(QStringLiteral("IndexFilter"));
    lookFor->setBuddy(m_indexFilter);
    QHelpIndexWidget *index = m_engine->indexWidget();
    indexLayout->addWidget(lookFor);
    indexLayout->addWidget(m_indexFilter);
    indexLayout->addWidget(index);
    m_tabs->addTab(m_indexTab, tr("Index"));
    connect(m_indexFilter, &QLineEdit::textChanged, index, [index](const QString &text) { index->filterIndices(text); });
    // The index is read in the background; a keyword confirmed before it is
    // ready is looked up once it is.
    connect(m_indexFilter, &QLineEdit::returnPressed, this, [this, index] {
        if (!m_indexReady || m_engine->indexModel()->isCreatingIndex())
            m_openIndexWhenReady = true;
        else
            index->activateCurrentItem();
    });
    connect(m_engine->indexModel(), &QHelpIndexModel::indexCreated, this, [this, index] {
        m_indexReady = true;
        index->filterIndices(m_indexFilter->text());
        if (std::exchange(m_openIndexWhenReady, false))
            index->activateCurrentItem();
    });
    connect(index, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink &document, const QString &) { m_browser->setSource(document.url); });
    connect(index, &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink> &documents, const QString &) {
                if (!documents.isEmpty())
                    m_browser->setSource(documents.first().url);
            });

    // Full-text search.
    QHelpSearchEngine *searchEngine = m_engine->searchEngine();
    m_searchTab = new QWidget;
    auto *searchLayout = new QVBoxLayout(m_searchTab);
    searchLayout->addWidget(searchEngine->queryWidget());
    searchLayout->addWidget(searchEngine->resultWidget(), 1);
    m_tabs->addTab(m_searchTab, tr("Search"));
    connect(searchEngine->queryWidget(), &QHelpSearchQueryWidget::search, this,
            [this, searchEngine] { search(searchEngine->queryWidget()->searchInput()); });
    connect(searchEngine->resultWidget(), &QHelpSearchResultWidget::requestShowLink, m_browser,
            [this](const QUrl &url) { m_browser->setSource(url); });
    connect(searchEngine, &QHelpSearchEngine::indexingFinished, this, [this] {
        m_indexed = true;
        if (!m_pendingSearch.isNull())
            runSearch();
    });
    connect(searchEngine, &QHelpSearchEngine::searchingFinished, this, [this, searchEngine](int count) {
        m_results.clear();
        for (const QHelpSearchResult &r : searchEngine->searchResults(0, count))
            m_results << r.url();
        m_searching = false;
    });
    // The index is built (or brought up to date) in the background at once,
    // so it is ready by the time the reader types a word.
    if (m_valid)
        searchEngine->scheduleIndexDocumentation();
    else
        m_browser->setHtml(tr("<p>The help file %1 cannot be read.</p>").arg(QDir::toNativeSeparators(collectionFile)));
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::showHomePage()
{
    QHelpContentModel *model = m_engine->contentModel();
    if (model->isCreatingContents() || model->rowCount() == 0)
        return;
    if (QHelpContentItem *top = model->contentItemAt(model->index(0, 0)))
        m_browser->setSource(top->url());
}

void HelpWindow::bringUp()
{
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void HelpWindow::showContents()
{
    m_tabs->setCurrentWidget(m_contentsTab);
    if (m_browser->source().isEmpty())
        showHomePage();
    bringUp();
    m_contentsTab->setFocus();
}

void HelpWindow::showIndex(const QString &keyword)
{
    m_tabs->setCurrentWidget(m_indexTab);
    m_indexFilter->setText(keyword);
    if (m_browser->source().isEmpty())
        showHomePage();
    bringUp();
    m_indexFilter->setFocus();
}

void HelpWindow::search(const QString &words)
{
    m_tabs->setCurrentWidget(m_searchTab);
    m_engine->searchEngine()->queryWidget()->setSearchInput(words);
    bringUp();
    m_results.clear();
    if (!m_valid)
        return;
    m_pendingSearch = words;
    m_searching = true;
    if (m_indexed)
        runSearch();
}

void HelpWindow::runSearch()
{
    const QString words = m_pendingSearch;
    m_pendingSearch = QString();
    m_engine->searchEngine()->search(words);
}

QUrl HelpWindow::currentPage() const
{
    return m_browser->source();
}
