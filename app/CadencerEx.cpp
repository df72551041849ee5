// Placeholder until the clock's implementation lands: a clock that keeps its
// properties but never ticks.
#include "app/CadencerEx.h"

TNGLCadencer::TNGLCadencer(QObject *owner) : QObject(owner) {}
TNGLCadencer::~TNGLCadencer() = default;
void TNGLCadencer::SetEnabled(bool value) { m_enabled = value; }
void TNGLCadencer::SetTimeMultiplier(double value) { m_timeMultiplier = value; }
void TNGLCadencer::SetMode(TNGLCadencerMode value) { m_mode = value; }
void TNGLCadencer::Progress() {}
double TNGLCadencer::GetCurrentTime() { return m_currentTime; }
void TNGLCadencer::SetRawTimeSourceForTesting(std::function<double()>) {}
int TNGLCadencer::AttachedClockCount() { return 0; }
bool TNGLCadencer::DriverExists() { return false; }
double TNGLCadencer::RawTime() const { return 0.0; }
void TNGLCadencer::UpdateAttachment() {}
void TNGLCadencer::Attach() {}
void TNGLCadencer::Detach() {}
