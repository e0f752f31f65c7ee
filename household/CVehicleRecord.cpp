#include "household/CVehicleRecord.h"

CVehicleRecord::CVehicleRecord(int type, int group) : m_type(type), m_group(group) {}
