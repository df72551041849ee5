#pragma once
// A splitter whose handles are painted with the theme's splitter
// background, 4 pixels wide, and whose panes cannot be collapsed away.
#include <QSplitter>

class ThemedSplitter : public QSplitter
{
    Q_OBJECT
public:
    explicit ThemedSplitter(Qt::Orientation orientation, QWidget *parent = nullptr);

protected:
    QSplitterHandle *createHandle() override;
};
