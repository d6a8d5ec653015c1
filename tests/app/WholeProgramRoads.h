#pragma once
// The whole program as main() builds it, and the keys a supervisor and a client press on its roads: shared by the
// whole-program test and the program runs the crash test kills. Only the outermost edges are scripted: message
// boxes and beep, file choosers, the clock, printer, audio and scanner.

#include "AuditTrail.h"
#include "FakeAudio.h"
#include "FakeClock.h"
#include "FakeFileDialogs.h"
#include "FakePrinterChooser.h"
#include "FakePrompts.h"
#include "FakeReportPrinter.h"
#include "FilledSheet.h"
#include "MenuButtons.h"
#include "ModalDriver.h"
#include "Presentation.h"
#include "Program.h"
#include "SheetImagePanel.h"
#include "SingleInstance.h"
#include "TestDefinition.h"
#include "TestEnv.h"
#include "TestFiles.h"
#include "frmMainMenu.h"
#include "frmPresentQA.h"
#include "frmScanBatch.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocalServer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

inline const QDate Today(2026, 12, 7);
inline const QString TodayText = Today.toString(QStringLiteral("MM/dd/yyyy"));

inline QWidget* focused()
{
    return QApplication::focusWidget();
}

inline void pressNow(QPushButton* button)
{
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
}

// A program folder laid like an installation (the built one, less executables and sounds) and a data location
// holding the six demo clients, in `root`'s folders program and data.
inline void LayOutInstallation(const QString& root)
{
    const QString built = ProgramDirForTests(), programDir = root + QStringLiteral("/program"),
                  dataDir = root + QStringLiteral("/data");
    QDir().mkpath(programDir);
    QDir().mkpath(dataDir);
    for (const QFileInfo& f : QDir(built).entryInfoList(QDir::Files))
        if (!f.isExecutable())
            QFile::copy(f.filePath(), programDir + QLatin1Char('/') + f.fileName());
    QFile::copy(built + QStringLiteral("/../demo-data/DATA401.QN"), dataDir + QStringLiteral("/DATA401.QN"));
    WriteFile(programDir + QStringLiteral("/Quillan.ini"),
              QStringLiteral("[Path]\nFilePath=%1\nSndPath=%2\n[Settings]\nNumLock=True\nBrand=D\n")
                  .arg(dataDir, built)
                  .toUtf8());
}

// The program built on an installation laid out for it (a new one unless `laidOutAt` names one), with scripted edges.
struct Run {
    QTemporaryDir dir;
    QString root;
    QString programDir = root + QStringLiteral("/program"), dataDir = root + QStringLiteral("/data");
    FakePrompts prompts;
    FakeClock clock{Today};
    FakeFileDialogs files;
    FakeReportPrinter printer;
    FakePrinterChooser printerChooser;
    FakeAudio audio;
    QueuedScanner scanner;
    std::unique_ptr<Program> program;
    QByteArray demoClients;
    QTimer watchdog; // closes a window a failed step left open, so the test fails instead of hanging

    explicit Run(bool withScanner = true, const QString& laidOutAt = {})
        : root(laidOutAt.isEmpty() ? dir.path() : laidOutAt)
    {
        if (laidOutAt.isEmpty())
            LayOutInstallation(root);
        demoClients = fileBytes();
        rebuild(withScanner);
        watchdog.callOnTimeout(&ModalDriver::rejectAll);
        watchdog.start(240000); // a loaded machine runs a road for a minute or more
    }
    // The program gone, as a crash leaves the files, and built again.
    void rebuild(bool withScanner = true)
    {
        program.reset();
        program = Program::build(programDir, {&prompts, &clock, &files, &printer, &printerChooser, &audio,
                                              withScanner ? &scanner : nullptr});
    }

    bool start()
    {
        if (program)
            program->mainWindow().SplashHoldTickMs = 1;
        return program && program->start() && QTest::qWaitForWindowActive(&program->mainWindow());
    }
    frmMainMenu& menu() { return program->mainWindow(); }

    QByteArray fileBytes() const { return ReadBytes(dataDir + QStringLiteral("/DATA401.QN")); }
    // Client `n` as stored now, and as the demo file held it.
    ClientRecord record(int n) const { return ClientRecord::fromBytes(fileBytes().mid((n - 1) * ClientRecord::Size)); }
    ClientRecord demo(int n) const { return ClientRecord::fromBytes(demoClients.mid((n - 1) * ClientRecord::Size)); }
    QStringList listLines()
    {
        QStringList out;
        for (int i = 0; i < menu().lbNameDisplay()->count(); ++i)
            out << menu().lbNameDisplay()->item(i)->text().trimmed();
        return out;
    }
    // Presses main menu button `index` with Enter; returns when its activity has ended.
    void pressMenu(int index) { pressNow(menu().menu().button(index)); }
    // Steps for Supervisor Options on tab `tab` with option button `option` (by name) chosen, then OK, and the
    // secret code when the operation asks for it.
    void supervisor(ModalDriver& driver, int tab, const QString& option = {}, bool code = false);
    // The entries of the location's audit trail with `event` (all for none), once the whole trail is found sound.
    QList<AuditEntry> trail(const QString& event = {}) const
    {
        QByteArray bytes;
        const AuditVerification v = AuditTrail::verifyFolder(dataDir, std::nullopt, &bytes);
        QList<AuditEntry> out;
        if (!v.holds())
            QTest::qFail(qPrintable(v.message), __FILE__, __LINE__);
        for (const AuditEntry& e : AuditTrail::parse(bytes))
            if (event.isEmpty() || e.event == event)
                out << e;
        return out;
    }
};

inline void typeInto(QWidget* w, const QString& keys)
{
    w->setFocus(); // as a click in the field does
    QTest::keyClicks(w, keys);
}

// Presses menu button `index` of the modal window (the driver's step names the window it waits for) once the
// step has returned: the press may open windows of its own, which the driver must be free to answer.
inline ModalDriver::Step press(int index)
{
    return [index](QWidget* modal) {
        auto* button = modal->findChild<QPushButton*>(QStringLiteral("cmdMenuChoice_%1").arg(index));
        QVERIFY2(button, qPrintable(modal->objectName()));
        QTimer::singleShot(0, button, [button] { pressNow(button); });
    };
}

// The next modal windows, each accepted with its first button as it comes: a scanned sheet's review.
inline void acceptEach(ModalDriver& driver, std::initializer_list<const char*> windows)
{
    for (const char* window : windows)
        driver.onNextModal(window, press(0));
}

// Types `text` into an input box and accepts it: the client-name prompt, or the secret code.
inline ModalDriver::Step answerInputBox(const QString& text)
{
    return [text](QWidget* modal) {
        auto* input = modal->findChild<QLineEdit*>(QStringLiteral("txtInput"));
        QVERIFY(input);
        typeInto(input, text);
        QTest::keyClick(input, Qt::Key_Return); // to "Information OK"
        QTest::keyClick(modal->findChild<QPushButton*>(QStringLiteral("cmdMenuChoice_0")), Qt::Key_Return);
    };
}

// Client information of a new client: name, Male, 03/14/1987, Black, single, high school graduate.
inline ModalDriver::Step keyClientInfo(const QString& name)
{
    return [name](QWidget* w) {
        const std::pair<const char*, QString> entries[] = {{"txtName", name},     {"cmbGender", "1"},
                                                           {"cmbRace", "2"},      {"cmbMarital", "1"},
                                                           {"cmbEducation", "4"}, {"mebDateOfBirth", "03141987"}};
        for (const auto& [field, keys] : entries) {
            QWidget* f = w->findChild<QWidget*>(QLatin1String(field));
            QVERIFY2(f, field);
            typeInto(f, keys);
        }
        press(0)(w);
    };
}

// Court history: each count typed and confirmed with Enter, then OK.
inline ModalDriver::Step keyCourtHistory(const QStringList& counts)
{
    return [counts](QWidget* w) {
        w->findChild<QLineEdit*>(QStringLiteral("txtDrugArrests"))->setFocus();
        for (const QString& c : counts) {
            QTest::keyClicks(w->focusWidget(), c);
            QTest::keyClick(w->focusWidget(), Qt::Key_Return);
        }
        press(0)(w);
    };
}

inline void Run::supervisor(ModalDriver& driver, int tab, const QString& option, bool code)
{
    driver.onNextModal("frmSupervisorOptions", [tab, option](QWidget* w) {
        w->findChild<QTabWidget*>(QStringLiteral("sstSupervisorOperations"))->setCurrentIndex(tab);
        if (!option.isEmpty())
            w->findChild<QRadioButton*>(option)->click();
        press(0)(w);
    });
    if (code)
        driver.onNextModal("frmMyInputBox", answerInputBox(QStringLiteral("K")));
}

// A valid answer for every item of the demo questionnaire: true/false alternating, frequencies 1 to 4, choice 1.
inline QString SampleAnswers()
{
    QString s;
    for (int id = 1; id <= NumItems; ++id)
        s += QChar('1' + (id <= 86 ? id % 2 : id <= 110 ? id % 4 : 0));
    return s;
}

// Keys every answer into the answer grid window, then Save or Cancel.
inline ModalDriver::Step keyGrid(const QString& answers, int button)
{
    return [answers, button](QWidget* w) {
        for (QChar c : answers)
            QTest::keyClick(w->focusWidget(), c.toLatin1());
        press(button)(w);
    };
}

// Takes the on-screen test with the keys: Enter on each instructions screen, Down to the answer, Enter. Past item
// `stop`, `atStop` runs (to keep the journal as a crash there would leave it) and the test is left with Shift+Alt+F10.
// `before` runs as each item is about to be answered; when it returns true it has pressed keys of its own.
using BeforeAnswer = std::function<bool(frmPresentQA*, int item)>;
inline ModalDriver::Step takeTest(const QString& answers, int stop = NumItems, std::function<void()> atStop = {},
                                  BeforeAnswer before = {})
{
    return [=](QWidget* modal) {
        auto* w = qobject_cast<frmPresentQA*>(modal);
        QVERIFY(w);
        for (int guard = 0; guard < 3000 && w->isVisible(); ++guard) {
            QWidget* target = w->focusWidget() ? w->focusWidget() : w;
            if (w->presentation()->InstructionsShowing()) {
                QTest::keyClick(target, Qt::Key_Return);
                continue;
            }
            const int id = w->presentation()->CurrentItem().ID;
            if (id > stop) {
                atStop();
                QTest::keyClick(target, Qt::Key_F10, Qt::ShiftModifier | Qt::AltModifier);
                return;
            }
            if (before && before(w, id))
                continue;
            const int slot = answers.at(id - 1).digitValue() - 1;
            for (int i = 0; i <= slot; ++i)
                QTest::keyClick(w->focusWidget(), Qt::Key_Down);
            QTest::keyClick(w->focusWidget(), Qt::Key_Return);
        }
    };
}

// The crash test's clients: "Crash, Client N" from slot 7 on, each with answers of its own.
inline QString CrashClientName(int n)
{
    return QStringLiteral("Crash, Client %1").arg(n);
}
inline int CrashClientNumber(const QString& name)
{
    return name.trimmed().section(QLatin1Char(' '), -1).toInt();
}
inline QString CrashAnswers(int n)
{
    QString s;
    for (int id = 1; id <= NumItems; ++id)
        s += QChar('1' + (id <= 86 ? (id + n) % 2 : id <= 110 ? (id + n) % 4 : 0));
    return s;
}
