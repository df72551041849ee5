#pragma once
// The right pane's page browser.
#include <QTextBrowser>

class TEmbeddedBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    explicit TEmbeddedBrowser(QWidget *parent = nullptr);

    // Text size 0 (smallest) to 4 (largest); other values are clamped.
    void SetTextSize(int size);
    int TextSize() const { return m_textSize; }

private:
    int m_textSize = 2;
};
