#pragma once
// Keeps one running instance per program folder: a second start hands over to the first and ends.

#include <QObject>
#include <QString>

class QLocalServer;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& programDir, QObject* parent = nullptr);

    // True when another instance answered and was asked to come to the front; this one should then end.
    bool handOverToRunningInstance();
    // Starts listening so later starts can hand over to this instance.
    bool listen();

    const QString& serverName() const { return m_name; }

signals:
    void activationRequested();

private:
    QString m_name;
    QLocalServer* m_server = nullptr;
};
