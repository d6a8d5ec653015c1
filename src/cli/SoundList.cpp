// veltrane-cli sound-list: what the demo installation's wave files must say, for the script that speaks them.

#include "Commands.h"

#include "DataWorkspace.h"
#include "LanguageTables.h"
#include "PresentationTexts.h"
#include "Profile.h"
#include "QuestionSet.h"

#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QString oneLine(QString text)
{
    text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text.replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}

} // namespace

int soundListCommand(const QStringList& args)
{
    if (args.size() != 2 || args[0].startsWith(QLatin1Char('-'))) {
        std::fprintf(args.contains(QStringLiteral("--help")) ? stdout : stderr,
                     "usage: veltrane-cli sound-list PROGRAM_DIR LIST\n\n"
                     "Writes LIST with one line per wave file of the question tables in PROGRAM_DIR/qn.mdb and of\n"
                     "the instructions screens: sound folder, language (en or es), file name and the text to speak,\n"
                     "separated by tabs. LIST is left untouched when its content would not change.\n");
        return args.contains(QStringLiteral("--help")) ? 0 : 2;
    }
    // The listing must not touch the installation's settings file, which the workspace writes to.
    QTemporaryDir scratch;
    const Profile settings(scratch.path() + QStringLiteral("/Quillan.ini"));
    DataWorkspace workspace(args[0], settings);

    QString error;
    const QStringList languages = LanguageTables::Find(workspace, &error);
    if (languages.isEmpty()) {
        std::fprintf(stderr, "veltrane-cli: %s\n", qPrintable(error));
        return 1;
    }
    QString list;
    QSet<QString> seen;
    auto add = [&](const QString& folder, bool spanish, const QString& file, const QString& text) {
        const QString name = file.trimmed();
        const QString spoken = oneLine(text);
        if (name.isEmpty() || spoken.isEmpty() || seen.contains(folder + QLatin1Char('/') + name.toLower()))
            return;
        seen.insert(folder + QLatin1Char('/') + name.toLower());
        list += folder + QLatin1Char('\t') + (spanish ? QStringLiteral("es") : QStringLiteral("en")) +
                QLatin1Char('\t') + name + QLatin1Char('\t') + spoken + QLatin1Char('\n');
    };
    for (const QString& language : languages) {
        const auto questions = QuestionSet::Load(workspace, language, &error);
        if (!questions) {
            std::fprintf(stderr, "veltrane-cli: %s\n", qPrintable(error));
            return 1;
        }
        const bool spanish = language == QLatin1String("Spanish");
        const QString folder = language.toUpper();
        for (int section = 0; section < PresentationTexts::InstructionScreens; ++section)
            add(folder, spanish, PresentationTexts::InstructionSound(section),
                PresentationTexts::InstructionLines(spanish, section).join(QLatin1Char(' ')));
        for (const QuestionItem& item : questions->Items) {
            add(folder, spanish, item.QuestionAudio.trimmed() + QStringLiteral(".wav"),
                QString::number(item.ID) + QStringLiteral(". ") + item.TestQuestion);
            for (int slot = 0; slot < QuestionItem::MaxAnswers; ++slot) {
                if (item.hasAnswer(slot))
                    add(folder, spanish, item.ChoiceAudio[slot].trimmed() + QStringLiteral(".wav"), item.Answers[slot]);
            }
        }
    }

    const QByteArray bytes = list.toUtf8();
    QFile old(args[1]);
    if (old.open(QIODevice::ReadOnly) && old.readAll() == bytes)
        return 0;
    old.close();
    QSaveFile out(args[1]);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        std::fprintf(stderr, "veltrane-cli: %s: %s\n", qPrintable(args[1]), qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
