#pragma once
// The settings file: sectioned INI text read and written the way the classic private-profile functions do.

#include <QByteArrayView>
#include <QString>

class Profile {
public:
    explicit Profile(QString path);

    const QString& path() const { return m_path; }

    // The value of key in section (both matched without regard to case), or `defaultValue`; the result is cut to
    // bufferSize - 1 characters, as a fixed buffer of that size cuts it.
    QString read(const QString& section, const QString& key, const QString& defaultValue, int bufferSize) const;

    // Sets key in section, keeping every other line of the file as it was; creates the file, section or key as
    // needed. Returns an empty string on success, else a message naming the file.
    QString write(const QString& section, const QString& key, const QString& value) const;

    // The same two on the bytes of a settings file; WithValue gives the bytes of the file with the key set.
    static QString ReadValue(QByteArrayView file, const QString& section, const QString& key,
                             const QString& defaultValue, int bufferSize);
    static QByteArray WithValue(QByteArrayView file, const QString& section, const QString& key, const QString& value);

private:
    QString m_path;
};
