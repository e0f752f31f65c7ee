#pragma once
// A school escort episode of a household with children: the children dropped
// off at (or picked up from) one school at about the same time, the adult who
// serves them and the tour that carries the episode. Held by value in the
// household simulator's episode lists.

#include <vector>

class CPersonObject;
class CTour;

class CEpisodeRecord {
public:
    // An episode of one child: no adult and no tour yet, one null child-tour entry.
    CEpisodeRecord(CPersonObject* child, double time, int zone);

    // The child joins the episode (a null child-tour entry comes with it); the
    // episode's time and zone stay.
    void AddChild(CPersonObject* child);
    // The person is one of the children served.
    bool HasChild(const CPersonObject* person) const;

    // The escorting adult (not owned); null until the episode is allocated.
    CPersonObject* m_pAdult = nullptr;
    // The tour that carries the episode (not owned); null until it is built.
    CTour* m_pTour = nullptr;
    // One entry per child, null when the child joins.
    std::vector<CTour*> m_childTours;
    // The children served, in the order they joined (not owned).
    std::vector<CPersonObject*> m_children;
    // Minutes of the day: the first child's school start (drop-off) or end (pick-up).
    double m_time = -1.0;
    // The episode key: the children's school zone.
    int m_zone = 0;
};
