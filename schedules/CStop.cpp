#include "schedules/CStop.h"

CStop::CStop(CInputDataManager* manager, CTour* tour) : m_pTour(tour), m_pDataManager(manager) {}

CStop::~CStop() = default;
