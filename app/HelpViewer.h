#pragma once
// What the program needs from its help window. The window (Qt Help) lives
// in a plugin loaded on the first help request, so a session that never
// asks for help never loads it. Only the help glue and the plugin include
// this header.
#include <QList>
#include <QString>
#include <QUrl>
#include <QtPlugin>

class QWidget;

class HelpViewer
{
public:
    virtual ~HelpViewer() = default;

    // The help window (a top-level window of its own).
    virtual QWidget *window() = 0;
    // Whether the collection could be read and holds documentation.
    virtual bool isValid() const = 0;
    // Shows the window at its table of contents.
    virtual void showContents() = 0;
    // Shows the window at its index, filtered by keyword (empty: all).
    virtual void showIndex(const QString &keyword) = 0;
    // Shows the window at its full-text search and searches for words.
    virtual void search(const QString &words) = 0;

    // For tests and for the window's own use.
    virtual QUrl currentPage() const = 0;
    // The pages the last finished search found (empty while it runs).
    virtual QList<QUrl> searchResults() const = 0;
    virtual bool isSearching() const = 0;
};

class HelpViewerFactory
{
public:
    virtual ~HelpViewerFactory() = default;
    // A help window over the collection file (.qhc); parent may be null.
    virtual HelpViewer *createHelpViewer(const QString &collectionFile, QWidget *parent) = 0;
};

#define HelpViewerFactory_iid "org.orvanta.HelpViewerFactory/1.0"
Q_DECLARE_INTERFACE(HelpViewerFactory, HelpViewerFactory_iid)
