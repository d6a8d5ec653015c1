#include "SingleInstance.h"

#include <QTemporaryDir>
#include <QTest>

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    // The hand-over to a running program is walked by the whole-program road; another installation never takes it.
    void otherProgramFolder_doesNotHandOver()
    {
        QTemporaryDir a;
        QTemporaryDir b;
        SingleInstance first(a.path());
        QVERIFY(first.listen());
        SingleInstance other(b.path());
        QCOMPARE(other.handOverToRunningInstance(), SingleInstance::HandOver::NoneRunning);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
