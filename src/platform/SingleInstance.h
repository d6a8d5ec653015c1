#pragma once
// Keeps one running instance per program folder: a second start hands over to the first and ends.

#include <QObject>
#include <QString>

class QLocalServer;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& programDir, QObject* parent = nullptr);

    enum class HandOver {
        NoneRunning, // this is the first: go on
        HandedOver,  // the running one took the request to come to the front: end this one
        NoAnswer,    // one is running but did not answer: it is frozen, so say so and end this one
    };
    HandOver handOverToRunningInstance();
    // Starts listening so later starts can hand over to this instance.
    bool listen();

    const QString& serverName() const { return m_name; }

signals:
    void activationRequested();

private:
    QString m_name;
    QLocalServer* m_server = nullptr;
};
