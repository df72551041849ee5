#include "app/EmbeddedBrowser.h"

TEmbeddedBrowser::TEmbeddedBrowser(QWidget *parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
}

void TEmbeddedBrowser::SetTextSize(int size)
{
    m_textSize = qBound(0, size, 4);
}
