#pragma once
// A person's commute level-of-service record: the values of the level-of-service
// rows home zone -> activity zone (outbound) and back (return), and the distance
// between the two zones. Every person owns one, zero-filled until the household
// simulation fills it for workers and students. Eighteen fields, in order.

struct CCommuteLOSRecord {
    float m_fReturnAutoTime = 0.0f;        // 0: return row, column 5 (auto travel time)
    float m_fReturnColumn6 = 0.0f;         // 1: return row, column 6
    float m_fReturnAutoCost = 0.0f;        // 2: return row, column 11 (auto travel cost)
    float m_fReturnColumn12 = 0.0f;        // 3: return row, column 12
    float m_fReturnColumn6Copy = 0.0f;     // 4: return row, column 6 (same as field 1)
    float m_fReturnColumn13 = 0.0f;        // 5: return row, column 13
    bool m_bReturnColumn7 = false;         // 6: return row, column 7 equals 1 (transit available)
    float m_fReturnTransitTime = 0.0f;     // 7: return row, column 8 (transit travel time)
    float m_fReturnColumn9 = 0.0f;         // 8: return row, column 9
    float m_fReturnTransitCost = 0.0f;     // 9: return row, column 10 (transit cost)
    float m_fDistance = 0.0f;              // 10: zone2zone column 3, activity zone -> home zone
    float m_fOutboundAutoTime = 0.0f;      // 11: outbound row, column 5
    bool m_bOutboundColumn7 = false;       // 12: outbound row, column 7 equals 1 (transit available)
    float m_fOutboundTransitTime = 0.0f;   // 13: outbound row, column 8
    float m_fOutboundAutoCost = 0.0f;      // 14: outbound row, column 11
    float m_fOutboundColumn4 = 0.0f;       // 15: outbound row, column 4
    float m_fReturnColumn4 = 0.0f;         // 16: return row, column 4
    float m_fOutboundAdjacent = 0.0f;      // 17: outbound row, column 3 (adjacency indicator)
};
