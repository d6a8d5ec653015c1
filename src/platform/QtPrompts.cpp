#include "QtPrompts.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

Prompts::Answer QtPrompts::message(const QString& text, const QString& title, Icon icon, Buttons buttons)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    // Texts break lines with a lone carriage return as well; the screen needs line feeds.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shown);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    }
    switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
    case Buttons::RetryCancel: box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel); break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Retry: return Answer::Retry;
    default: return Answer::Cancel;
    }
}

void QtPrompts::beep()
{
    QApplication::beep();
}

std::optional<QString> QtPrompts::askSecret(const QString& title, const QString& text, const SecretOptions& options)
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("dlgSecret"));
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* question = new QLabel(text, &dialog);
    question->setWordWrap(true);
    layout->addWidget(question);
    auto* first = new QLineEdit(&dialog);
    first->setObjectName(QStringLiteral("txtSecret"));
    first->setEchoMode(QLineEdit::Password);
    layout->addWidget(first);
    QLineEdit* again = nullptr;
    if (options.twice) {
        layout->addWidget(new QLabel(QStringLiteral("Type it again:"), &dialog));
        again = new QLineEdit(&dialog);
        again->setObjectName(QStringLiteral("txtSecretAgain"));
        again->setEchoMode(QLineEdit::Password);
        layout->addWidget(again);
    }
    auto* rating = new QLabel(&dialog);
    rating->setObjectName(QStringLiteral("lblStrength"));
    rating->setVisible(bool(options.rating));
    layout->addWidget(rating);
    auto* problem = new QLabel(&dialog);
    problem->setObjectName(QStringLiteral("lblSecretProblem"));
    problem->setWordWrap(true);
    problem->setStyleSheet(QStringLiteral("color: #a00000"));
    layout->addWidget(problem);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    if (options.rating) {
        const auto rate = [&] { rating->setText(options.rating(first->text())); };
        QObject::connect(first, &QLineEdit::textChanged, &dialog, rate);
        rate();
    }
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        QString why = options.refusal ? options.refusal(first->text()) : QString();
        if (why.isEmpty() && again && again->text() != first->text())
            why = QStringLiteral("The two entries differ. Type the same passphrase in both fields.");
        if (why.isEmpty()) {
            dialog.accept();
            return;
        }
        problem->setText(why);
        first->setFocus();
        first->selectAll();
    });
    dialog.resize(460, dialog.sizeHint().height());
    first->setFocus();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return first->text();
}
