#pragma once
// The settings file: sectioned INI text read and written the way the classic private-profile functions do.

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

private:
    QString m_path;
};
