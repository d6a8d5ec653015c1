#pragma once
// The locations of one scan found with more than one mark.

#include <QStringList>

class MultiMarkList {
public:
    static constexpr int Capacity = 161;  // entries 0..160; a location found when the list is full is not listed
    static constexpr int EntryWidth = 30; // a name longer than this is cut

    void clear() { m_entries.clear(); }
    void add(const QString& locationName)
    {
        if (m_entries.size() < Capacity)
            m_entries.append(locationName.left(EntryWidth));
    }
    int MultiMarkCount() const { return static_cast<int>(m_entries.size()); }
    const QStringList& entries() const { return m_entries; }

private:
    QStringList m_entries;
};
