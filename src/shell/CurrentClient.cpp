#include "CurrentClient.h"

#include "ClientTable.h"
#include "DataLocation.h"
#include "Prompts.h"
#include "SessionFlags.h"

CurrentClient::CurrentClient(ClientTable& table, SessionFlags& flags, Prompts& prompts)
    : m_table(table), m_flags(flags), m_prompts(prompts)
{
}

bool CurrentClient::startNew(const QString& title)
{
    if (m_table.isFull()) {
        m_prompts.message(QStringLiteral("The client file on this data location already holds %1 clients, the most "
                                         "it can hold. Choose another data location for new clients.")
                              .arg(ClientTable::MaxClients),
                          title, Prompts::Icon::Exclamation, Prompts::Buttons::Ok);
        return false;
    }
    m_table.CurClient = static_cast<int16_t>(m_table.NumClients + 1);
    return true;
}

void CurrentClient::open(int16_t n)
{
    m_table.CurClient = n;
}

bool CurrentClient::isUnsavedNew() const
{
    return !m_flags.EditingClient && m_table.CurClient > m_table.NumClients &&
           m_table.CurClient <= ClientTable::MaxClients;
}

ClientRecord& CurrentClient::record()
{
    return m_table.current();
}

const ClientRecord& CurrentClient::record() const
{
    return m_table.current();
}

bool CurrentClient::stage(const std::function<void(ClientRecord&)>& fill)
{
    if (isUnsavedNew()) {
        fill(record());
        return true;
    }
    return !commit(fill);
}

FileError CurrentClient::commit(const std::function<void(ClientRecord&)>& fill)
{
    const bool isNew = isUnsavedNew();
    const ClientRecord before = record();
    if (fill)
        fill(record());
    if (FileError e = SaveClientAsking(m_table, m_table.CurClient, m_prompts)) {
        record() = before;
        return e;
    }
    if (isNew)
        m_table.CountNewClient();
    return {};
}

void CurrentClient::discard()
{
    if (!isUnsavedNew())
        return;
    m_table.ClearClient();
    m_table.CurClient = 1;
}
