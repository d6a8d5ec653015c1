#include "SingleInstance.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondStart_handsOverAndFirstIsAsked()
    {
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        QVERIFY(!first.handOverToRunningInstance());
        QVERIFY(first.listen());
        QSignalSpy asked(&first, &SingleInstance::activationRequested);

        // The second start runs where the first one's event loop can answer it, as in two processes.
        bool handedOver = false;
        std::thread second([&] {
            SingleInstance other(dir.path());
            handedOver = other.handOverToRunningInstance();
        });
        QTRY_COMPARE(asked.count(), 1);
        second.join();
        QVERIFY(handedOver);
    }

    void otherProgramFolder_doesNotHandOver()
    {
        QTemporaryDir a;
        QTemporaryDir b;
        SingleInstance first(a.path());
        QVERIFY(first.listen());
        SingleInstance other(b.path());
        QVERIFY(!other.handOverToRunningInstance());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
