#include "sim/framework/SimulationForm.h"

TSimulationForm::TSimulationForm(QWidget *parent) : QWidget(parent)
{
    Toolbar = new QToolBar(this);
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
}

TSimulationForm::~TSimulationForm()
{
    // The toolbar lives in the main window's dock while the window is shown;
    // it belongs to the window all the same.
    delete Toolbar;
}

void TSimulationForm::SetLargeButtons(bool large)
{
    m_largeButtons = large;
}

bool TSimulationForm::FormCloseQuery()
{
    m_closing = true;
    return true;
}
