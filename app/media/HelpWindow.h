#pragma once
// The program's help: a window with the collection's table of contents, its
// keyword index and a full-text search on the left, the page on the right.
#include "app/HelpViewer.h"

#include <QTextBrowser>
#include <QWidget>

class QHelpEngine;
class QLineEdit;
class QTabWidget;

// Shows pages of the help collection (qthelp:// addresses); other addresses
// go to the desktop's browser.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    HelpBrowser(QHelpEngine *engine, QWidget *parent);
    QVariant loadResource(int type, const QUrl &name) override;

protected:
    void doSetSource(const QUrl &url, QTextDocument::ResourceType type) override;

private:
    QHelpEngine *m_engine;
};

class HelpWindow : public QWidget, public HelpViewer
{
    Q_OBJECT
public:
    HelpWindow(const QString &collectionFile, QWidget *parent = nullptr);
    ~HelpWindow() override;

    QWidget *window() override { return this; }
    bool isValid() const override { return m_valid; }
    void showContents() override;
    void showIndex(const QString &keyword) override;
    void search(const QString &words) override;
    QUrl currentPage() const override;
    QList<QUrl> searchResults() const override { return m_results; }
    bool isSearching() const override { return m_searching; }

    // Where the collection is used from: the file itself when its folder
    // can be written (the search index is kept beside it), else a copy in
    // the user's cache.
    static QString usableCollection(const QString &collectionFile);

private:
    void showHomePage();
    void bringUp();
    void runSearch();

    QHelpEngine *m_engine = nullptr;
    HelpBrowser *m_browser = nullptr;
    QTabWidget *m_tabs = nullptr;
    QLineEdit *m_indexFilter = nullptr;
    QWidget *m_contentsTab = nullptr, *m_indexTab = nullptr, *m_searchTab = nullptr;
    bool m_valid = false;
    bool m_indexed = false;
    bool m_searching = false;
    bool m_indexReady = false;
    bool m_openIndexWhenReady = false;
    QString m_pendingSearch;
    QList<QUrl> m_results;
};

class HelpPlugin : public QObject, public HelpViewerFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID HelpViewerFactory_iid)
    Q_INTERFACES(HelpViewerFactory)
public:
    HelpViewer *createHelpViewer(const QString &collectionFile, QWidget *parent) override
    {
        return new HelpWindow(collectionFile, parent);
    }
};
