// A run of the whole program for the crash test, which kills it: it continues the test a crash cut short (Yes to
// the question at start-up), then adds client after client, each answering on screen or keyed from a paper sheet,
// until it is killed. It tells its progress on standard output, a line each:
//   shown N ITEM               item ITEM of client N is on screen (in the grid: its row is the one to key)
//   resumed N ITEM ANSWERS     client N's test went on at item ITEM with ANSWERS in place
//   resume_child screen|paper ROOT

#include "WholeProgramRoads.h"
#include "frmNewEntry.h"

#include <cstdio>

namespace {

void tell(const QString& line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const bool paper = QByteArray(argv[1]) == "paper";
    Run run(true, QString::fromLocal8Bit(argv[2]));
    ClientTable& table = run.program->context().table;
    // Clients 1 to 6 are the demo's; the crash test's are numbered from 1 after them.
    const auto current = [&table] { return CrashClientNumber(table.current().Name); };

    ModalDriver driver;
    driver.always("frmSelectEntryMethod", press(paper ? 1 : 0));
    driver.always("frmClientInfo",
                  [&](QWidget* w) { keyClientInfo(CrashClientName(table.NumClients - 5))(w); });
    driver.always("frmCourtHistory", keyCourtHistory({"0", "3", "N", "1", "12"}));
    driver.always("frmSelectLanguage", press(0));
    driver.always("frmMyInputBox", answerInputBox(QStringLiteral("k")));
    driver.always("frmPresentQA", [&](QWidget* modal) {
        const auto* w = qobject_cast<frmPresentQA*>(modal);
        const QString before = w->presentation()->Responses();
        bool first = true;
        takeTest(CrashAnswers(current()), NumItems, {}, [&](frmPresentQA*, int item) {
            if (first && before.count(QLatin1Char('0')) < NumItems)
                tell(QStringLiteral("resumed %1 %2 %3").arg(current()).arg(item).arg(before));
            first = false;
            tell(QStringLiteral("shown %1 %2").arg(current()).arg(item));
            return false;
        })(modal);
    });
    driver.always("frmNewEntry", [&](QWidget* modal) {
        const auto* w = qobject_cast<frmNewEntry*>(modal);
        const GridKeying* k = w->keying();
        const auto item = [k] { return k->itemAt(k->currentGrid(), k->row(k->currentGrid())); };
        const QString answers = CrashAnswers(current());
        if (k->responses(NumItems).count(QLatin1Char('0')) < NumItems)
            tell(QStringLiteral("resumed %1 %2 %3").arg(current()).arg(item()).arg(k->responses(NumItems)));
        for (int at = item(); at >= 1 && k->answer(at) == QLatin1Char('0');) {
            tell(QStringLiteral("shown %1 %2").arg(current()).arg(at));
            QTest::keyClick(modal->focusWidget(), answers.at(at - 1).toLatin1());
            const int next = item();
            at = next == at ? 0 : next; // the last row keeps the cursor
        }
        press(0)(modal);
    });
    run.menu().SplashHoldTickMs = 1;
    if (!run.program->start())
        return 1;
    while (table.NumClients < ClientTable::MaxClients) {
        // With no window manager nothing brings the menu back to the front when a chain of windows has closed.
        run.menu().activateWindow();
        if (!QTest::qWaitForWindowActive(&run.menu()))
            return 1;
        run.pressMenu(1);
    }
    return 3; // the location is full: the crash test asked for too many clients
}
